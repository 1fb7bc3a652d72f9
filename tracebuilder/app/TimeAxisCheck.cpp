#include "TimeAxisCheck.h"

#include <cmath>

#include "NumberText.h"

namespace {

// How far the measured period may stray from the header's before the stamps count as broken.
constexpr double kPeriodTolerance = 2.0;

QString Microseconds(double seconds) {
    return generalFloatText(std::round(seconds * 1e7) / 10.0);
}

} // namespace

QString TimeAxisFault(const tTrc__Data& channel) {
    const std::size_t n = channel.points.count();
    if (n < 2)
        return {};
    const double(*p)[2] = channel.points.data();
    double previous = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = p[i][1];
        if (!std::isfinite(t))
            return QStringLiteral("отметки времени не числа");
        if (t < previous || (i == 0 && t != 0.0))
            return QStringLiteral("отметки времени идут назад");
        previous = t;
    }
    if (previous == 0.0)
        return QStringLiteral("отметки времени не меняются");
    const double measured = previous / double(n - 1);
    const double header = channel.headerPeriod;
    if (std::isfinite(header) && header > 0.0 &&
        (measured > header * kPeriodTolerance || measured * kPeriodTolerance < header))
        return QStringLiteral("шаг отметок времени %1 мкс, а период отсчётов в заголовке файла %2 мкс")
            .arg(Microseconds(measured), Microseconds(header));
    return {};
}
