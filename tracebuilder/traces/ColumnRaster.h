#pragma once
// Draws trace columns straight into a 32-bit image. A side of a column is the polygon from the top
// of the centre line down the column's points to its bottom; filled and outlined, it covers on
// every pixel row the span between the centre line and the outermost point the polygon reaches in
// that row. Spans are written directly, which for columns of thousands of points is many times
// faster than a general polygon filler.

#include <QImage>
#include <vector>

#include "Traces.h"

class ColumnRaster {
public:
    // Rows from `top` down to `bottom` (the centre line's ends) of the given image.
    ColumnRaster(QImage& image, int top, int bottom);

    // Finds, row by row, how far left and right of x0 the line through (x0, top), the points
    // offset by x0 and the margin, and (x0, bottom) reaches. `mirrored` also reflects every
    // point about the centre line.
    void Reach(int x0, const IArray<TPoint>& points, bool mirrored);

    // Variable area: the left side light grey with a black outline, the right side black.
    void PaintLobes(int x0, QRgb leftFill);
    // The reach of both sides black.
    void PaintShape();
    // The centre line.
    void PaintCentre(int x0);

private:
    void Extend(int row, int x);
    void Segment(int xa, int ya, int xb, int yb);
    void Span(int row, int from, int to, QRgb colour);

    QImage& image_;
    QRgb* bits_;       // first pixel of the image, taken once
    qsizetype stride_; // pixels from one row to the next
    int top_;
    int bottom_;
    std::vector<int> left_, right_; // per row from top_, outermost x on each side of the centre
};
