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

namespace {

// The three series written in place, sharing one time axis; false when a point is not finite (an
// overflowed time or sample), which the point-by-point way leaves out.
bool fillInPlace(const TimeDomainInput& in, std::span<const double> factors, double sign, std::size_t n,
                 std::array<ChartSeries, 3>& series) {
    QVector<double> time(static_cast<qsizetype>(n));
    double* t = time.data();
    for (std::size_t i = 0; i < n; ++i)
        t[i] = double(i) * in.SamplePeriod * 1000;
    double* y[3];
    for (std::size_t k = 0; k < 3; ++k) {
        series[k].Y.resize(qsizetype(n));
        y[k] = series[k].Y.data();
    }
    // Magnitudes that compare as at most the largest double: neither infinite nor NaN.
    constexpr double kLargest = std::numeric_limits<double>::max();
    bool finite = true;
    for (std::size_t i = 0; i < n; ++i) {
        const double g = factors[i] * sign;
        y[0][i] = in.Ch0[i] * g;
        y[1][i] = in.Ch1[i] * g;
        y[2][i] = in.Ham[i];
        finite &= std::fabs(t[i]) <= kLargest && std::fabs(y[0][i]) <= kLargest &&
                  std::fabs(y[1][i]) <= kLargest && std::fabs(y[2][i]) <= kLargest;
    }
    for (ChartSeries& s : series)
        s.X = time;
    return finite;
}

} // namespace

void ShowTimeDomain(const TimeDomainInput& in, TGainFactors& gains, std::array<ChartSeries, 3>& series) {
    for (auto& s : series)
        s.Clear();
    if (!(in.SamplePeriod > 0))
        return;
    const std::size_t n =
        std::min({std::size_t(std::max(in.SampleCount, 0)), in.Ch0.size(), in.Ch1.size(), in.Ham.size()});
    const double sign = in.Invert ? -1.0 : 1.0;
    const std::span<const double> factors = gains.For(in.Gain, n);
    if (fillInPlace(in, factors, sign, n, series))
        return;
    for (auto& s : series)
        s.Clear();
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
