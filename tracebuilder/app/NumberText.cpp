#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include <QLocale>

namespace {

// Significant digits (no trailing zeros) and decimal exponent of the first digit.
struct Digits {
    std::string digits;
    int exponent = 0;
};

template <class F> Digits scientificDigits(F value, const int* precision) {
    char buf[64];
    const auto r =
        precision ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, *precision)
                  : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string text(buf, r.ptr);
    const std::size_t e = text.find('e');
    Digits d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            d.digits += text[i];
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    d.exponent = std::stoi(text.substr(e + 1));
    return d;
}

QString layout(bool negative, const Digits& d) {
    const QString point = QLocale().decimalPoint();
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    QString text = negative ? QStringLiteral("-") : QString();
    if (d.exponent < -4 || d.exponent >= 15) {
        text += digits.left(1);
        if (digits.size() > 1)
            text += point + digits.mid(1);
        return text + QStringLiteral("E") + QString::number(d.exponent);
    }
    if (d.exponent < 0)
        return text + QStringLiteral("0") + point + QString(-d.exponent - 1, u'0') + digits;
    const qsizetype whole = d.exponent + 1;
    if (digits.size() <= whole)
        return text + digits + QString(whole - digits.size(), u'0');
    return text + digits.left(whole) + point + digits.mid(whole);
}

template <class F> QString generalText(F value, const int* precision) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    return layout(value < 0, scientificDigits(std::fabs(value), precision));
}

bool parseIn(QLocale locale, const QString& text, double& value) {
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    value = locale.toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

} // namespace

QString generalFloatText(double value) {
    const int significant = 14; // digits after the first
    return generalText(value, &significant);
}

QString generalFloatText(float value) {
    return generalText(value, nullptr);
}

double parseFloatText(const QString& text) {
    double value = 0.0;
    if (parseIn(QLocale(), text, value) || parseIn(QLocale::c(), text, value))
        return value;
    throw tConvertError(QStringLiteral("'%1' не является правильным числом с плавающей точкой").arg(text));
}

long long parseIntegerText(const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    const long long value = t.toLongLong(&ok, 10);
    if (ok)
        return value;
    const unsigned long long large = t.toULongLong(&ok, 10);
    if (ok)
        return static_cast<long long>(large);
    throw tConvertError(QStringLiteral("'%1' не является правильным целым числом").arg(text));
}
