#include "ParameterEdit.h"

#include "NumberFormat.h"

#include <cmath>

namespace {

EditOutcome acceptAtLeast(const QString& text, double inForce, double minimum, const QString& pattern) {
    const double v = EditValue(text, inForce);
    if (v >= minimum)
        return {true, v, text};
    return {false, inForce, FormatFloat(pattern, inForce)};
}

} // namespace

QChar FilterNumberKey(QChar key, const QLocale& locale) {
    if (key == QLatin1Char(',') || key == QLatin1Char('.'))
        return locale.decimalPoint().at(0);
    if (key == QLatin1Char('\b') || key == QLatin1Char('\r') ||
        (key >= QLatin1Char('0') && key <= QLatin1Char('9')))
        return key;
    if (key == locale.decimalPoint().at(0))
        return key;
    return QChar();
}

double EditValue(const QString& text, double inForce, const QLocale& locale) {
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(v) ? v : inForce;
}

EditOutcome AcceptGain(const QString& text, double gainInForce) {
    return acceptAtLeast(text, gainInForce, 0.0, QStringLiteral("0.000"));
}

EditOutcome AcceptVelocity(const QString& text, double velocityInForce) {
    return acceptAtLeast(text, velocityInForce, 1000.0, QStringLiteral("0.0"));
}
