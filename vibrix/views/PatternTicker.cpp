#include "PatternTicker.h"

#include "NumberFormat.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxDecimals = 15;

class TPatternTicker : public QCPAxisTicker {
public:
    TPatternTicker(QString pattern, double increment) : FPattern(std::move(pattern)), FIncrement(increment) {}

protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(QCPAxisTicker::getTickStep(range), FIncrement);
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

void SetAxisPattern(QCPAxis* axis, const QString& pattern, double increment) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new TPatternTicker(pattern, increment)));
}
