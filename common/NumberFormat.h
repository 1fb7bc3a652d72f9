#pragma once
// Numbers as the user sees them: picture patterns in the user's locale.

#include <QLocale>
#include <QString>

// Formats a value by a picture pattern: "0.0", "0.000", "#,##0.00", "0.00000E+00", ...
// '0' is a digit always shown, '#' a digit shown when significant, ',' before the point asks
// for group separators, "E+"/"E-" an exponent (sign always / only when negative). Decimals
// are rounded half away from zero. The decimal and group separators are the locale's; the
// minus sign is always '-'.
QString FormatFloat(const QString& pattern, double value, const QLocale& locale = QLocale());

// Display formats of the recording parameters, in the user's locale.
QString FreqToStr(double sampleFreq);
QString SampleLenToStr(int sampleLen);
QString VelocityToStr(double velocity);
QString BaseLenToStr(double baseLen);
QString AmpToStr(double amp);
