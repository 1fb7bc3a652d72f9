#pragma once
// A pile's analysis as vibrix-cli writes it in JSON: the only place where the speed's source and
// a blow's reason become words.

#include "TPileAnalysis.h"

#include <QJsonObject>
#include <QString>

namespace vibrixcli {

QJsonValue JsonValue(const std::optional<double>& v); // null when there is none
QString JsonWord(TSpeedSource source);                // "pile", "length", "site", "record"
QString JsonWord(TBlowReason reason);                 // "clipped", "format", "correlation", "excluded"
// The pile's object; with its blows, or only their count.
QJsonObject PileJson(const TPileAnalysis& r, const QString& scheme, bool withBlows);

} // namespace vibrixcli
