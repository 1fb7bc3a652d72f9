#include "PileTexts.h"

#include "DownloadUnit.h"
#include "NumberFormat.h"
#include "TFirstPass.h"
#include "TPileAnalysis.h"

#include <QMap>
#include <QStringList>

#include <stdexcept>

namespace piletexts {

QString SpeedSource(TSpeedSource source) {
    switch (source) {
    case TSpeedSource::Length:
        return QStringLiteral("по длине");
    case TSpeedSource::Pile:
        return QStringLiteral("своя");
    case TSpeedSource::Site:
        return QStringLiteral("участка");
    case TSpeedSource::Record:
        return QStringLiteral("из записи");
    }
    throw std::logic_error("unknown speed source");
}

QString SpeedFallback(const TPileAnalysis& a) {
    const std::optional<TSpeedChoice> choice = a.verdict.speed ? std::nullopt : a.verdict.speedChoice;
    if (choice == TSpeedChoice::Site && a.waveSpeedSource != TSpeedSource::Site)
        return QStringLiteral("у участка нет скорости");
    return {};
}

QString SpeedWithSource(const TPileAnalysis& a, TSpeedFormat format) {
    if (!(a.waveSpeed > 0))
        return QStringLiteral("—");
    const QString speed = format == TSpeedFormat::Panel ? PanelSpeed(a.waveSpeed)
                          : format == TSpeedFormat::WithUnit
                              ? VelocityToStr(a.waveSpeed) + QStringLiteral(" м/с")
                              : VelocityToStr(a.waveSpeed);
    return speed + QStringLiteral(" (") + SpeedSource(a.waveSpeedSource) + QLatin1Char(')');
}

QString PanelSpeed(double speed) {
    return FormatFloat(QStringLiteral("#,##0"), speed);
}

QString BlowReason(TBlowReason reason) {
    switch (reason) {
    case TBlowReason::Clipped:
        return QStringLiteral("зашкал датчика");
    case TBlowReason::Format:
        return QStringLiteral("другой формат записи");
    case TBlowReason::Correlation:
        return QStringLiteral("не похож на остальные");
    case TBlowReason::Excluded:
        return QStringLiteral("исключён");
    }
    throw std::logic_error("unknown blow reason");
}

QString NoHammer() {
    return QStringLiteral("нет сигнала молотка");
}

QString Number(const char* pattern, const std::optional<double>& value, const QString& none) {
    return value ? FormatFloat(QString::fromLatin1(pattern), *value) : none;
}

QString Length(const std::optional<double>& metres) {
    return metres ? Number("0.00", metres) + QStringLiteral(" м") : QStringLiteral("—");
}

QString DepthAndTime(double metres, double ms) {
    return QStringLiteral("%1 (%2 мс)").arg(Length(metres), Number("0.00", ms));
}

QString Date(double dateTime) {
    return fromDateTimeValue(dateTime).toString(QStringLiteral("dd.MM.yyyy"));
}

QString Defects(const TPileAnalysis& a) {
    QStringList list;
    for (const TDefectMark& d : a.verdict.defects)
        list << (a.waveSpeed > 0 ? Length(a.Depth(d.time)) : Number("0.00", d.time) + QStringLiteral(" мс")) +
                    QLatin1Char(' ') + d.kind;
    return list.join(QStringLiteral("; "));
}

QString ClassWithMeaning(const QString& scheme, const QString& cls) {
    const QString meaning = classscheme::Meaning(scheme, cls);
    return meaning.isEmpty() ? cls : cls + QStringLiteral(" — ") + meaning;
}

QString FindingKind(const QString& kind) {
    static const QMap<QString, QString> words{{findingkind::kNarrowing, QStringLiteral("сужение")},
                                              {findingkind::kWidening, QStringLiteral("расширение")},
                                              {findingkind::kCrack, QStringLiteral("трещина")},
                                              {findingkind::kBreak, QStringLiteral("обрыв")},
                                              {findingkind::kShort, QStringLiteral("короче проекта")},
                                              {findingkind::kLong, QStringLiteral("длиннее проекта")}};
    return words.value(kind, kind);
}

QString Proposal(const TFirstPassResult& r, double shownSpeed) {
    const double scale = shownSpeed > 0 && r.speed > 0 ? shownSpeed / r.speed : 1;
    QStringList lines;
    lines << (r.cls.isEmpty()
                  ? QStringLiteral("Класс не предложен")
                  : QStringLiteral("Класс %1, уверенность %2").arg(r.cls, Number("0.00", r.classConfidence)));
    for (const TFinding& f : r.findings) {
        const bool length = f.kind == findingkind::kShort || f.kind == findingkind::kLong;
        const QString ratio = length ? QStringLiteral("%1 проектной длины").arg(Number("0.00", f.ratio))
                                     : QStringLiteral("Z/Z0 = %1").arg(Number("0.00", f.ratio));
        lines << QStringLiteral("%1: %2 м, %3, уверенность %4")
                     .arg(FindingKind(f.kind), Number("0.00", f.depth * scale), ratio,
                          Number("0.00", f.confidence));
    }
    if (r.findings.empty())
        lines << r.reasons; // why nothing is proposed, or what the toe says
    else if (r.toe.isEmpty())
        lines << QStringLiteral("подошва не видна");
    return lines.join('\n');
}

} // namespace piletexts
