#pragma once
// The values a pile's verdict can hold, bounds included, and why another is refused. The pile page
// and the command-line tool both ask here, so that they refuse the same values with the same words.

#include <QString>

#include <optional>

namespace pilelimits {

// Each gives the reason a value cannot be taken, in the user's words, or nothing when it can.
std::optional<QString> Speed(double metresPerSecond); // 1000 ... 6000 m/s
std::optional<QString> Length(double metres);         // 0.5 ... 100 m; an unknown length is no value
std::optional<QString> Diameter(double metres);       // 0.1 ... 5 m
// 0 (no filter) or 100 Hz up to 0.45 of the sampling rate: nearer to half of it the filter's
// sections are no longer a low-pass. Without a sampling rate (0) only the lower bound holds.
std::optional<QString> Lowpass(double hz, double sampleFreq);
std::optional<QString> Amplify(double factor); // 1 ... 1000

} // namespace pilelimits
