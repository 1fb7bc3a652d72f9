#pragma once
// Axes of the trace pictures: the horizontal axis labels measurement positions along the top
// edge, the vertical axis labels depths along the left edge with a red grid line at each label.
// The tick step is chosen among preferred steps so that the number of intervals comes close to a
// wanted number.

#include <QString>
#include <cstdint>

#include "IArray.h"

class QImage;
class QPainter;
class tTrcI_Columns;

class tTrcAxe {
public:
    // Raises the invalid-value error for from = to or n = 0, the missing-object error for a null
    // owner.
    tTrcAxe(tTrcI_Columns* ownerImage, double from, double to, double n);
    virtual ~tTrcAxe() = default;

    void SetRange(double from, double to);
    void SetTickCount(double x);
    // Preferred steps, ascending, ended by 0.0; at most 99 before the terminator.
    void SetSteps(const double* list);
    // Maps the value range v0..v1 onto the pixel range p0..p1 and chooses the ticks.
    void Fit(double p0, double p1, double v0, double v1);

    virtual void Draw(QImage& picture) = 0;
    virtual void DrawOnBitmap(QImage& bitmap) = 0;

    // Pixel coordinate of tick i, held within the range of int for a scale no picture can show.
    int TickPixel(int i) const;

    double step = 0.0;
    std::uint16_t firstTick = 0;
    std::uint16_t tickCount = 0;
    double offset = 0.0;
    double scale = 0.0;
    tTrcI_Columns* const owner; // not owned
    IArray<double> steps;
    double rangeFrom = 0.0;
    double rangeTo = 0.0;
    std::uint16_t intervals = 0;

private:
    void UseRawStep(double raw);
    void TakeStep(double chosen, double w, double v0);
};

// Labels measurement positions (column number × base) at the centres of the columns: on the
// picture those of the shown page, on the whole-trace bitmap all. Raises the invalid-value error
// for a base that is not positive.
class tTrcAxe_H : public tTrcAxe {
public:
    explicit tTrcAxe_H(tTrcI_Columns* ownerImage);
    void Draw(QImage& picture) override;
    void DrawOnBitmap(QImage& bitmap) override;

private:
    void DrawPositions(QImage& target, bool wholeTrace);
};

// Labels depths and draws the grid, with the scale the columns are drawn at.
class tTrcAxe_V : public tTrcAxe {
public:
    explicit tTrcAxe_V(tTrcI_Columns* ownerImage);
    void Draw(QImage& picture) override;
    void DrawOnBitmap(QImage& bitmap) override;

private:
    void DrawDepths(QImage& target, bool wholeTrace);
};

// A number as the axes label it: shortest general form, up to 15 significant digits, the user's
// decimal separator.
QString AxisLabel(double value);
