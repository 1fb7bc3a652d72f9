#pragma once
// Numbers as the user reads and types them: the general floating-point form with the decimal
// separator of the user's locale.

#include <stdexcept>
#include <string>

#include <QString>

// Text that does not hold a number of the wanted kind; what() is the message for the user.
class tConvertError : public std::runtime_error {
public:
    explicit tConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Up to 15 significant digits, no trailing zeros, no separator for whole numbers, exponent
// form ("1,5E-6", "2E20") below 1E-4 and from 1E15 on.
QString generalFloatText(double value);
// The shortest text that reads back as the same float, in the same form.
QString generalFloatText(float value);

// A finite number in the user's locale; the C locale's point is taken as well.
double parseFloatText(const QString& text);
// A decimal integer; the caller keeps the low bits its variable holds.
long long parseIntegerText(const QString& text);
