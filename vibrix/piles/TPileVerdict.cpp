#include "TPileVerdict.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int kVersion = 1;

QJsonValue optionalNumber(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

// A finite number, or none for null or absence; false when the value is of another kind.
bool readOptional(const QJsonObject& o, const char* key, std::optional<double>& out) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isNull() || v.isUndefined()) {
        out.reset();
        return true;
    }
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        return false;
    out = v.toDouble();
    return true;
}

bool readNumber(const QJsonObject& o, const char* key, double& out) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true; // an older verdict: the default stays
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        return false;
    out = v.toDouble();
    return true;
}

const char* const kSpeedChoices[] = {"site", "record"}; // in the order of TSpeedChoice

QJsonArray numbers(const std::vector<double>& values) {
    QJsonArray out;
    for (double v : values)
        out.append(v);
    return out;
}

bool readNumbers(const QJsonValue& array, std::vector<double>& out) {
    for (const QJsonValue& t : array.toArray()) {
        if (!t.isDouble())
            return false;
        out.push_back(t.toDouble());
    }
    return true;
}

} // namespace

bool TPileVerdict::IsIncluded(double dateTime) const {
    return std::find(included.begin(), included.end(), dateTime) != included.end();
}

bool TPileVerdict::IsExcluded(double dateTime) const {
    return std::find(excluded.begin(), excluded.end(), dateTime) != excluded.end();
}

bool TPileVerdict::AllowsAutomaticToe(double time) const {
    return !toeRemoved && std::none_of(defects.begin(), defects.end(), [&](const TDefectMark& d) {
        return d.kind == kBreakKind && d.time <= time;
    });
}

QString TPileVerdict::ToJson() const {
    QJsonArray marks;
    for (const TDefectMark& d : defects) {
        QJsonObject mark{{"time", d.time}, {"kind", d.kind}};
        // Written only when set: a verdict without the first pass stays as it was.
        if (d.firstPass)
            mark.insert("firstPass", true);
        marks.append(mark);
    }
    const QJsonObject p{{"lowpass", processing.lowpass}, {"lowpassOrder", processing.lowpassOrder},
                        {"amplify", processing.amplify}, {"threshold", processing.threshold},
                        {"bandLow", processing.bandLow}, {"bandHigh", processing.bandHigh}};
    QJsonObject o{{"version", kVersion},
                  {"length", optionalNumber(length)},
                  {"diameter", optionalNumber(diameter)},
                  {"speed", optionalNumber(speed)},
                  {"toeTime", optionalNumber(toeTime)},
                  {"defects", marks},
                  {"class", cls},
                  {"remark", remark},
                  {"excluded", numbers(excluded)},
                  {"processing", p}};
    if (toeRemoved) // only then: every other verdict keeps its stored text
        o.insert("toeRemoved", true);
    if (classFirstPass)
        o.insert("classFirstPass", true);
    if (speedChoice)
        o.insert("speedChoice", QLatin1String(kSpeedChoices[int(*speedChoice)]));
    if (!included.empty())
        o.insert("included", numbers(included));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

std::optional<TPileVerdict> TPileVerdict::FromJson(const QString& text) {
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    if (o.value("version").toInt(-1) != kVersion)
        return std::nullopt;
    TPileVerdict v;
    if (!readOptional(o, "length", v.length) || !readOptional(o, "diameter", v.diameter) ||
        !readOptional(o, "speed", v.speed) || !readOptional(o, "toeTime", v.toeTime))
        return std::nullopt;
    const QJsonValue removed = o.value("toeRemoved");
    if (!removed.isUndefined() && !removed.isBool())
        return std::nullopt;
    v.toeRemoved = removed.toBool();
    for (const QJsonValue& m : o.value("defects").toArray()) {
        const QJsonObject d = m.toObject();
        if (!d.value("time").isDouble() || !std::isfinite(d.value("time").toDouble()))
            return std::nullopt;
        v.defects.push_back(
            {d.value("time").toDouble(), d.value("kind").toString(), d.value("firstPass").toBool(false)});
    }
    v.cls = o.value("class").toString();
    v.classFirstPass = o.value("classFirstPass").toBool(false);
    v.remark = o.value("remark").toString();
    if (!readNumbers(o.value("excluded"), v.excluded) || !readNumbers(o.value("included"), v.included))
        return std::nullopt;
    if (const QJsonValue choice = o.value("speedChoice"); !choice.isUndefined()) {
        const auto* known =
            std::find_if(std::begin(kSpeedChoices), std::end(kSpeedChoices),
                         [&](const char* word) { return choice.toString() == QLatin1String(word); });
        if (known == std::end(kSpeedChoices))
            return std::nullopt; // a source this program does not know: not read as another
        v.speedChoice = TSpeedChoice(known - std::begin(kSpeedChoices));
    }
    const QJsonObject p = o.value("processing").toObject();
    double order = v.processing.lowpassOrder;
    if (!readNumber(p, "lowpass", v.processing.lowpass) || !readNumber(p, "lowpassOrder", order) ||
        !readNumber(p, "amplify", v.processing.amplify) ||
        !readNumber(p, "threshold", v.processing.threshold) ||
        !readNumber(p, "bandLow", v.processing.bandLow) || !readNumber(p, "bandHigh", v.processing.bandHigh))
        return std::nullopt;
    v.processing.lowpassOrder = int(order);
    return v;
}

const QString kBreakKind = QStringLiteral("обрыв");

bool TPileVerdict::Judged() const {
    return !cls.isEmpty() || !defects.empty() || toeTime.has_value() || toeRemoved;
}

const QStringList& DefectKinds() {
    static const QStringList kinds{QStringLiteral("сужение"), QStringLiteral("расширение"),
                                   QStringLiteral("трещина"), kBreakKind, QStringLiteral("иное")};
    return kinds;
}

namespace classscheme {

const QString kRoman = QStringLiteral("I-IV");
const QString kLetters = QStringLiteral("A-D");

QStringList Classes(const QString& scheme) {
    if (scheme == kRoman)
        return {"I", "II", "III", "IV"};
    if (scheme == kLetters)
        return {"A", "B", "C", "D"};
    return {};
}

QString Meaning(const QString& scheme, const QString& cls) {
    static const QStringList meanings{
        QStringLiteral("свая без дефектов"), QStringLiteral("незначительные отклонения"),
        QStringLiteral("дефект, требуется оценка"), QStringLiteral("свая дефектная")};
    const qsizetype i = Classes(scheme).indexOf(cls);
    return i < 0 ? QString() : meanings[i];
}

} // namespace classscheme
