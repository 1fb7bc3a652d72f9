#include "ParameterChecks.h"

#include <cmath>

#include "NumberText.h"

namespace {

QString PositiveFault(double value, const QString& what) {
    return std::isfinite(value) && value > 0.0 ? QString() : what;
}

} // namespace

QString VelocityFault(double velocity) {
    return PositiveFault(velocity, QStringLiteral("Скорость должна быть больше нуля."));
}

QString BaseFault(double base) {
    return PositiveFault(base, QStringLiteral("База должна быть больше нуля."));
}

QString DepthFault(double depth) {
    return PositiveFault(depth, QStringLiteral("Глубина должна быть больше нуля."));
}

QString GainFault(double ku) {
    if (std::isfinite(ku) && std::fabs(ku) <= kLargestGain)
        return {};
    return QStringLiteral(
               "Усиление должно быть от -%1 до %1: при большем усилении отсчёты не представимы числами.")
        .arg(generalFloatText(kLargestGain));
}
