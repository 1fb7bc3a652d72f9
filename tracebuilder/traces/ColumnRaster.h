#pragma once
// Draws trace columns straight into a 32-bit image. A side of a column is a polygon from the top of
// the centre line down through one vertex per point to the bottom of the centre line; it is filled
// (odd-even rule) and outlined with a 1-px pen, pixel for pixel as QPainter's raster engine does
// it, but without its general machinery, which for columns of thousands of points is many times
// slower.

#include <QImage>
#include <vector>

#include "Traces.h"

class ColumnRaster {
public:
    // Rows from `top` down to `bottom` (the centre line's ends) of the given image.
    ColumnRaster(QImage& image, int top, int bottom);

    // Takes the polygon of one side: (x0, top), then x0 + offset(X) at depth top + Y for the
    // points between the first and the last, then (x0, bottom).
    void TakeSide(int x0, const IArray<TPoint>& points, int (*offset)(int));
    // Fills the side taken last, then draws its outline in black.
    void PaintSide(QRgb fill);
    // The centre line.
    void PaintCentre(int x0);

private:
    struct Vertex {
        int x, y;
    };
    void Fill(QRgb colour);
    void Outline();
    void Pixel(int x, int y);
    void Span(int row, int from, int to, QRgb colour);

    QImage& image_;
    QRgb* bits_;       // first pixel of the image, taken once
    qsizetype stride_; // pixels from one row to the next
    int top_;
    int bottom_;
    std::vector<Vertex> vertices_;
    std::vector<int> rowStart_, crossings_; // scratch of the fill
};
