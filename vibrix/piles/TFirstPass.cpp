#include "TFirstPass.h"

#include "TFirstPassFindings.h"
#include "TImpedanceMatch.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSearchDepth = 60;   // m: no low-strain test reads deeper
constexpr double kSearchBeyond = 1.5; // of the design length, for a longer design
constexpr double kLengthTolerance = 0.1;
constexpr double kWeakToe = 0.3;   // the weakest toe reflection of soil worth expecting
constexpr double kToeClear = 5;    // noises: a toe echo this clear is seen
constexpr double kBreakEcho = 0.6; // the least loss-free reflection of a break

QString number(double v, int decimals) {
    return QLocale().toString(v, 'f', decimals);
}

double speedInForce(const TFirstPassCurves& c, const TFirstPassPileInputs& in) {
    if (in.ownSpeed && *in.ownSpeed > 0)
        return *in.ownSpeed;
    if (in.siteSpeed && *in.siteSpeed > 0)
        return *in.siteSpeed;
    return c.recordVelocity;
}

// Would a toe at the design depth, reflecting as weakly as soil lets it, stand clear of the
// noise? If not, an echo above it says nothing of a short pile.
bool designToeVisible(const TFirstPassCurves& c, const TFirstPassPileInputs& in) {
    const double expected = 2 * kWeakToe * std::exp(-2 * (in.loss + in.lossError) * *in.designLength);
    return expected >= kToeClear * c.noise;
}

// The toe, its length and what they tell against the design; false when the toe is not seen.
bool readToe(const TFirstPassCurves& c, const TToeReading& t, const TFirstPassPileInputs& in,
             TFirstPassResult& r) {
    if (!t.toe) {
        r.reasons << QStringLiteral("подошва не видна");
        return false;
    }
    const TEcho& echo = t.echoes[*t.toe];
    const double ms = t.Time(c), depth = r.speed * ms / 2000;
    if (in.designLength && depth < (1 - kLengthTolerance) * *in.designLength && !designToeVisible(c, in)) {
        r.reasons << QStringLiteral("подошва не видна")
                  << QStringLiteral(
                         "Сильное отражение на %1 м, выше проектной подошвы; подошву на проектной глубине "
                         "запись показать не может, поэтому короткая свая не утверждается.")
                         .arg(number(depth, 1));
        return false;
    }
    r.toeTime = ms;
    r.toeDepth = depth;
    r.length = depth;
    r.toe = echo.amplitude > 0 ? QStringLiteral("free") : QStringLiteral("fixed");
    r.toeConfidence = t.confidence;
    r.reasons << QStringLiteral("Подошва на глубине %1 м (%2), уверенность %3.")
                     .arg(number(depth, 2),
                          echo.amplitude > 0 ? QStringLiteral("отражение свободного или мягкого конца")
                                             : QStringLiteral("отражение как от скального основания"),
                          number(t.confidence, 2));
    if (t.repeatExpected && !t.repeatSeen)
        r.reasons << QStringLiteral("Повтор отражения подошвы на двойном времени не найден.");
    const double reflection = std::fabs(echo.amplitude) / 2 * std::exp(r.loss * 2 * depth);
    if (in.designLength) {
        const double share = depth / *in.designLength;
        if (share < 1 - kLengthTolerance) {
            r.findings.push_back({findingkind::kShort, depth, std::nullopt, share, t.confidence});
            r.reasons
                << QStringLiteral(
                       "Свая короче проектной: %1 м вместо %2 м; обрыв на этой глубине выглядит так же.")
                       .arg(number(depth, 2), number(*in.designLength, 2));
        } else if (share > 1 + kLengthTolerance) {
            r.findings.push_back({findingkind::kLong, depth, std::nullopt, share, t.confidence});
            r.reasons << QStringLiteral("Свая длиннее проектной: %1 м вместо %2 м.")
                             .arg(number(depth, 2), number(*in.designLength, 2));
        }
    } else if (echo.amplitude > 0 && reflection >= kBreakEcho && in.siteShortest &&
               depth < (1 - kLengthTolerance) * *in.siteShortest) {
        r.findings.push_back({findingkind::kBreak, depth, std::nullopt, 0.0, t.confidence});
        r.reasons << QStringLiteral(
                         "Проектная длина не задана; отражение на %1 м сильное и глубже ничего не "
                         "возвращается, а все сваи участка по проекту длиннее: вероятен обрыв, возможна "
                         "и короткая свая.")
                         .arg(number(depth, 2));
    }
    return true;
}

