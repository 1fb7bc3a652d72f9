#pragma once
// The words and numbers of a pile as every view of it writes them: the page, the site panel,
// both reports and the command-line tool. Each wording lives here once.

#include "TBlowSet.h"
#include "TWaveSpeed.h"

#include <QString>

#include <optional>

struct TFirstPassResult;
struct TPileAnalysis;

namespace piletexts {

// Where a speed comes from: "по длине", "своя", "участка", "из записи".
QString SpeedSource(TSpeedSource source);
// Why the pile is not read at the source the engineer chose ("у участка нет скорости"); "" when it is.
QString SpeedFallback(const TPileAnalysis& a);
// How a speed is written: with its unit ("3950,0 м/с"), in a report's table whose caption gives
// the unit ("3950,0"), or in the site panel's columns ("3 950").
enum class TSpeedFormat { WithUnit, Table, Panel };
// The speed with its source: "3950,0 м/с (по длине)", or "—" without a speed.
QString SpeedWithSource(const TPileAnalysis& a, TSpeedFormat format = TSpeedFormat::WithUnit);
// A speed alone in the site panel's format: "3 950".
QString PanelSpeed(double speed);

// Why a blow is not used: "зашкал датчика", "другой формат записи", ...
QString BlowReason(TBlowReason reason);
// What the mobility lacks without a hammer record: "нет сигнала молотка".
QString NoHammer();

// A value by a picture pattern ("0.00") in the user's locale, `none` when there is none.
QString Number(const char* pattern, const std::optional<double>& value, const QString& none = {});
// "12,00 м", or "—".
QString Length(const std::optional<double>& metres);
// A place on a pile's curve: "12,20 м (6,10 мс)".
QString DepthAndTime(double metres, double ms);
// The date of a date-time value: "15.06.2026".
QString Date(double dateTime);
// The defect marks at their depths: "4,50 м сужение; 7,00 м трещина", or "".
QString Defects(const TPileAnalysis& a);
// A class with what it means in the scheme: "II — незначительные отклонения"; the class alone
// when the scheme does not know it.
QString ClassWithMeaning(const QString& scheme, const QString& cls);

// A finding's kind in words: "сужение", "расширение", "трещина", "обрыв", "короче проекта",
// "длиннее проекта".
QString FindingKind(const QString& kind);
// The first pass's proposal in a few lines: the class with its confidence, then each finding with
// its depth, ratio and confidence (and "подошва не видна" when so), or, when it found nothing, its
// reasons. With `shownSpeed` (m/s), the depths are those of the pile read at that speed, as its
// chart places them.
QString Proposal(const TFirstPassResult& r, double shownSpeed = 0);

} // namespace piletexts
