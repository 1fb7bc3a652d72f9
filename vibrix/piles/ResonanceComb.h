#pragma once
// The comb of a pile's mobility: its resonances stand equally spaced, c / (2L) apart, whatever the
// toe. The spacing is read from the whole comb, not from neighbouring peaks, so that a noise peak
// between two resonances cannot halve it: the autocorrelation of |H1| over the band gives the
// period, and a straight-line fit through the resonances it predicts refines it.

#include <optional>
#include <span>
#include <vector>

struct TResonanceComb {
    double spacing = 0;        // lines between resonances
    std::vector<double> teeth; // lines of the resonances the fit went through, ascending
};

// The comb of `magnitude` between lines `from` and `to`, with a spacing of at least `leastSpacing`
// lines (a record of T seconds cannot hold an echo more than T apart, so its resonances are at
// least 1 / T apart). None when no comb stands clearly out of the curve.
std::optional<TResonanceComb> FindResonanceComb(std::span<const double> magnitude, std::size_t from,
                                                std::size_t to, double leastSpacing);
