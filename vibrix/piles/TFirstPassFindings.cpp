#include "TFirstPassFindings.h"

#include "TPileVerdict.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kNarrow = 0.9, kWide = 1.1;
constexpr double kCrackLength = 0.5; // m: shorter, a drop is a crack and its beta what its deficit allows
constexpr double kVanished = 0.15;   // Z / Z0: the section all but gone
constexpr double kCounts = 0.5;      // the confidence from which a finding sets the class
constexpr double kClassBounds[] = {0.9, 0.7, 0.4};

QString number(double v, int decimals) {
    return QLocale().toString(v, 'f', decimals);
}

// The confidence of a change whose echo at the head is `echo` (relative to the input) against a
// level of noise and misfit: none at twice that level, nearly certain at ten times.
double confidenceOf(double echo, double level) {
    if (!(level > 0))
        return 1;
    return std::clamp(1 - std::exp(-(echo / level - 2) / 3), 0.0, 1.0);
}

// The echo the step at the top of stretch k sends to the head, with the loss of its way there.
double stepEcho(const TImpedanceProfile& p, std::size_t k, double lossPerLayer) {
    if (k == 0 || k >= p.stretches.size())
        return 0;
    const double above = p.stretches[k - 1].ratio, below = p.stretches[k].ratio;
    return 2 * std::fabs(above - below) / (above + below) * std::exp(-2 * lossPerLayer * p.stretches[k].top);
}

TFinding stretchFinding(const TImpedanceProfile& p, std::size_t first, std::size_t last, bool narrow,
                        const TFindingContext& c) {
    TFinding f;
    const auto& s = p.stretches;
    f.depth = s[first].top * c.layer;
    const bool toToe = s[last].bottom >= p.layers;
    if (!toToe)
        f.bottom = s[last].bottom * c.layer;
    // The stretch's strongest part at the end of the loss's range that makes it least of a change.
    double deficit = 0, worst = narrow ? 1.0 : 0.0, doubt = narrow ? INFINITY : 0.0;
    for (std::size_t k = first; k <= last; ++k) {
        worst = narrow ? std::min(worst, s[k].ratio) : std::max(worst, s[k].ratio);
        doubt = narrow ? std::min(doubt, s[k].high) : std::max(doubt, s[k].low);
        deficit += (1 - s[k].ratio) * (s[k].bottom - s[k].top) * c.layer;
    }
    const double length = (s[last].bottom - s[first].top) * c.layer;
    f.ratio = worst;
    if (!narrow)
        f.kind = findingkind::kWidening;
    else if (worst <= kVanished)
        f.kind = findingkind::kBreak;
    else if (length < kCrackLength && !toToe) {
        f.kind = findingkind::kCrack;
        f.ratio = std::max(0.0, 1 - deficit / kCrackLength);
    } else
        f.kind = findingkind::kNarrowing;
    const double level = std::hypot(c.noise, p.residualLevel);
    const double echo = std::max(stepEcho(p, first, c.lossPerLayer), stepEcho(p, last + 1, c.lossPerLayer));
    f.confidence = confidenceOf(echo, level);
    // Where the loss's uncertainty alone could make even that part sound, the finding is in doubt.
    if ((narrow && doubt >= kNarrow) || (!narrow && doubt <= kWide))
        f.confidence *= 0.5;
    return f;
}

} // namespace

std::vector<TFinding> ProfileFindings(const TImpedanceProfile& p, const TFindingContext& c) {
    std::vector<TFinding> findings;
    const auto& s = p.stretches;
    for (std::size_t k = 1; k < s.size();) {
        const bool narrow = s[k].ratio<kNarrow, wide = s[k].ratio> kWide;
        if (!narrow && !wide) {
            ++k;
            continue;
        }
        std::size_t last = k;
        while (last + 1 < s.size() && (narrow ? s[last + 1].ratio < kNarrow : s[last + 1].ratio > kWide))
            ++last;
        if ((p.layers - s[k].top) * c.layer >= c.resolution)
            findings.push_back(stretchFinding(p, k, last, narrow, c));
        k = last + 1;
    }
    return findings;
}

void ProposeClass(TFirstPassResult& r, const QString& scheme) {
    const QStringList classes = classscheme::Classes(scheme);
    if (classes.size() != 4)
        return;
    const TFinding* setting = nullptr;
    int band = 0;
    for (const TFinding& f : r.findings) {
        if (f.confidence < kCounts || f.kind == findingkind::kWidening || f.kind == findingkind::kLong)
            continue;
        int b = 3;
        if (f.kind != findingkind::kBreak && f.kind != findingkind::kShort)
            b = int(std::count_if(std::begin(kClassBounds), std::end(kClassBounds),
                                  [&](double bound) { return f.ratio < bound; }));
        if (b > band || (b == band && setting && f.confidence > setting->confidence)) {
            band = b;
            setting = &f;
        }
    }
    const bool widened = std::any_of(r.findings.begin(), r.findings.end(), [](const TFinding& f) {
        return f.kind == findingkind::kWidening && f.confidence >= kCounts;
    });
    if (band == 0 && r.toe.isEmpty() && !widened)
        return; // the reasons say already that the toe is not seen
    r.cls = classes[band];
    r.classConfidence = setting ? setting->confidence : r.toeConfidence;
    if (band == 0)
        r.reasons << QStringLiteral("Класс %1: сужений, трещин и обрывов не найдено.").arg(r.cls);
    else
        r.reasons << QStringLiteral("Класс %1 по находке: %2.").arg(r.cls, FindingText(*setting));
}

QString FindingText(const TFinding& f) {
    const QString where = f.bottom ? QStringLiteral("%1–%2 м").arg(number(f.depth, 1), number(*f.bottom, 1))
                                   : QStringLiteral("%1 м").arg(number(f.depth, 1));
    const QString sure = QStringLiteral("уверенность %1").arg(number(f.confidence, 2));
    if (f.kind == findingkind::kShort || f.kind == findingkind::kLong)
        return QStringLiteral("свая %1 проектной: длина %2 м (%3 %), %4")
            .arg(f.kind == findingkind::kShort ? QStringLiteral("короче") : QStringLiteral("длиннее"),
                 number(f.depth, 1), number(100 * f.ratio, 0), sure);
    static const QMap<QString, QString> names{{findingkind::kNarrowing, QStringLiteral("сужение")},
                                              {findingkind::kWidening, QStringLiteral("расширение")},
                                              {findingkind::kCrack, QStringLiteral("трещина")},
                                              {findingkind::kBreak, QStringLiteral("обрыв")}};
    return QStringLiteral("%1 на %2, Z/Z0 = %3, %4")
        .arg(names.value(f.kind), where, number(f.ratio, 2), sure);
}
