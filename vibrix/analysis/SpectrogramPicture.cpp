#include "SpectrogramPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool inArea(int a) {
    return a >= 0 && a < TSpectrogramPicture::AreaSize;
}

// Palette entry trunc(log10(v + 1) * scale), clamped to 0 .. 255, found among the 255 values
// where it steps up: the same entry as the formula without a logarithm per pixel.
class GreyScale {
public:
    explicit GreyScale(double scale) : FScale(scale) {
        for (int k = 1; k <= 255; ++k)
            FSteps[std::size_t(k - 1)] = FirstValueOf(k);
    }
    int Entry(double v) const {
        // Counts the steps at or below v; branch-free, as neighbouring pixels jump about.
        int k = 0;
        for (int step = 128; step > 0; step /= 2)
            k += FSteps[std::size_t(k + step - 1)] <= v ? step : 0;
        return k;
    }

private:
    int Formula(double v) const {
        const double level = std::log10(v + 1) * FScale;
        return level >= 0 ? int(std::min(level, 255.0)) : 0;
    }
    // The smallest value whose entry is at least k. Non-negative doubles are ordered like their
    // bit patterns, so a bisection over those finds it exactly in at most 64 steps, whatever
    // the scale (a tiny largest value gives a huge one).
    double FirstValueOf(int k) const {
        std::uint64_t lo = 0;
        std::uint64_t hi = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity());
        while (lo < hi) {
            const std::uint64_t mid = lo + (hi - lo) / 2;
            if (Formula(std::bit_cast<double>(mid)) >= k)
                hi = mid;
            else
                lo = mid + 1;
        }
        return std::bit_cast<double>(lo);
    }

    double FScale;
    std::array<double, 255> FSteps{};
};

} // namespace

TSpectrogramPicture::TSpectrogramPicture() : FPicture(ImageSize, ImageSize, QImage::Format_RGB32) {
    FPicture.fill(Qt::white);
    FImage = FPicture;
}

void TSpectrogramPicture::DrawCaptions(const QFont& font) {
    TextOutRotated(FPicture, font, 0, AreaSize, QStringLiteral("время t"), 0);
    TextOutRotated(FPicture, font, AreaSize, AreaSize, QStringLiteral("частота f  (глубина h)"), 90);
    drawCursors();
}

void TSpectrogramPicture::ClearArea() {
    for (int y = 0; y < AreaSize; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(FPicture.scanLine(y)), AreaSize, QRgb(0xFFFFFFFF));
    FTimeCursor = FFreqCursor = -1;
    drawCursors();
}

void TSpectrogramPicture::DrawSpectrogram(std::span<const double> values, int lines, double largest) {
    if (lines < AreaSize || values.size() < std::size_t(AreaSize) * std::size_t(lines)) {
        ClearArea();
        return;
    }
    // log10(largest + 1) is 0 for an all-zero spectrogram: everything is then white.
    if (!(largest > 0) || !std::isfinite(largest)) {
        ClearArea();
        return;
    }
    const GreyScale grey(255.0 / std::log10(largest + 1));
    // Column by column: the values of a column lie together, the image rows stay in cache.
    uchar* bottom = FPicture.scanLine(AreaSize - 1);
    const qsizetype rowStep = FPicture.bytesPerLine();
    for (int c = 0; c < AreaSize; ++c) {
        const double* column = values.data() + std::size_t(c) * std::size_t(lines);
        uchar* pixel = bottom + qsizetype(c) * qsizetype(sizeof(QRgb));
        for (int l = 0; l < AreaSize; ++l, pixel -= rowStep)
            *reinterpret_cast<QRgb*>(pixel) = PaletteColor(grey.Entry(column[l]));
    }
    FTimeCursor = FFreqCursor = -1;
    drawCursors();
}

void TSpectrogramPicture::SetTimeCursor(int column) {
    FTimeCursor = inArea(column) ? column : -1;
    drawCursors();
}

void TSpectrogramPicture::SetFreqCursor(int row) {
    FFreqCursor = inArea(row) ? row : -1;
    drawCursors();
}

// A light line three pixels wide under a dark dashed one: the dashes show on light greys, the
// edge and the gaps on dark ones.
void TSpectrogramPicture::drawCursors() {
    FImage = FPicture.copy();
    if (FTimeCursor < 0 && FFreqCursor < 0)
        return;
    QPainter painter(&FImage);
    painter.setClipRect(0, 0, AreaSize, AreaSize);
    const auto line = [&](const QLine& l) {
        painter.setPen(QPen(QColor(255, 255, 255), 3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(l);
        painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(l);
    };
    if (FTimeCursor >= 0)
        line(QLine(FTimeCursor, 0, FTimeCursor, AreaSize - 1));
    if (FFreqCursor >= 0)
        line(QLine(0, FFreqCursor, AreaSize - 1, FFreqCursor));
}

void TextOutRotated(QImage& image, const QFont& font, int x, int y, const QString& text, double angle) {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.translate(x, y);
    painter.rotate(-angle);
    painter.drawText(QPointF(0, QFontMetrics(font).ascent()), text);
}
