// The scoring site: every kind of pile the model has, and the truth a reader is scored against.
#include "SsmSite.h"
#include "SsmgenFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using pilemodel::PileModel;
using pilemodel::Section;
using pilemodel::SectionKind;

TEST(Site, HoldsEveryKindOfPileWithItsAssessment) {
    SsmgenFolder dir;
    std::string error;
    ASSERT_FALSE(ssmgen::writeSite(dir.path, 40, 7, error).empty()) << error;
    const auto truth = ssmgen::readTruth(dir.path / "truth.json", error);
    ASSERT_TRUE(truth) << error;
    ASSERT_EQ(truth->piles.size(), 40u);
    std::set<std::string> kinds, toes, classes;
    int shortPiles = 0, undesigned = 0, unseen = 0, silent = 0;
    for (const ssmgen::TruthPile& p : truth->piles) {
        ASSERT_TRUE(p.assessment) << p.pile;
        const ssmgen::TruthAssessment& a = *p.assessment;
        EXPECT_GE(p.length, 8.0 - 0.1);
        EXPECT_LE(p.length, 20.0 + 0.1);
        EXPECT_GE(p.blows.size(), 3u);
        EXPECT_LE(p.blows.size(), 5u);
        for (const Section& s : p.profile)
            kinds.insert(pilemodel::sectionKindName(s.kind));
        toes.insert(p.toe);
        classes.insert(a.cls);
        shortPiles += a.designLength && p.length < 0.85 * *a.designLength;
        undesigned += !a.designLength;
        unseen += !a.toeVisible;
        if (!a.hammerRecord) {
            ++silent;
            const WrittenFile f(dir.path / p.blows.front().file);
            const auto [low, high] = std::minmax_element(f.hammer().begin(), f.hammer().end());
            EXPECT_LT(std::max(-*low, *high), 5000) << p.pile; // its noise and drift only
        }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"narrowing", "widening", "crack", "break"}));
    EXPECT_EQ(toes, (std::set<std::string>{"free", "soil", "fixed"}));
    EXPECT_EQ(classes, (std::set<std::string>{"I", "II", "III", "IV"}));
    EXPECT_GT(shortPiles, 0);
    EXPECT_GT(undesigned, 0);
    EXPECT_GT(unseen, 0);
    EXPECT_GT(silent, 0);
}

TEST(SiteTruth, TheClassIsSetByTheLeastBetaOfNarrowingsCracksAndBreaks) {
    const auto cls = [](std::vector<Section> profile, std::optional<double> design = 10.0,
                        bool visible = true) { return ssmgen::classOf(profile, 10.0, design, visible); };
    EXPECT_EQ(cls({}), "I");
    EXPECT_EQ(cls({}, std::nullopt, false), ""); // nothing found, the toe not seen
    EXPECT_EQ(cls({{SectionKind::Widening, 3, 1, 1.5}}, 10.0, false), "I");
    EXPECT_EQ(cls({{SectionKind::Narrowing, 3, 1, 0.8}}), "II");
    EXPECT_EQ(cls({{SectionKind::Narrowing, 3, 1, 0.8}, {SectionKind::Narrowing, 6, 1, 0.6}}), "III");
    EXPECT_EQ(cls({{SectionKind::Crack, 3, 0.2, 0.1}}), "III"); // counts as 0.64
    EXPECT_EQ(cls({{SectionKind::Narrowing, 3, 1, 0.35}}), "IV");
    EXPECT_EQ(cls({{SectionKind::Break, 3, 0.2, 0.001}}, 10.0, false), "IV");
    EXPECT_EQ(cls({}, 11.5), "IV"); // 13 % short
    EXPECT_EQ(cls({}, 10.5), "I");
}

TEST(SiteTruth, TheToeIsVisibleWhereItsEchoStandsFourNoisesClearOfTheAverage) {
    PileModel m;
    m.length = 15.0;
    m.toeReflection = 0.5;
    m.friction = 0.05;
    const double echo = pilemodel::toeEcho(m, 2e-5); // about 2 * 0.5 * exp(-1.5) = 0.22
    m.noise = echo * m.headAmplitude / 4 * 2 * 0.99; // four blows halve the noise
    EXPECT_TRUE(ssmgen::toeVisible(m, 2e-5, 4));
    EXPECT_FALSE(ssmgen::toeVisible(m, 2e-5, 3));
    m.noise = 10.0;
    m.profile = {{SectionKind::Break, 4.0, 0.2, 0.002}};
    EXPECT_FALSE(ssmgen::toeVisible(m, 2e-5, 4));
}

} // namespace
