#pragma once
// The wave speed a pile is read at: the pile's own, from its design length and toe time, the
// site's, or the record's; and the speed of a site from the piles of known length.

#include "TPileProcessing.h"

#include <optional>
#include <vector>

// Where a pile's speed comes from: the engineer's own, the design length and the toe, the
// site's, or the record's header.
enum class TSpeedSource { Pile, Length, Site, Record };

// The toe echo picked on the curve: the largest positive extremum of sensor 1 within +-15 % of
// `expected` ms after the input peak. Its time in ms, or none when the window holds no extremum.
std::optional<double> PickToe(const TProcessedCurves& curves, double expected);
// The toe echo the engineer points at: the positive extremum of sensor 1 nearest to `ms` after
// the input peak (of two as near, the larger). Its time in ms, or none when the curve has none.
std::optional<double> NearestToeExtremum(const TProcessedCurves& curves, double ms);

struct TSiteSpeed {
    std::optional<double> speed;     // m/s, the mean of the piles used
    std::vector<int> used, excluded; // pile numbers
    std::vector<int> own;            // piles read at a speed of their own, outside the site's
    std::optional<double> min, max;  // over the piles used (none when there are none)
    bool operator==(const TSiteSpeed&) const = default;
};

// The mean over the piles' speeds (pile number, m/s): while some pile deviates more than 5 % from
// the mean, the one that deviates most is left out and the mean taken again. A speed exists when
// at least three piles remain.
TSiteSpeed ComputeSiteSpeed(const std::vector<std::pair<int, double>>& piles);
