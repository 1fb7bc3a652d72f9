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

constexpr QRgb kInvert = 0x00FFFFFF;

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

TSpectrogramPicture::TSpectrogramPicture() : FImage(ImageSize, ImageSize, QImage::Format_RGB32) {
    FImage.fill(Qt::white);
}

void TSpectrogramPicture::DrawCaptions(const QFont& font) {
    TextOutRotated(FImage, font, 0, AreaSize, QStringLiteral("время t"), 0);
    TextOutRotated(FImage, font, AreaSize, AreaSize, QStringLiteral("частота f  (глубина h)"), 90);
}

void TSpectrogramPicture::ClearArea() {
    for (int y = 0; y < AreaSize; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(FImage.scanLine(y)), AreaSize, QRgb(0xFFFFFFFF));
    FTimeCursor = FFreqCursor = -1;
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
    uchar* bottom = FImage.scanLine(AreaSize - 1);
    const qsizetype rowStep = FImage.bytesPerLine();
    for (int c = 0; c < AreaSize; ++c) {
        const double* column = values.data() + std::size_t(c) * std::size_t(lines);
        uchar* pixel = bottom + qsizetype(c) * qsizetype(sizeof(QRgb));
        for (int l = 0; l < AreaSize; ++l, pixel -= rowStep)
            *reinterpret_cast<QRgb*>(pixel) = PaletteColor(grey.Entry(column[l]));
    }
    FTimeCursor = FFreqCursor = -1;
}

void TSpectrogramPicture::XorVerticalLine(int column) {
    if (!inArea(column))
        return;
    for (int y = 0; y < AreaSize; ++y)
        reinterpret_cast<QRgb*>(FImage.scanLine(y))[column] ^= kInvert;
}

void TSpectrogramPicture::XorHorizontalLine(int row) {
    if (!inArea(row))
        return;
    auto* line = reinterpret_cast<QRgb*>(FImage.scanLine(row));
    for (int x = 0; x < AreaSize; ++x)
        line[x] ^= kInvert;
}

void TSpectrogramPicture::SetTimeCursor(int column) {
    if (column >= 0) {
        if (FTimeCursor >= 0)
            XorVerticalLine(FTimeCursor);
        XorVerticalLine(column);
    }
    FTimeCursor = inArea(column) ? column : -1;
}

void TSpectrogramPicture::SetFreqCursor(int row) {
    if (row >= 0) {
        if (FFreqCursor >= 0)
            XorHorizontalLine(FFreqCursor);
        XorHorizontalLine(row);
    }
    FFreqCursor = inArea(row) ? row : -1;
}

void TextOutRotated(QImage& image, const QFont& font, int x, int y, const QString& text, double angle) {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.translate(x, y);
    painter.rotate(-angle);
    painter.drawText(QPointF(0, QFontMetrics(font).ascent()), text);
}
