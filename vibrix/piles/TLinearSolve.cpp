#include "TLinearSolve.h"

#include <cmath>
#include <utility>

bool SolveLinear(std::vector<double>& a, std::vector<double>& b) {
    const std::size_t n = b.size();
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < n; ++r)
            if (std::fabs(a[r * n + c]) > std::fabs(a[pivot * n + c]))
                pivot = r;
        if (!(std::fabs(a[pivot * n + c]) > 1e-12))
            return false;
        for (std::size_t k = 0; k < n; ++k)
            std::swap(a[c * n + k], a[pivot * n + k]);
        std::swap(b[c], b[pivot]);
        for (std::size_t r = c + 1; r < n; ++r) {
            const double f = a[r * n + c] / a[c * n + c];
            for (std::size_t k = c; k < n; ++k)
                a[r * n + k] -= f * a[c * n + k];
            b[r] -= f * b[c];
        }
    }
    for (std::size_t c = n; c-- > 0;) {
        double sum = b[c];
        for (std::size_t k = c + 1; k < n; ++k)
            sum -= a[c * n + k] * b[k];
        b[c] = sum / a[c * n + c];
    }
    return true;
}
