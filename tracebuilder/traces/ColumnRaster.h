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
    struct Vertex {
        int x, y;
    };

public:
    // Rows from `top` down to `bottom` (the centre line's ends) of the given image.
    ColumnRaster(QImage& image, int top, int bottom);

    // Takes the polygon of one side: (x0, top), then x0 + offset(X) at depth top + Y for the
    // points between the first and the last, then (x0, bottom). A vertex equal to the one before
    // it, or one in the middle of a straight run down or across, changes neither fill nor outline
    // and is left out.
    template <class Offset> void TakeSide(int x0, const IArray<TPoint>& points, Offset offset) {
        const std::size_t n = points.count();
        vertices_.clear();
        if (n == 0)
            return;
        vertices_.reserve(n);
        vertices_.push_back({x0, top_});
        downward_ = true;
        for (std::size_t j = 1; j + 1 < n; ++j) {
            const TPoint& p = points.data()[j];
            Add({x0 + offset(p.X), top_ + p.Y});
        }
        if (n > 1)
            Add({x0, bottom_});
        else
            vertices_.front() = {x0, bottom_}; // the first point is the last one too
    }
    // Fills the side taken last, then draws its outline in black.
    void PaintSide(QRgb fill);
    // The centre line.
    void PaintCentre(int x0);

private:
    void Add(const Vertex& v) {
        Vertex& last = vertices_.back();
        if (v.x == last.x && v.y == last.y)
            return;
        downward_ = downward_ && v.y >= last.y;
        if (vertices_.size() >= 2) {
            const Vertex& before = vertices_[vertices_.size() - 2];
            const bool down = before.x == last.x && last.x == v.x && before.y < last.y && last.y < v.y;
            const bool across = before.y == last.y && last.y == v.y &&
                                ((before.x < last.x && last.x < v.x) || (before.x > last.x && last.x > v.x));
            if (down || across) {
                last = v;
                return;
            }
        }
        vertices_.push_back(v);
    }
    void Fill(QRgb colour);
    void FillDownward(QRgb colour);
    void Outline();
    void Pixel(int x, int y) {
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            bits_[y * stride_ + x] = 0xFF000000;
    }
    void Span(int row, int from, int to, QRgb colour);

    QImage& image_;
    QRgb* bits_;       // first pixel of the image, taken once
    qsizetype stride_; // pixels from one row to the next
    int width_;
    int height_;
    int top_;
    int bottom_;
    std::vector<Vertex> vertices_;
    bool downward_ = false; // the vertices never go up: each row is crossed by one edge of the side
    std::vector<int> rowStart_, crossings_; // scratch of the fill
};
