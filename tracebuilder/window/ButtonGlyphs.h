#pragma once
// The pictures of the window's picture buttons.

#include <QIcon>

// Three wiggle traces side by side: building the traces.
QIcon buildGlyph();
// A printer with a sheet in it.
QIcon printGlyph();
