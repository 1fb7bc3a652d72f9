#include "PatternTicker.h"

#include "NumberFormat.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxDecimals = 15;
constexpr int kLabelledTicks = 3;

// Multiples of `step` in [lower, upper], a rounding error at either end included.
double ticksIn(double lower, double upper, double step) {
    const double slack = 1e-9;
    return std::floor(upper / step + slack) - std::ceil(lower / step - slack) + 1;
}

// The largest step of 1, 2, 2.5 or 5 times a power of ten not above `limit`.
double niceStepBelow(double limit) {
    const double power = std::pow(10.0, std::floor(std::log10(limit)));
    for (const double mantissa : {5.0, 2.5, 2.0, 1.0})
        if (mantissa * power <= limit * (1 + 1e-12))
            return mantissa * power;
    return power;
}

double nextNiceStepDown(double step) {
    return niceStepBelow(step * (1 - 1e-9));
}

class TPatternTicker : public QCPAxisTicker {
public:
    TPatternTicker(QString pattern, double increment) : FPattern(std::move(pattern)), FIncrement(increment) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return LabelStep(range.lower, range.upper, QCPAxisTicker::getTickStep(range), FIncrement,
                         std::min(kLabelledTicks, tickCount()));
    }
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale&, QChar, int) override {
        const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 0;
        const QString pattern = PatternForStep(FPattern, step);
        QVector<QString> labels;
        labels.reserve(ticks.size());
        for (double tick : ticks) {
            // A tick on zero lands a rounding error away from it.
            if (std::abs(tick) < 1e-9 * std::abs(step))
                tick = 0;
            labels.append(FormatFloat(pattern, tick));
        }
        return labels;
    }

private:
    QString FPattern;
    double FIncrement;
};

} // namespace

QString PatternForStep(const QString& pattern, double step) {
    if (!(step > 0) || !std::isfinite(step))
        return pattern;
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    // The decimals of the step itself: ticks are its multiples.
    int needed = 0;
    for (double scaled = step; needed < kMaxDecimals && std::abs(scaled - std::round(scaled)) > 1e-6 * scaled;
         scaled *= 10)
        ++needed;
    if (needed <= decimals)
        return pattern;
    return (point < 0 ? pattern + QLatin1Char('.') : pattern) + QString(needed - decimals, QLatin1Char('0'));
}

double LabelStep(double lower, double upper, double preferred, double increment, int labelled) {
    const double step = std::max(preferred, increment);
    const double span = upper - lower;
    labelled = std::max(labelled, 2);
    if (!(span > 0) || !std::isfinite(span) || !(step > 0) || ticksIn(lower, upper, step) >= labelled)
        return step;
    // n ticks need a step of at most span / (n - 1); one of span / n always has them.
    double candidate = niceStepBelow(std::min(span / (labelled - 1), step));
    while (ticksIn(lower, upper, candidate) < labelled)
        candidate = nextNiceStepDown(candidate);
    return candidate;
}

void SetAxisPattern(QCPAxis* axis, const QString& pattern, double increment) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new TPatternTicker(pattern, increment)));
}

std::vector<TTick> PatternTicks(double lower, double upper, const QString& pattern, int count) {
    std::vector<TTick> out;
    if (!(upper > lower) || !std::isfinite(upper - lower))
        return out;
    TPatternTicker ticker(pattern, 0);
    ticker.setTickCount(count);
    QVector<double> ticks;
    QVector<QString> labels;
    ticker.generate(QCPRange(lower, upper), QLocale(), QLatin1Char('g'), 6, ticks, nullptr, &labels);
    for (qsizetype i = 0; i < ticks.size() && i < labels.size(); ++i)
        if (ticks[i] >= lower && ticks[i] <= upper)
            out.push_back({ticks[i], labels[i]});
    return out;
}
