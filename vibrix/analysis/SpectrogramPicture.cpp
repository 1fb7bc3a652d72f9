#include "SpectrogramPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kInvert = 0x00FFFFFF;

bool inArea(int a) {
    return a >= 0 && a < TSpectrogramPicture::AreaSize;
}

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

void TSpectrogramPicture::DrawSpectrogram(std::span<const double> values, int lines) {
    if (lines < AreaSize || values.size() < std::size_t(AreaSize) * std::size_t(lines)) {
        ClearArea();
        return;
    }
    double peak = -1;
    for (double v : values)
        if (std::isfinite(v))
            peak = std::max(peak, v);
    // log10(peak + 1) is 0 for an all-zero spectrogram: everything is then white.
    const double scale = peak > 0 ? 255.0 / std::log10(peak + 1) : 0.0;
    for (int l = 0; l < AreaSize; ++l) {
        auto* row = reinterpret_cast<QRgb*>(FImage.scanLine(AreaSize - 1 - l));
        for (int c = 0; c < AreaSize; ++c) {
            const double v = values[std::size_t(c) * std::size_t(lines) + std::size_t(l)];
            const double level = std::log10(v + 1) * scale;
            const int k = level >= 0 ? int(std::min(level, 255.0)) : 0;
            row[c] = PaletteColor(k);
        }
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
