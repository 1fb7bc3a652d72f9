#include "GainCurve.h"

#include <algorithm>
#include <cmath>

#include "SpectroTransform.h"

namespace {

// The gain stops growing here, so that a silent stretch never turns into 0 × infinity.
constexpr double kGainCeiling = 1e300;

} // namespace

void FillGainCurve(const double (*points)[2], std::size_t n, double c, double threshold, double abscissaScale,
                   double (*out)[2]) {
    const double divisor = spectro::NormDivisor(points, n);
    const double norm = divisor == 0.0 ? 1.0 : 1.0 / divisor;
    const double growth = std::exp(c);
    double gain = 1.0; // e^(i·c), kept by multiplication
    std::size_t i = 0;
    // Without growth the gain is 1 throughout and saturation changes nothing.
    if (growth != 1.0) {
        while (i < n) {
            const double y = points[i][0] * norm * gain;
            out[i][0] = y;
            out[i][1] = points[i][1] * abscissaScale;
            ++i;
            if (std::fabs(y) > threshold)
                break;
            gain = std::min(gain * growth, kGainCeiling);
        }
    }
    // From here on the gain is frozen.
    const double factor = norm * gain;
    for (; i < n; ++i) {
        out[i][0] = points[i][0] * factor;
        out[i][1] = points[i][1] * abscissaScale;
    }
}

void FillGainCurves(const tTrc__DataList& list, IArray<tTrcV_Measure>& curves, double c, double threshold,
                    double abscissaScale) {
    curves.SetCount(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!list[k])
            throw tTrcError(tTrcError::MissingObject);
        const tTrc__Data& data = *list[k];
        IArray<double[2]>& curve = curves.Item(k).points;
        const std::size_t n = data.samplePeriod > 0.0f ? data.points.count() : 0;
        curve.SetCount(n);
        if (n > 0)
            FillGainCurve(data.points.data(), n, c, threshold, abscissaScale, curve.data());
    }
}
