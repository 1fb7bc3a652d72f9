#pragma once
// The spectrogram picture: 512 x 512 grey levels in the upper-left corner of a 524 x 524 image,
// axis captions in the margins, and two cursor lines: dashed and dark with a light edge, so that
// they show on every grey, drawn over the picture without changing it.

#include <QFont>
#include <QImage>

#include <span>

class TSpectrogramPicture {
public:
    static constexpr int ImageSize = 524;
    static constexpr int AreaSize = 512;

    TSpectrogramPicture(); // all white

    const QImage& Image() const { return FImage; } // with the cursor lines

    // "время t" under the area, "частота f  (глубина h)" rotated by 90 degrees to its right.
    void DrawCaptions(const QFont& font);

    // Paints the area white and forgets the cursor lines.
    void ClearArea();

    // Column c, line l (value at c * lines + l, lines >= 512) becomes pixel (c, 511 - l); grey
    // level by log10(v + 1) against log10(largest + 1), `largest` being the largest finite value
    // of all lines: white for 0, black for the largest. An all-zero spectrogram is white.
    void DrawSpectrogram(std::span<const double> values, int lines, double largest);

    // Moves a cursor line to `column` / `row` of the area; -1 (or a place off the area) takes it
    // away. The pixels under a line come back when it moves.
    void SetTimeCursor(int column);
    void SetFreqCursor(int row);
    int TimeCursor() const { return FTimeCursor; }
    int FreqCursor() const { return FFreqCursor; }

    // Grey level of palette entry k: 255 - k.
    static QRgb PaletteColor(int k) { return qRgb(255 - k, 255 - k, 255 - k); }

private:
    void drawCursors(); // the picture again, the lines over it

    QImage FPicture; // without the cursor lines
    QImage FImage;
    int FTimeCursor = -1;
    int FFreqCursor = -1;
};

// Text with its baseline turned by `angle` degrees counter-clockwise, cell corner at (x, y).
void TextOutRotated(QImage& image, const QFont& font, int x, int y, const QString& text, double angle);
