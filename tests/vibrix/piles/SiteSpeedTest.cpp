// The site's wave speed: the worst pile first out while any deviates more than 5 %.
#include "TWaveSpeed.h"

#include <gtest/gtest.h>

namespace {

TEST(SiteSpeed, LeavesOutTheTwoOutliersWorstFirst) {
    // The mean of all six is 4100: 5000 is out first, then 3500 against the new mean of 3920.
    const TSiteSpeed s = ComputeSiteSpeed({{1, 4000}, {2, 4100}, {3, 3500}, {4, 4050}, {5, 5000}, {6, 3950}});
    ASSERT_TRUE(s.speed);
    EXPECT_DOUBLE_EQ(*s.speed, (4000 + 4100 + 4050 + 3950) / 4.0);
    EXPECT_EQ(s.used, (std::vector<int>{1, 2, 4, 6}));
    EXPECT_EQ(s.excluded, (std::vector<int>{3, 5}));
    EXPECT_EQ(*s.min, 3950);
    EXPECT_EQ(*s.max, 4100);
}

TEST(SiteSpeed, NeedsThreePilesLeft) {
    EXPECT_FALSE(ComputeSiteSpeed({{1, 4000}, {2, 4010}}).speed);
    const TSiteSpeed s = ComputeSiteSpeed({{1, 4000}, {2, 4010}, {3, 5000}});
    EXPECT_FALSE(s.speed);
    EXPECT_EQ(s.excluded, std::vector<int>{3});
}

} // namespace
