#pragma once
// What the record views show and in which colours; kept in the settings file between runs.

#include "SpectrumView.h"

#include <QColor>

#include <array>
#include <cstdint>

// A colour as the settings file holds it: 0x00BBGGRR.
using TColor = std::uint32_t;

struct TDisplayFlags {
    std::array<bool, 3> ChSignalShow{true, true, true}; // sensor 1, sensor 2, hammer
    bool InvertSignal = true;
    std::array<bool, 2> ChSpectrumShow{true, true};
    SpectrumAbscissa SpectrumType = SpectrumAbscissa::Frequency;
    std::array<TColor, 3> ChColor{0xFF0000, 0x0000FF, 0x000000}; // blue, red, black
};

inline QColor ToQColor(TColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline TColor FromQColor(const QColor& c) {
    return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16;
}
