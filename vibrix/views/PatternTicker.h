#pragma once
// Axis labels in a picture pattern ("#,##0.00") of the user's locale, as every number of the
// program is shown.

#include <QString>

#include <vector>

class QCPAxis;

// Ticks closer than the pattern's last decimal get the decimals that tell them apart: spectra
// of normalised samples are far below 0.01, and a column of "0,00" would say nothing. Ticks
// are not closer than `increment` (none when 0) unless fewer than three would be labelled (or
// fewer than the ticker's tick count, where a narrow chart asks for less).
void SetAxisPattern(QCPAxis* axis, const QString& pattern, double increment = 0);

// The step between labelled ticks on [lower, upper]: `preferred` (the ticker's own), at least
// `increment`, but never so coarse that fewer than `labelled` ticks are labelled: then the
// largest step of 1, 2, 2.5 or 5 times a power of ten that labels as many.
double LabelStep(double lower, double upper, double preferred, double increment, int labelled = 3);

// The pattern for labels `step` apart: `pattern` itself, or with as many decimals as needed.
QString PatternForStep(const QString& pattern, double step);

// Labelled ticks over [lower, upper] for an axis drawn by hand: about `count` of them at a step
// of 1, 2, 2.5 or 5 times a power of ten, labelled in `pattern` widened to the step's decimals.
struct TTick {
    double Value;
    QString Label;
};
std::vector<TTick> PatternTicks(double lower, double upper, const QString& pattern, int count);
