#include "TrcAxe.h"

#include "NumberText.h"

#include <QImage>
#include <QPainter>
#include <cmath>

#include "ColumnLabels.h"

#include "TrcError.h"
#include "TrcI_Columns.h"

namespace {

// Truncation toward zero into an unsigned 16-bit integer, wrapping as such an integer does; a value
// beyond any count gives 0.
std::uint16_t TruncU16(double x) {
    if (!std::isfinite(x) || std::fabs(x) >= 9.0e18)
        return 0;
    return std::uint16_t(static_cast<long long>(x));
}

// How far a step's interval count is from the wanted one.
double Distance(double w, double candidate, double n) {
    return std::fabs(std::trunc(w / candidate - n));
}

// The larger step wins ties.
double Choose(double larger, double smaller, double w, double n) {
    return Distance(w, smaller, n) >= Distance(w, larger, n) ? larger : smaller;
}

constexpr int kMaxStepEntries = 100; // entries looked at for the terminator

} // namespace

QString AxisLabel(double value) {
    return generalFloatText(value);
}

tTrcAxe::tTrcAxe(tTrcI_Columns* ownerImage, double from, double to, double n) : owner(ownerImage) {
    if (from == to || n == 0)
        throw tTrcError(tTrcError::InvalidValue);
    if (ownerImage == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    SetRange(from, to);
    SetTickCount(n);
}

void tTrcAxe::SetRange(double from, double to) {
    if (from == to)
        throw tTrcError(tTrcError::InvalidValue);
    rangeFrom = from;
    rangeTo = to;
}

void tTrcAxe::SetTickCount(double x) {
    if (x == 0)
        throw tTrcError(tTrcError::InvalidValue);
    intervals = TruncU16(x);
}

void tTrcAxe::SetSteps(const double* list) {
    if (list == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    int n = 0;
    while (n < kMaxStepEntries && list[n] != 0.0)
        ++n;
    if (n == kMaxStepEntries)
        throw tTrcError(tTrcError::InvalidValue);
    steps.SetCount(std::size_t(n));
    for (int i = 0; i < n; ++i)
        steps.Item(std::size_t(i)) = list[i];
}

void tTrcAxe::UseRawStep(double raw) {
    step = raw;
    firstTick = 0;
    tickCount = intervals;
}

void tTrcAxe::TakeStep(double chosen, double w, double v0) {
    step = chosen;
    tickCount = TruncU16(TruncU16(w) / step);
    firstTick = TruncU16(TruncU16(v0) / step + 1);
}

void tTrcAxe::Fit(double p0, double p1, double v0, double v1) {
    if (p0 == p1 || v0 == v1 || intervals == 0)
        throw tTrcError(tTrcError::InvalidValue);
    const double w = v1 - v0;
    const double n = intervals;
    const double raw = w / n;
    scale = (p1 - p0) / w;
    offset = p0 - v0 * scale;
    const std::size_t count = steps.count();
    if (count == 0)
        return UseRawStep(raw);
    const double s0 = steps.Item(0);
    if (s0 > raw) {
        const double half = s0 * 0.5;
        if (raw > half || Choose(s0, half, w, n) != s0)
            return UseRawStep(raw);
        return TakeStep(s0, w, v0);
    }
    for (std::size_t i = 1; i < count; ++i) {
        if (steps.Item(i) > raw)
            return TakeStep(Choose(steps.Item(i), steps.Item(i - 1), w, n), w, v0);
    }
    // Every preferred step is below the raw one: double the last until it reaches it. A single
    // step equal to the raw step has no smaller candidate and is taken.
    double larger = steps.Item(count - 1);
    double smaller = count >= 2 ? steps.Item(count - 2) : larger;
    while (larger < raw) {
        smaller = larger;
        larger *= 2;
    }
    TakeStep(Choose(larger, smaller, w, n), w, v0);
}

int tTrcAxe::TickPixel(int i) const {
    const double x = i * scale * step + offset;
    if (!(std::fabs(x) < 1e9)) // far outside any picture; NaN too
        return x > 0 ? 1000000000 : -1000000000;
    return int(x);
}

tTrcAxe_H::tTrcAxe_H(tTrcI_Columns* ownerImage) : tTrcAxe(ownerImage, 0, 50, 10) {}

void tTrcAxe_H::Draw(QImage& picture) {
    DrawPositions(picture, false);
}

void tTrcAxe_H::DrawOnBitmap(QImage& bitmap) {
    DrawPositions(bitmap, true);
}

void tTrcAxe_H::DrawPositions(QImage& target, bool wholeTrace) {
    const double base = owner->conf.app->base;
    // Measurement positions run to the right: a base that is not positive has no axis.
    if (!(base > 0.0))
        throw tTrcError(tTrcError::InvalidValue);
    QPainter painter(&target);
    PaintPositions(painter, owner->Frame(target, wholeTrace), base);
}

tTrcAxe_V::tTrcAxe_V(tTrcI_Columns* ownerImage) : tTrcAxe(ownerImage, 0, 50, 10) {
    rangeTo = ownerImage->conf.depthMax;
}

void tTrcAxe_V::Draw(QImage& picture) {
    DrawDepths(picture, false);
}

void tTrcAxe_V::DrawOnBitmap(QImage& bitmap) {
    DrawDepths(bitmap, true);
}

void tTrcAxe_V::DrawDepths(QImage& target, bool wholeTrace) {
    // The columns put depth d at d * pixelsPerMetre below their top, with an integer number of
    // pixels per metre; the labels use the same scale so that they read the columns' depths.
    QPainter painter(&target);
    PaintDepths(painter, owner->Frame(target, wholeTrace), *this);
}