void matchProfile(const TFirstPassCurves& c, const TToeReading& t, const TFirstPassPileInputs& in,
                  TFirstPassResult& r) {
    int echo = 0;
    if (r.toeTime)
        echo = int(std::lround(t.echoes[*t.toe].index - c.peak));
    else if (in.designLength && r.speed > 0)
        echo = int(std::lround(2 * *in.designLength / r.speed * c.sampleFreq));
    const double layer = r.speed / c.sampleFreq;
    const TImpedanceProfile p = MatchImpedance(c, {echo, r.loss * layer, in.lossError * layer});
    if (!p.fitted) {
        r.reasons << QStringLiteral("Профиль импеданса не построен: не видно, докуда сопоставлять.");
        return;
    }
    r.match = p.residualShare;
    for (const TProfileStretch& s : p.stretches)
        r.profile.push_back({s.top * layer, s.ratio});
    r.profile.push_back({p.layers * layer, p.stretches.back().ratio});
    // A change nearer the toe than a quarter of the pulse cannot be told from the toe itself.
    const double resolution = r.speed * c.pulse / c.sampleFreq / 4;
    const std::vector<TFinding> found = ProfileFindings(p, {layer, r.loss * layer, c.noise, resolution});
    // Found above the toe: a break there would leave the toe unseen, so it stands after the toe's.
    r.findings.insert(r.findings.begin(), found.begin(), found.end());
    r.reasons << QStringLiteral("Модель совпадает с записью до %1 %: остаток %2 % энергии кривой.")
                     .arg(number(100 * (1 - p.residualShare), 0), number(100 * p.residualShare, 1));
}

} // namespace

std::optional<double> TFirstPassResult::EquivalentDiameter(const TProfilePoint& p) const {
    if (!diameter)
        return std::nullopt;
    return *diameter * std::sqrt(std::max(0.0, p.ratio));
}

double ToeSearchMs(double speed, std::optional<double> designLength) {
    const double depth = std::max(kSearchDepth, kSearchBeyond * designLength.value_or(0));
    return speed > 0 ? 2000 * depth / speed : 0;
}

TFirstPassResult FirstPass(const TFirstPassCurves& c, const TToeReading& t, const TFirstPassPileInputs& in) {
    TFirstPassResult r;
    r.diameter = in.diameter;
    r.loss = in.loss;
    if (!c.Valid()) {
        r.reasons << QStringLiteral("Нет ни одного использованного удара: читать нечего.");
        return r;
    }
    r.speed = speedInForce(c, in);
    if (c.hammerSilent)
        r.reasons << QStringLiteral(
            "Запись молотка пуста: сила удара принята полусинусом по входному импульсу.");
    if (c.blowsUsed == 1)
        r.reasons << QStringLiteral("Использован один удар: шум не усреднён.");
    if (in.lossTypical)
        r.reasons << QStringLiteral(
                         "Затухание принято типичным (%1 1/м): на участке мало целых свай с видимой "
                         "подошвой.")
                         .arg(number(in.loss, 3));
    readToe(c, t, in, r);
    if (r.speed > 0)
        matchProfile(c, t, in, r);
    std::sort(r.findings.begin(), r.findings.end(),
              [](const TFinding& a, const TFinding& b) { return a.depth < b.depth; });
    for (const TFinding& f : r.findings)
        if (f.kind != findingkind::kShort && f.kind != findingkind::kLong)
            r.reasons << QStringLiteral("Найдено: %1.").arg(FindingText(f));
    ProposeClass(r, in.scheme);
    return r;
}
