#include "ColumnRaster.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr QRgb kBlack = 0xFF000000;

// Coordinates of the pen are in 1/64 pixel, slopes in 1/65536.
constexpr int kSub = 64;
constexpr int kHalfSub = 32;

int SlopeFixed(int num, int den) {
    return int((static_cast<long long>(num) << 16) / den);
}

// A 1-px pen along a closed polygon, as the raster engine's thin-line stroker draws it: each edge
// is walked along its major axis one pixel per step, the pixel an edge shares with the previous
// one is drawn once, and a pixel is added where two edges would otherwise leave a gap between them.
template <class Plot> class ThinPen {
public:
    explicit ThinPen(Plot plot) : plot_(plot) {}

    template <class V> void Closed(const std::vector<V>& v) {
        if (v.empty())
            return;
        // The closing edge comes last, but its end decides how the first edge starts.
        LastOf(v.back().x, v.back().y, v.front().x, v.front().y);
        V from = v.front();
        for (std::size_t i = 1; i < v.size(); ++i) {
            const bool drawn = Edge(from.x, from.y, v[i].x, v[i].y);
            // An edge too short to draw leaves the pen where it was, except at the ends.
            if (drawn || i == 1 || i + 1 == v.size())
                from = v[i];
        }
        Edge(from.x, from.y, v.front().x, v.front().y);
    }

private:
    enum Direction { Down = 1, Up = 2, Rightward = 4, Leftward = 8, Vertical = 3, Horizontal = 12 };
    enum Caps { Begin = 1, End = 2 };
    struct Point {
        int x, y;
    };

    static int SwapCaps(int caps) { return ((caps & Begin) << 1) | ((caps & End) >> 1); }

    // The direction and the last pixel of an edge, without drawing it.
    void LastOf(int px1, int py1, int px2, int py2) {
        last_ = {-1, -1};
        int a1 = px1 * kSub, b1 = py1 * kSub, a2 = px2 * kSub, b2 = py2 * kSub; // a major, b minor
        const bool vertical = std::abs(a2 - a1) < std::abs(b2 - b1);
        if (vertical) {
            std::swap(a1, b1);
            std::swap(a2, b2);
        } else if (a1 == a2) {
            return;
        }
        const bool reversed = a1 > a2;
        if (reversed) {
            std::swap(a1, a2);
            std::swap(b1, b2);
        }
        const int inc = SlopeFixed(b2 - b1, a2 - a1);
        int b = b1 << 10;
        const int a = (a1 + kHalfSub) >> 6, as = (a2 + kHalfSub) >> 6;
        if (a == as)
            return;
        b += (((a << 6) + (inc > 0 ? kHalfSub : 0) - a1) * inc) >> 6;
        const Point end = reversed ? Point{a, b >> 16} : Point{as - 1, (b + (as - a - 1) * inc) >> 16};
        last_ = vertical ? Point{end.y, end.x} : end;
        dir_ = vertical ? (reversed ? Up : Down) : (reversed ? Leftward : Rightward);
        axisAligned_ = std::abs(inc) < (1 << 14);
    }

    // Draws one edge; false when it was too short to be drawn.
    bool Edge(int px1, int py1, int px2, int py2) {
        bool drawn = std::abs(px2 - px1) + std::abs(py2 - py1) >= 1;
        int a1 = px1 * kSub, b1 = py1 * kSub, a2 = px2 * kSub, b2 = py2 * kSub;
        const bool vertical = std::abs(a2 - a1) < std::abs(b2 - b1);
        if (vertical) {
            std::swap(a1, b1);
            std::swap(a2, b2);
        } else if (a1 == a2) {
            return true;
        }
        Point last = last_; // in (x, y)
        int caps = 0;
        const bool reversed = a1 > a2;
        int dir = vertical ? Down : Rightward;
        if (reversed) {
            std::swap(a1, a2);
            std::swap(b1, b2);
            caps = SwapCaps(caps);
            dir = vertical ? Up : Leftward;
        }
        const int inc = SlopeFixed(b2 - b1, a2 - a1);
        int b = b1 << 10;
        // Turning back along the same axis extends the edge by half a pixel at the turn.
        if ((dir_ ^ (vertical ? Vertical : Horizontal)) == dir)
            caps |= reversed ? End : Begin;
        if (caps & Begin) {
            a1 -= kHalfSub;
            b -= inc >> 1;
        }
        if (caps & End)
            a2 += kHalfSub;
        int a = (a1 + kHalfSub) >> 6, as = (a2 + kHalfSub) >> 6;
        if (a != as) {
            b += (((a << 6) + (inc > 0 ? kHalfSub : 0) - a1) * inc) >> 6;
            Point first{a, b >> 16};
            Point end{as - 1, (b + (as - a - 1) * inc) >> 16};
            if (reversed)
                std::swap(first, end);
            if (vertical) {
                first = {first.y, first.x};
                end = {end.y, end.x};
            }
            last = end;
            const bool axisAligned = std::abs(inc) < (1 << 14);
            if (last_.x >= 0) {
                if (first.x == last_.x && first.y == last_.y) {
                    // The pixel the previous edge ended on.
                    if (reversed)
                        --as;
                    else {
                        ++a;
                        b += inc;
                    }
                } else if (dir_ != dir &&
                           ((axisAligned && axisAligned_ && last_.x != first.x && last_.y != first.y) ||
                            std::abs(last_.x - first.x) > 1 || std::abs(last_.y - first.y) > 1)) {
                    // A gap at the corner: one more pixel.
                    if (reversed)
                        ++as;
                    else {
                        --a;
                        b -= inc;
                    }
                }
            }
            dir_ = dir;
            axisAligned_ = axisAligned;
            do {
                if (vertical)
                    plot_(b >> 16, a);
                else
                    plot_(a, b >> 16);
                b += inc;
            } while (++a < as);
            drawn = true;
        }
        last_ = last;
        return drawn;
    }

    Plot plot_;
    int dir_ = Rightward;
    Point last_{INT_MIN, INT_MIN};
    bool axisAligned_ = false;
};

} // namespace

