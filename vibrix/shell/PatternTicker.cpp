#include "PatternTicker.h"

#include "NumberFormat.h"

#include <qcustomplot.h>

#include <cmath>

namespace {

constexpr int kMaxDecimals = 15;

class TPatternTicker : public QCPAxisTicker {
public:
    explicit TPatternTicker(QString pattern) : FPattern(std::move(pattern)) {}

protected:
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale&, QChar, int) override {
        const QString pattern = PatternForStep(FPattern, ticks.size() > 1 ? ticks[1] - ticks[0] : 0);
        QVector<QString> labels;
        labels.reserve(ticks.size());
        for (double tick : ticks)
            labels.append(FormatFloat(pattern, tick));
        return labels;
    }

private:
    QString FPattern;
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

void SetAxisPattern(QCPAxis* axis, const QString& pattern) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new TPatternTicker(pattern)));
}
