#include "TimeDomain.h"

#include "NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A factor above the largest float would overflow to infinity, and a chart of it is one block.
constexpr double kLargestFactor = std::numeric_limits<float>::max();

} // namespace

std::span<const double> TGainFactors::For(double gain, std::size_t samples) {
    if (gain != gain_ || factors_.size() < samples) {
        factors_.clear(); // a failure below leaves no factors of another gain
        factors_.resize(samples);
        for (std::size_t i = 0; i < samples; ++i)
            factors_[i] = std::min(std::exp(0.001 * gain * double(i)), kLargestFactor);
        gain_ = gain;
    }
    return std::span<const double>(factors_).first(samples);
}

void ShowTimeDomain(const TimeDomainInput& in, TGainFactors& gains, std::array<ChartSeries, 3>& series) {
    for (auto& s : series)
        s.Clear();
    if (!(in.SamplePeriod > 0))
        return;
    const std::size_t n =
        std::min({std::size_t(std::max(in.SampleCount, 0)), in.Ch0.size(), in.Ch1.size(), in.Ham.size()});
    const double sign = in.Invert ? -1.0 : 1.0;
    const std::span<const double> factors = gains.For(in.Gain, n);
    for (auto& s : series) {
        s.X.reserve(qsizetype(n));
        s.Y.reserve(qsizetype(n));
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) * in.SamplePeriod * 1000;
        const double g = factors[i] * sign;
        series[0].Add(t, in.Ch0[i] * g);
        series[1].Add(t, in.Ch1[i] * g);
        series[2].Add(t, in.Ham[i]);
    }
}

std::array<ChartSeries, 3> ShowTimeDomain(const TimeDomainInput& in) {
    TGainFactors gains;
    std::array<ChartSeries, 3> series;
    ShowTimeDomain(in, gains, series);
    return series;
}

QString GetTimeCursorStr(int p0, int p1, double samplePeriod, double velocity) {
    if (!(samplePeriod > 0))
        return QStringLiteral("dt = ?");
    const double dt = std::abs(double(p0) - double(p1)) * samplePeriod;
    const double depth = velocity * 0.5 * dt;
    return QStringLiteral("dt = ") + FormatFloat(QStringLiteral("#,##0.00"), dt * 1000) +
           QStringLiteral(" мс  (") + FormatFloat(QStringLiteral("0.00"), depth) + QStringLiteral(" м)");
}
