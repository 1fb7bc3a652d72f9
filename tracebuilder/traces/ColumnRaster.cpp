#include "ColumnRaster.h"

#include <algorithm>

namespace {

constexpr QRgb kBlack = 0xFF000000;

} // namespace

ColumnRaster::ColumnRaster(QImage& image, int top, int bottom) : image_(image), top_(top), bottom_(bottom) {
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    bits_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / qsizetype(sizeof(QRgb));
}

void ColumnRaster::Extend(int row, int x) {
    const int i = row - top_;
    if (i < 0 || i >= int(left_.size()))
        return;
    left_[i] = std::min(left_[i], x);
    right_[i] = std::max(right_[i], x);
}

void ColumnRaster::Segment(int xa, int ya, int xb, int yb) {
    if (ya > yb) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    if (ya == yb) {
        Extend(ya, xa);
        Extend(ya, xb);
        return;
    }
    for (int r = ya; r <= yb; ++r)
        Extend(r, xa + (xb - xa) * (r - ya) / (yb - ya));
}

void ColumnRaster::Reach(int x0, const IArray<TPoint>& points, bool mirrored) {
    const int rows = std::max(0, bottom_ - top_ + 1);
    left_.assign(std::size_t(rows), x0);
    right_.assign(std::size_t(rows), x0);
    const auto segment = [&](int xa, int ya, int xb, int yb) {
        Segment(xa, ya, xb, yb);
        if (mirrored)
            Segment(2 * x0 - xa, ya, 2 * x0 - xb, yb);
    };
    // Several points usually share a row: their extremes are kept here until the row changes.
    int xa = x0, ya = top_, lo = x0, hi = x0;
    const auto flushRow = [&] { segment(lo, ya, hi, ya); };
    const int n = points.count();
    // The first and the last point are replaced by the ends of the centre line.
    for (int j = 1; j + 1 < n; ++j) {
        const TPoint& p = points.data()[j];
        const int xb = x0 + p.X, yb = top_ + p.Y;
        if (yb == ya) {
            lo = std::min(lo, xb);
            hi = std::max(hi, xb);
        } else {
            flushRow();
            segment(xa, ya, xb, yb);
            lo = hi = xb;
        }
        xa = xb;
        ya = yb;
    }
    flushRow();
    segment(xa, ya, x0, bottom_);
}

void ColumnRaster::Span(int row, int from, int to, QRgb colour) {
    if (row < 0 || row >= image_.height())
        return;
    from = std::max(from, 0);
    to = std::min(to, image_.width() - 1);
    if (from > to)
        return;
    QRgb* line = bits_ + row * stride_;
    std::fill(line + from, line + to + 1, colour);
}

void ColumnRaster::PaintLobes(int x0, QRgb leftFill) {
    const int rows = int(left_.size());
    for (int i = 0; i < rows; ++i) {
        const int row = top_ + i;
        if (left_[i] < x0) {
            // The outline runs from this row's outermost point in towards the neighbouring rows'.
            const int above = i > 0 ? left_[i - 1] : x0;
            const int below = i + 1 < rows ? left_[i + 1] : x0;
            const int outlineEnd = std::clamp(std::max(above, below) - 1, left_[i], x0 - 1);
            Span(row, outlineEnd + 1, x0 - 1, leftFill);
            Span(row, left_[i], outlineEnd, kBlack);
        }
        if (right_[i] > x0)
            Span(row, x0 + 1, right_[i], kBlack);
    }
}

void ColumnRaster::PaintShape() {
    for (int i = 0; i < int(left_.size()); ++i)
        Span(top_ + i, left_[i], right_[i], kBlack);
}

void ColumnRaster::PaintCentre(int x0) {
    for (int row = top_; row <= bottom_; ++row)
        Span(row, x0, x0, kBlack);
}