ColumnRaster::ColumnRaster(QImage& image, int top, int bottom) : image_(image), top_(top), bottom_(bottom) {
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    bits_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / qsizetype(sizeof(QRgb));
    width_ = image_.width();
    height_ = image_.height();
}

void ColumnRaster::PaintSide(QRgb fill) {
    Fill(fill);
    Outline();
}

void ColumnRaster::Span(int row, int from, int to, QRgb colour) {
    if (row < 0 || row >= height_)
        return;
    from = std::max(from, 0);
    to = std::min(to, width_ - 1);
    if (from > to)
        return;
    QRgb* line = bits_ + row * stride_;
    std::fill(line + from, line + to + 1, colour);
}

// Scan conversion of the closed polygon: every edge crosses the rows whose centres it passes, at
// the x of the crossing rounded in fixed point; between the first and the second crossing of a
// row, the third and the fourth, ... the row is inside.
namespace {

// x + 1/2 of the edge a-b (a the upper end) at the centre of row `row`, and its step per row, in
// 16.16 fixed point as the engine's scan converter computes them.
void EdgeCrossing(int ax, int ay, int bx, int by, int row, long long& x, long long& step) {
    x = 32768 + (static_cast<long long>(ax) << 16);
    step = 0;
    if (bx == ax)
        return;
    const double slope = double(bx - ax) / double(by - ay);
    step = static_cast<long long>(slope * 65536.0);
    x += (step * ((static_cast<long long>(row) << 16) + 32768 - (static_cast<long long>(ay) << 16))) >> 16;
}

} // namespace

// A side whose vertices go down from the top of the centre line to its bottom: every row between
// is crossed once by the centre line and once by the one edge that spans it.
void ColumnRaster::FillDownward(QRgb colour) {
    const int x0 = vertices_.front().x;
    const int firstRow = std::max(0, vertices_.front().y),
              lastRow = std::min(height_ - 1, vertices_.back().y - 1);
    for (std::size_t i = 0; i + 1 < vertices_.size(); ++i) {
        const Vertex a = vertices_[i], b = vertices_[i + 1];
        const int from = std::max(firstRow, a.y), to = std::min(lastRow, b.y - 1);
        if (from > to)
            continue;
        long long x = 0, step = 0;
        EdgeCrossing(a.x, a.y, b.x, b.y, from, x, step);
        for (int r = from; r <= to; ++r, x += step) {
            const int crossing = int(x >> 16);
            Span(r, std::min(crossing, x0), std::max(crossing, x0) - 1, colour);
        }
    }
}

void ColumnRaster::Fill(QRgb colour) {
    const std::size_t n = vertices_.size();
    if (n < 3)
        return;
    if (downward_)
        return FillDownward(colour);
    int minY = INT_MAX, maxY = INT_MIN;
    for (const Vertex& v : vertices_) {
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    const int firstRow = std::max(0, minY), lastRow = std::min(height_ - 1, maxY - 1);
    if (firstRow > lastRow)
        return;
    const int rows = lastRow - firstRow + 1;
    // The rows an edge crosses: from the row of its upper end to the row above its lower end.
    const auto rowsOf = [&](const Vertex& a, const Vertex& b, int& from, int& to) {
        from = std::max(firstRow, std::min(a.y, b.y));
        to = std::min(lastRow, std::max(a.y, b.y) - 1);
        return from <= to;
    };
    rowStart_.assign(std::size_t(rows) + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        int from = 0, to = 0;
        if (rowsOf(vertices_[i], vertices_[(i + 1) % n], from, to)) {
            ++rowStart_[std::size_t(from - firstRow) + 1];
            if (to + 1 <= lastRow)
                --rowStart_[std::size_t(to + 1 - firstRow) + 1];
        }
    }
    // Crossings per row, then where each row's crossings begin.
    int running = 0;
    for (int r = 0; r < rows; ++r) {
        running += rowStart_[std::size_t(r) + 1];
        rowStart_[std::size_t(r) + 1] = running;
    }
    for (int r = 0; r < rows; ++r)
        rowStart_[std::size_t(r) + 1] += rowStart_[std::size_t(r)];
    crossings_.resize(std::size_t(rowStart_.back()));
    std::vector<int> next(rowStart_.begin(), rowStart_.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        Vertex a = vertices_[i], b = vertices_[(i + 1) % n];
        int from = 0, to = 0;
        if (!rowsOf(a, b, from, to))
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        long long x = 0, step = 0;
        EdgeCrossing(a.x, a.y, b.x, b.y, from, x, step);
        for (int r = from; r <= to; ++r, x += step)
            crossings_[std::size_t(next[std::size_t(r - firstRow)]++)] = int(x >> 16);
    }
    for (int r = 0; r < rows; ++r) {
        int* begin = crossings_.data() + rowStart_[std::size_t(r)];
        int* end = crossings_.data() + rowStart_[std::size_t(r) + 1];
        std::sort(begin, end);
        for (int* c = begin; c + 1 < end; c += 2)
            Span(firstRow + r, c[0], c[1] - 1, colour);
    }
}

void ColumnRaster::Outline() {
    ThinPen pen([this](int x, int y) { Pixel(x, y); });
    pen.Closed(vertices_);
}

void ColumnRaster::PaintCentre(int x0) {
    for (int row = top_; row <= bottom_; ++row)
        Span(row, x0, x0, kBlack);
}
