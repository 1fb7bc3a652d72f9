// The values a pile can have: every range takes its bounds and refuses what lies beyond, and a
// refusal says the range in the user's numbers.
#include "PileLimits.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using Limit = std::function<std::optional<QString>(double)>;

TEST(PileLimits, EachRangeTakesItsBoundsAndRefusesWhatLiesBeyond) {
    const auto lowpass = [](double hz) { return pilelimits::Lowpass(hz, 50000); };
    const struct {
        Limit limit;
        double least, most;
    } ranges[] = {{pilelimits::Speed, 1000, 6000},
                  {pilelimits::Length, 0.5, 100},
                  {pilelimits::Diameter, 0.1, 5},
                  {pilelimits::Amplify, 1, 1000},
                  {lowpass, 100, 22500}};
    for (const auto& r : ranges) {
        EXPECT_FALSE(r.limit(r.least)) << r.least;
        EXPECT_FALSE(r.limit(r.most)) << r.most;
        EXPECT_TRUE(r.limit(r.least * 0.999)) << r.least;
        EXPECT_TRUE(r.limit(r.most * 1.001)) << r.most;
        EXPECT_TRUE(r.limit(NAN)) << r.least;
    }
    EXPECT_FALSE(lowpass(0)) << "no filter";
    EXPECT_TRUE(pilelimits::Lowpass(12000, 25000)) << "above 0.45 of a slower sampling rate";
}

TEST(PileLimits, ARefusalSaysTheRangeInTheLocalesNumbers) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(pilelimits::Length(-3), QStringLiteral("Длина сваи должна быть от 0,5 до 100 м"));
    EXPECT_EQ(pilelimits::Lowpass(99999999, 50000),
              QStringLiteral("Частота среза фильтра должна быть 0 (без фильтра) или от 100 до 22500 Гц"));
    QLocale::setDefault(QLocale::c());
}

} // namespace
