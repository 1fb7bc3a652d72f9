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
constexpr double kWeakToe = 0.3;  // the weakest toe reflection of soil worth expecting
constexpr double kToeClear = 5;   // noises: a toe echo this clear is seen
constexpr double kVanished = 0.2; // Z / Z0 of a section all but gone
constexpr double kRigid = 3;      // Z / Z0 of what stops the waves like rock

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

// The end of the pile as the pass takes it: its echo's sample, sign and confidence.
struct Toe {
    int echo = 0; // samples after the input peak
    bool free = true;
    double confidence = 0;
    bool repeatMissing = false;
};

// The toe the echoes show; none when nothing stands clear. A strong echo well above the design
// toe, with nothing below, is the pile's end even where a toe at the design depth would be too
// faint to show: a reduction of section running from there all the way down looks the same, but
// the reasons say so rather than the length being withheld.
std::optional<Toe> toeOfEchoes(const TFirstPassCurves& c, const TToeReading& t,
                               const TFirstPassPileInputs& in, double speed, QStringList& reasons) {
    if (!t.toe)
        return std::nullopt;
    const TEcho& echo = t.echoes[*t.toe];
    const double depth = speed * t.Time(c) / 2000;
    if (in.designLength && depth < (1 - kLengthTolerance) * *in.designLength && !designToeVisible(c, in))
        reasons << QStringLiteral(
                       "Подошву на проектной глубине запись показать не могла бы: отражение на %1 м "
                       "может быть и уменьшением сечения до самой подошвы.")
                       .arg(number(depth, 1));
    return Toe{int(std::lround(echo.index - c.peak)), echo.amplitude > 0, t.confidence,
               t.repeatExpected && !t.repeatSeen};
}

// Where the profile is matched down to: the toe, else the design length, else the deepest echo.
int matchWindow(const TFirstPassCurves& c, const TToeReading& t, const std::optional<Toe>& toe,
                const TFirstPassPileInputs& in, double speed) {
    if (toe)
        return toe->echo;
    if (in.designLength)
        return int(std::lround(2 * *in.designLength / speed * c.sampleFreq));
    for (std::size_t i = t.echoes.size(); i-- > 0;)
        if (t.primary[i])
            return int(std::lround(t.echoes[i].index - c.peak)) + c.pulse / 2;
    return 0;
}

// A stretch where the section all but vanishes, or one as stiff as rock that runs to the end of
// the match, is where the pile ends for its waves: nothing below returns.
std::optional<Toe> endInProfile(const TImpedanceProfile& p, const std::vector<TFinding>& found,
                                double layer) {
    for (std::size_t k = 1; k < p.stretches.size(); ++k) {
        const TProfileStretch& s = p.stretches[k];
        const bool vanished = s.ratio <= kVanished, rigid = s.ratio >= kRigid && k + 1 == p.stretches.size();
        if (!vanished && !rigid)
            continue;
        double confidence = 0;
        for (const TFinding& f : found)
            if (std::fabs(f.depth - s.top * layer) < layer / 2)
                confidence = f.confidence;
        return Toe{2 * s.top, vanished, confidence, false};
    }
    return std::nullopt;
}

