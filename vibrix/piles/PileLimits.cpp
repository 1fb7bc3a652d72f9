#include "PileLimits.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr double kHighestLowpass = 0.45; // of the sampling rate
constexpr double kLowestLowpass = 100;   // Hz

QString number(double v) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, 'g', 7);
}

bool within(double v, double least, double most) {
    return std::isfinite(v) && v >= least && v <= most;
}

// "WHAT должна быть от LEAST до MOST UNIT", unless the value is within.
std::optional<QString> range(double v, double least, double most, const QString& what, const QString& unit) {
    if (within(v, least, most))
        return std::nullopt;
    return QStringLiteral("%1 от %2 до %3%4").arg(what, number(least), number(most), unit);
}

} // namespace

namespace pilelimits {

std::optional<QString> Speed(double metresPerSecond) {
    return range(metresPerSecond, 1000, 6000, QStringLiteral("Скорость волны должна быть"),
                 QStringLiteral(" м/с"));
}

std::optional<QString> Length(double metres) {
    return range(metres, 0.5, 100, QStringLiteral("Длина сваи должна быть"), QStringLiteral(" м"));
}

std::optional<QString> Diameter(double metres) {
    return range(metres, 0.1, 5, QStringLiteral("Диаметр сваи должен быть"), QStringLiteral(" м"));
}

std::optional<QString> Lowpass(double hz, double sampleFreq) {
    const double most = sampleFreq > 0 ? kHighestLowpass * sampleFreq : INFINITY;
    if (hz == 0 || within(hz, kLowestLowpass, most))
        return std::nullopt;
    const QString upper =
        sampleFreq > 0 ? QStringLiteral(" до %1 Гц").arg(number(most)) : QStringLiteral(" Гц");
    return QStringLiteral("Частота среза фильтра должна быть 0 (без фильтра) или от %1%2")
        .arg(number(kLowestLowpass), upper);
}

std::optional<QString> Amplify(double factor) {
    return range(factor, 1, 1000, QStringLiteral("Усиление должно быть"), QString());
}

} // namespace pilelimits
