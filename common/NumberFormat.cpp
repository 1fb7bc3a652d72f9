#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// What a picture pattern asks for.
struct Picture {
    int intDigits = 0;
    int decimals = 0;
    bool grouped = false;
    bool exponent = false;
    bool expPlus = false;
    int expDigits = 0;
};

Picture parsePicture(const QString& pattern) {
    Picture p;
    const qsizetype e = pattern.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
    const QString mantissa = e < 0 ? pattern : pattern.left(e);
    const qsizetype point = mantissa.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? mantissa : mantissa.left(point);
    p.intDigits = int(intPart.count(QLatin1Char('0')));
    p.grouped = intPart.contains(QLatin1Char(','));
    if (point >= 0)
        p.decimals = int(mantissa.mid(point + 1).count(QLatin1Char('0')) +
                         mantissa.mid(point + 1).count(QLatin1Char('#')));
    if (e >= 0) {
        p.exponent = true;
        p.expPlus = pattern.mid(e + 1, 1) == QLatin1String("+");
        p.expDigits = int(pattern.mid(e + 1).count(QLatin1Char('0')));
    }
    return p;
}

// The digits of a value, always with a point and an upper-case E whatever the C library's
// locale is (a GUI application adopts the user's locale, where printf writes a comma).
std::string printed(std::chars_format format, int precision, double value) {
    char buffer[512];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    std::string s(buffer, ec == std::errc() ? end : buffer);
    for (char& c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one. The result
// may be one digit longer when the carry runs through (999 -> 1000).
std::string roundDigits(std::string digits, std::size_t keep) {
    const bool up = digits.size() > keep && digits[keep] >= '5';
    digits.resize(keep);
    if (!up)
        return digits;
    for (std::size_t i = keep; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return '1' + digits;
}

QString groupDigits(const QString& intDigits, const QLocale& locale) {
    QString out;
    const qsizetype n = intDigits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += locale.groupSeparator();
        out += intDigits[i];
    }
    return out;
}

// Integer and decimal digits of |value| in fixed notation.
QString fixedBody(const Picture& p, double value, const QLocale& locale) {
    constexpr int guard = 25; // extra digits printed so that our own rounding sees the true tail
    const std::string s = printed(std::chars_format::fixed, p.decimals + guard, std::fabs(value));
    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1);
    const std::size_t intLen = point;
    digits = roundDigits(digits, intLen + std::size_t(p.decimals));
    const std::size_t newIntLen = digits.size() - std::size_t(p.decimals);
    QString intPart = QString::fromLatin1(digits.substr(0, newIntLen));
    while (intPart.size() > p.intDigits && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    while (intPart.size() < p.intDigits)
        intPart.prepend(QLatin1Char('0'));
    QString out = p.grouped ? groupDigits(intPart, locale) : intPart;
    if (p.decimals > 0)
        out += locale.decimalPoint() + QString::fromLatin1(digits.substr(newIntLen));
    return out;
}

// One integer digit, the decimals and the exponent of |value|.
QString exponentBody(const Picture& p, double value, const QLocale& locale) {
    constexpr int guard = 25;
    const std::string s = printed(std::chars_format::scientific, p.decimals + guard, std::fabs(value));
    const std::size_t e = s.find('E');
    int exponent = std::stoi(s.substr(e + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    digits = roundDigits(digits, std::size_t(1 + p.decimals));
    if (digits.size() > std::size_t(1 + p.decimals)) { // 9.99..95 became 10.00..0
        digits.pop_back();
        ++exponent;
    }
    if (value == 0.0)
        exponent = 0;
    QString out = QString(QLatin1Char(digits[0]));
    if (p.decimals > 0)
        out += locale.decimalPoint() + QString::fromLatin1(digits.substr(1));
    out += QLatin1Char('E');
    if (exponent < 0)
        out += QLatin1Char('-');
    else if (p.expPlus)
        out += QLatin1Char('+');
    return out + QStringLiteral("%1").arg(std::abs(exponent), p.expDigits, 10, QLatin1Char('0'));
}

bool hasNonZeroDigit(const QString& s) {
    for (QChar c : s)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return true;
    return false;
}

} // namespace

QString FormatFloat(const QString& pattern, double value, const QLocale& locale) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const Picture p = parsePicture(pattern);
    QString body = p.exponent ? exponentBody(p, value, locale) : fixedBody(p, value, locale);
    // A value that rounds to zero is shown without a sign.
    const QString mantissa = p.exponent ? body.left(body.indexOf(QLatin1Char('E'))) : body;
    if (value < 0 && hasNonZeroDigit(mantissa))
        body.prepend(QLatin1Char('-'));
    return body;
}

QString FreqToStr(double sampleFreq) {
    return FormatFloat(QStringLiteral("0.0"), sampleFreq);
}

QString SampleLenToStr(int sampleLen) {
    return QString::number(sampleLen);
}

QString VelocityToStr(double velocity) {
    return FormatFloat(QStringLiteral("0.0"), velocity);
}

QString BaseLenToStr(double baseLen) {
    return FormatFloat(QStringLiteral("0.0"), baseLen);
}

QString AmpToStr(double amp) {
    return FormatFloat(QStringLiteral("0.000"), amp);
}
