#include "SpectroTransform.h"

#include <algorithm>
#include <cmath>

namespace spectro {

namespace {

constexpr unsigned kStages = 13;
constexpr double kPi = 3.141592654; // the constant the twiddles are rotated by

// Bit-reversed index of i by the instrument's loop; the permutation is the same for every call,
// so it is built once.
std::vector<unsigned> BuildReversal() {
    std::vector<unsigned> table(kTransformSize);
    for (unsigned i = 0; i < kTransformSize; ++i) {
        unsigned h = kTransformSize / 2, r = 0, d = 1, c = i;
        for (unsigned s = 0; s < kStages; ++s) {
            if (c >= h) {
                r += d;
                c -= h;
            }
            d *= 2;
            h /= 2;
        }
        table[i] = r;
    }
    return table;
}

void Butterflies(double* re, double* im, std::size_t h) {
    const std::size_t a = 2 * h;
    const double c = std::cos(kPi / static_cast<double>(h));
    const double sn = std::sin(kPi / static_cast<double>(h));
    double wr = 1.0, wi = 0.0;
    for (std::size_t j = 0; j < h; ++j) {
        for (std::size_t k = j; k < kTransformSize - h; k += a) {
            const std::size_t q = k + h;
            const double tr = re[q] * wr - im[q] * wi;
            const double ti = re[q] * wi + im[q] * wr;
            re[q] = re[k] - tr;
            im[q] = im[k] - ti;
            re[k] += tr;
            im[k] += ti;
        }
        const double next = wr * c - wi * sn;
        wi = wr * sn + wi * c;
        wr = next;
    }
}

} // namespace

void Transform8192(double* re, double* im) {
    static const std::vector<unsigned> reversal = BuildReversal();
    for (std::size_t i = 0; i < kTransformSize; ++i) {
        const std::size_t r = reversal[i];
        if (i < r) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    }
    for (std::size_t h = 1; h < kTransformSize; h *= 2)
        Butterflies(re, im, h);
}

double NormDivisor(const double (*points)[2], std::size_t n) {
    if (n == 0)
        return 0.0;
    double hi = points[0][0], lo = points[0][0];
    for (std::size_t i = 1; i < n; ++i) {
        hi = std::max(hi, points[i][0]);
        lo = std::min(lo, points[i][0]);
    }
    return -lo >= hi ? -lo : hi;
}

void Normalise(double (*points)[2], std::size_t n) {
    const double divisor = NormDivisor(points, n);
    if (divisor == 0.0)
        return;
    for (std::size_t i = 0; i < n; ++i)
        points[i][0] /= divisor;
}

const std::vector<double>& LineCalculator::WindowFor(std::size_t n) {
    if (windowLength_ != n) {
        // The window spans all n samples though only the first kTransformSize are transformed.
        const double step = n > 1 ? 6.28 / static_cast<double>(n - 1) : 0.0;
        window_.resize(std::min(n, kTransformSize));
        for (std::size_t i = 0; i < window_.size(); ++i)
            window_[i] = 0.54 - 0.46 * std::cos(step * static_cast<double>(i));
        windowLength_ = n;
    }
    return window_;
}

void LineCalculator::Compute(const double (*points)[2], std::size_t n, double samplePeriod, double velocity,
                             double (*spectrum)[2], double (*depth)[2]) {
    const double divisor = NormDivisor(points, n);
    const double scale = divisor == 0.0 ? 1.0 : 1.0 / divisor;
    const std::vector<double>& window = WindowFor(n);
    re_.assign(kTransformSize, 0.0);
    im_.assign(kTransformSize, 0.0);
    for (std::size_t i = 0; i < window.size(); ++i)
        re_[i] = window[i] * (points[i][0] * scale);
    Transform8192(re_.data(), im_.data());
    const double lineStep = 1.0 / (4096.0 * 2.0 * samplePeriod);
    for (std::size_t j = 0; j < kLineCount; ++j) {
        spectrum[j][0] = std::sqrt(re_[j] * re_[j] + im_[j] * im_[j]);
        spectrum[j][1] = static_cast<double>(j) * lineStep;
    }
    for (std::size_t i = 0; i < kLineCount; ++i) {
        const double* line = spectrum[kLineCount - 1 - i];
        depth[i][0] = line[0];
        depth[i][1] = line[1] == 0.0 ? kZeroLineDepth : velocity / (line[1] * 2.0);
    }
    Normalise(spectrum, kLineCount);
    Normalise(depth, kLineCount);
}

} // namespace spectro