// The toe, its length and what they tell against the design.
void readToe(const Toe& toe, const TFirstPassCurves& c, const TFirstPassPileInputs& in, TFirstPassResult& r) {
    const double ms = toe.echo * 1000.0 / c.sampleFreq, depth = r.speed * ms / 2000;
    r.toeTime = ms;
    r.toeDepth = depth;
    r.length = depth;
    r.toe = toe.free ? QStringLiteral("free") : QStringLiteral("fixed");
    r.toeConfidence = toe.confidence;
    r.reasons << QStringLiteral("Подошва на глубине %1 м (%2), уверенность %3.")
                     .arg(number(depth, 2),
                          toe.free ? QStringLiteral("отражение свободного или мягкого конца")
                                   : QStringLiteral("отражение как от скального основания"),
                          number(toe.confidence, 2));
    if (toe.repeatMissing)
        r.reasons << QStringLiteral("Повтор отражения подошвы на двойном времени не найден.");
    if (in.designLength) {
        const double share = depth / *in.designLength;
        if (share < 1 - kLengthTolerance) {
            r.findings.push_back({findingkind::kShort, depth, std::nullopt, share, toe.confidence});
            r.reasons
                << QStringLiteral(
                       "Свая короче проектной: %1 м вместо %2 м; обрыв на этой глубине выглядит так же.")
                       .arg(number(depth, 2), number(*in.designLength, 2));
        } else if (share > 1 + kLengthTolerance) {
            r.findings.push_back({findingkind::kLong, depth, std::nullopt, share, toe.confidence});
            r.reasons << QStringLiteral("Свая длиннее проектной: %1 м вместо %2 м.")
                             .arg(number(depth, 2), number(*in.designLength, 2));
        }
    } else if (toe.free && in.siteShortest && depth < (1 - kLengthTolerance) * *in.siteShortest) {
        r.findings.push_back({findingkind::kBreak, depth, std::nullopt, 0.0, toe.confidence});
        r.reasons << QStringLiteral(
                         "Проектная длина не задана; отражение на %1 м сильное и глубже ничего не "
                         "возвращается, а все сваи участка по проекту длиннее: вероятен обрыв, возможна "
                         "и короткая свая.")
                         .arg(number(depth, 2));
    }
}

struct Matched {
    TImpedanceProfile profile;
    std::vector<TFinding> findings;
};

Matched match(const TFirstPassCurves& c, int echo, const TFirstPassPileInputs& in, double speed) {
    const double layer = speed / c.sampleFreq;
    Matched m;
    m.profile = MatchImpedance(c, {echo, in.loss * layer, in.lossError * layer});
    if (m.profile.fitted) {
        // A change nearer the toe than a quarter of the pulse cannot be told from the toe itself.
        const double resolution = speed * c.pulse / c.sampleFreq / 4;
        m.findings = ProfileFindings(m.profile, {layer, in.loss * layer, c.noise, resolution});
    }
    return m;
}

void takeProfile(const Matched& m, double layer, TFirstPassResult& r) {
    const TImpedanceProfile& p = m.profile;
    r.match = p.residualShare;
    for (const TProfileStretch& s : p.stretches)
        r.profile.push_back({s.top * layer, s.ratio});
    r.profile.push_back({p.layers * layer, p.stretches.back().ratio});
    // Findings above the toe; a break at the toe is the toe's own finding.
    for (const TFinding& f : m.findings)
        if (!r.toeDepth || f.depth < *r.toeDepth - layer / 2)
            r.findings.push_back(f);
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
            "Запись молотка пуста: сила удара принята по входному импульсу скорости.");
    if (c.blowsUsed == 1)
        r.reasons << QStringLiteral("Использован один удар: шум не усреднён.");
    if (in.lossTypical)
        r.reasons << QStringLiteral(
                         "Затухание принято типичным (%1 1/м): на участке мало целых свай с видимой "
                         "подошвой.")
                         .arg(number(in.loss, 3));
    std::optional<Toe> toe = toeOfEchoes(c, t, in, r.speed, r.reasons);
    const int window = r.speed > 0 ? matchWindow(c, t, toe, in, r.speed) : 0;
    Matched m = match(c, window, in, r.speed);
    // The profile may end the pile above the echo taken for its toe: match again down to there.
    if (const auto end =
            m.profile.fitted ? endInProfile(m.profile, m.findings, r.speed / c.sampleFreq) : std::nullopt;
        end && (!toe || end->echo < toe->echo)) {
        toe = end;
        m = match(c, end->echo, in, r.speed);
    }
    if (toe)
        readToe(*toe, c, in, r);
    else
        r.reasons << QStringLiteral("подошва не видна");
    if (m.profile.fitted)
        takeProfile(m, r.speed / c.sampleFreq, r);
    else
        r.reasons << QStringLiteral("Профиль импеданса не построен: не видно, докуда сопоставлять.");
    std::sort(r.findings.begin(), r.findings.end(),
              [](const TFinding& a, const TFinding& b) { return a.depth < b.depth; });
    for (const TFinding& f : r.findings)
        if (f.kind != findingkind::kShort && f.kind != findingkind::kLong)
            r.reasons << QStringLiteral("Найдено: %1.").arg(FindingText(f));
    ProposeClass(r, in.scheme);
    return r;
}
