#pragma once
// Builds the outline of one side of a trace column: from the top of the centre line down its
// points to the bottom of the centre line. Points that add nothing to the shape (repeats, and the
// middle of three on one vertical or horizontal line, between the other two) are left out, so
// that long columns draw fast; the filled area stays the same, and the outline differs only on the
// centre line, which the column draws anyway.

#include <QPolygon>

class ColumnShape {
public:
    ColumnShape(int x0, int top, int expectedPoints);
    void Add(int x, int y);
    // Closes the side at the bottom of the centre line and returns it.
    const QPolygon& Finish(int bottom);

private:
    QPolygon polygon_;
    int x0_;
};
