#include "PileJson.h"

#include "DownloadUnit.h"

#include <QJsonArray>

#include <stdexcept>

namespace vibrixcli {

QJsonValue JsonValue(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QString JsonWord(TSpeedSource source) {
    switch (source) {
    case TSpeedSource::Pile:
        return QStringLiteral("pile");
    case TSpeedSource::Length:
        return QStringLiteral("length");
    case TSpeedSource::Site:
        return QStringLiteral("site");
    case TSpeedSource::Record:
        return QStringLiteral("record");
    }
    throw std::logic_error("unknown speed source");
}

QString JsonWord(TBlowReason reason) {
    switch (reason) {
    case TBlowReason::Clipped:
        return QStringLiteral("clipped");
    case TBlowReason::Format:
        return QStringLiteral("format");
    case TBlowReason::Correlation:
        return QStringLiteral("correlation");
    case TBlowReason::Excluded:
        return QStringLiteral("excluded");
    }
    throw std::logic_error("unknown blow reason");
}

QJsonObject PileJson(const TPileAnalysis& r, const QString& scheme, bool withBlows) {
    QJsonObject o{{"site", r.key.site},
                  {"pile", r.key.pile},
                  {"used", r.used},
                  {"waveSpeed", r.waveSpeed},
                  {"waveSpeedSource", JsonWord(r.waveSpeedSource)},
                  {"length", JsonValue(r.verdict.length)},
                  {"diameter", JsonValue(r.verdict.diameter)},
                  {"toeTime", JsonValue(r.toeTime)},
                  {"toeAuto", r.toeAuto},
                  {"toeDepth", JsonValue(r.toeDepth)},
                  {"lowpass", r.verdict.processing.lowpass},
                  {"amplify", r.verdict.processing.amplify},
                  {"scheme", scheme},
                  {"class", r.verdict.cls},
                  {"remark", r.verdict.remark}};
    if (r.verdict.speedChoice) { // the source the engineer chose, where waveSpeedSource may differ
        static const TSpeedSource sources[] = {TSpeedSource::Site, TSpeedSource::Record};
        o.insert("speedChoice", JsonWord(sources[int(*r.verdict.speedChoice)]));
    }
    if (withBlows) {
        QJsonArray blows;
        for (const TBlowReport& b : r.blows) {
            QJsonObject blow{{"row", b.row + 1},
                             {"shift", b.shift},
                             {"correlation", JsonValue(b.correlation)},
                             {"used", b.used},
                             {"reason", b.reason ? JsonWord(*b.reason) : QString()}};
            if (b.taken) // used by the engineer's word though unlike the others
                blow.insert("taken", true);
            blows.append(blow);
        }
        o.insert("blows", blows);
    } else {
        o.insert("blowCount", int(r.blows.size()));
    }
    o.insert("mobility", r.mobility && r.mobility->peakSpacing
                             ? QJsonValue(QJsonObject{{"peakSpacing", *r.mobility->peakSpacing},
                                                      {"length", JsonValue(r.mobilityLength)}})
                             : QJsonValue(QJsonValue::Null));
    QJsonArray defects;
    for (const TDefectMark& d : r.verdict.defects)
        defects.append(QJsonObject{{"time", d.time}, {"depth", r.Depth(d.time)}, {"kind", d.kind}});
    o.insert("defects", defects);
    o.insert("changed", r.changed ? QJsonValue(fromDateTimeValue(*r.changed).toString(Qt::ISODate))
                                  : QJsonValue(QJsonValue::Null));
    return o;
}

} // namespace vibrixcli
