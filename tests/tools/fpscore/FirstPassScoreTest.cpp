// The scorer of the first pass against hand-made truths and first passes, one rule per case.
#include "FirstPassScore.h"
#include "SsmSite.h"
#include "SsmgenFolder.h"

#include <gtest/gtest.h>

namespace {

using pilemodel::Section;
using pilemodel::SectionKind;

ssmgen::TruthPile pile(int number, double length, std::vector<Section> profile = {},
                       std::optional<double> design = std::nullopt, std::string cls = "I",
                       bool visible = true) {
    ssmgen::TruthPile p;
    p.site = 1;
    p.pile = number;
    p.length = length;
    p.waveSpeed = 4000.0;
    p.headerVelocity = 4000.0;
    p.profile = std::move(profile);
    p.assessment = ssmgen::TruthAssessment{design, std::move(cls), visible, true};
    return p;
}

// The goal whose name starts with `name`, scored over the piles and the first pass's entries
// (the text inside each pile's "auto" object, in pile order from 1).
fpscore::Goal scored(const char* name, std::vector<ssmgen::TruthPile> piles,
                     const std::vector<std::string>& autos) {
    std::string json = "[";
    for (std::size_t i = 0; i < autos.size(); ++i)
        json += (i ? ", " : "") + std::string("{\"site\": 1, \"pile\": ") + std::to_string(i + 1) +
                ", \"auto\": {" + autos[i] + "}}";
    std::string error;
    const auto parsed = fpscore::parseAuto(json + "]", error);
    EXPECT_TRUE(parsed) << error;
    for (const fpscore::Goal& g :
         fpscore::score({std::move(piles)}, parsed.value_or(std::vector<fpscore::AutoPile>{})))
        if (g.name.starts_with(name))
            return g;
    ADD_FAILURE() << "no goal " << name;
    return {};
}

std::pair<int, int> counts(const fpscore::Goal& g) {
    return {g.met, g.of};
}

TEST(FirstPassScore, ASoundPilesLengthCountsWithinThreePerCentOnly) {
    const auto g = scored("sound piles: length", {pile(1, 10.0), pile(2, 10.0)},
                          {R"("length": 10.25, "toeDepth": 10.25)", R"("length": 10.4, "toeDepth": 10.4)"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, AToeNotSeenIsRightWhereTheTruthHasItInvisibleOnly) {
    const auto g = scored("sound piles: toe time", {pile(1, 10.0), pile(2, 10.0, {}, 10.0, "", false)},
                          {R"("toeDepth": null, "toeTime": null)", R"("toeDepth": null, "toeTime": null)"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, FindingsAreComparedAtTheSpeedTheProgramUsed) {
    // The program read this pile at 4200 m/s (10.5 m in 5 ms): the top at 5 m reads as 5.25 m.
    const auto g = scored("narrowings <= 0.7", {pile(1, 10.0, {{SectionKind::Narrowing, 5.0, 1.0, 0.6}})},
                          {R"("toeDepth": 10.5, "toeTime": 5.0,
                              "findings": [{"kind": "narrowing", "depth": 5.5, "ratio": 0.6, "confidence": 0.9}])"});
    EXPECT_EQ(counts(g), std::make_pair(1, 1));
}

TEST(FirstPassScore, ACrackIsFoundHalfAMetreOffAndANarrowingAThirdOfAMetreOff) {
    const auto g =
        scored("narrowings <= 0.7",
               {pile(1, 12.0, {{SectionKind::Crack, 4.0, 0.2, 0.2}}),
                pile(2, 12.0, {{SectionKind::Narrowing, 6.0, 1.0, 0.6}})},
               {R"("findings": [{"kind": "narrowing", "depth": 4.45, "ratio": 0.5, "confidence": 0.9}])",
                R"("findings": [{"kind": "narrowing", "depth": 6.45, "ratio": 0.6, "confidence": 0.9}])"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, AShortPileIsFlaggedByABreakAtItsLength) {
    const auto g =
        scored("short piles", {pile(1, 8.0, {}, 10.0, "IV"), pile(2, 8.0, {}, 10.0, "IV")},
               {R"("findings": [{"kind": "break", "depth": 8.2, "ratio": 0, "confidence": 0.8}])",
                R"("findings": [{"kind": "short", "depth": 8.5, "ratio": 0.85, "confidence": 0.8}])"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2)); // 8.5 m is 6 % off
}

TEST(FirstPassScore, ANarrowingsRatioIsRightWithinFifteenHundredths) {
    const auto g =
        scored("narrowings found: ratio",
               {pile(1, 12.0, {{SectionKind::Narrowing, 5.0, 1.0, 0.6}}),
                pile(2, 12.0, {{SectionKind::Narrowing, 5.0, 1.0, 0.6}})},
               {R"("findings": [{"kind": "narrowing", "depth": 5.0, "ratio": 0.74, "confidence": 0.9}])",
                R"("findings": [{"kind": "narrowing", "depth": 5.0, "ratio": 0.76, "confidence": 0.9}])"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, OnlyConfidentFindingsMakeASoundPileFalselyFlagged) {
    const auto g =
        scored("sound piles with a confident", {pile(1, 10.0), pile(2, 10.0)},
               {R"("findings": [{"kind": "crack", "depth": 3, "ratio": 0.8, "confidence": 0.45}])",
                R"("findings": [{"kind": "widening", "depth": 3, "ratio": 1.3, "confidence": 0.5}])"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, LetterClassesCompareAsNumeralsAndNoClassMatchesNone) {
    const auto g = scored("proposed class",
                          {pile(1, 10.0, {{SectionKind::Narrowing, 5.0, 1.0, 0.8}}, 10.0, "II"),
                           pile(2, 10.0, {}, 10.0, "", false), pile(3, 10.0)},
                          {R"("class": "B")", R"("class": null)", R"("class": "II")"});
    EXPECT_EQ(counts(g), std::make_pair(2, 3));
}

TEST(FirstPassScore, ThePilesThatFailAGoalAreNamed) {
    const auto g =
        scored("sound piles with a confident", {pile(1, 10.0), pile(2, 10.0), pile(3, 10.0)},
               {R"("findings": [])",
                R"("findings": [{"kind": "crack", "depth": 3, "ratio": 0.5, "confidence": 0.7}])",
                R"("findings": [{"kind": "crack", "depth": 3, "ratio": 0.5, "confidence": 0.2}])"});
    EXPECT_EQ(g.failed, std::vector<std::string>{"1-2"});
    EXPECT_NE(fpscore::report({g}).find("failed by piles: 1-2\n"), std::string::npos);
}

TEST(FirstPassScore, APileMissingFromTheFirstPassIsCounted) {
    const auto g = scored("piles in the first pass", {pile(1, 10.0), pile(2, 10.0)}, {R"("class": "I")"});
    EXPECT_EQ(counts(g), std::make_pair(1, 2));
}

TEST(FirstPassScore, ATextThatIsNoListOfPilesIsRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(fpscore::parseAuto(R"({"site": 1, "pile": 1, "auto": {}})", error));
    EXPECT_EQ(error, "not a list of piles");
}

TEST(FirstPassScore, AShareOfFailuresIsMetAtOrBelowItsGoal) {
    const std::string text =
        fpscore::report({{"false", 1, 20, 0.05, true, {}}, {"false too", 2, 20, 0.05, true, {}}});
    EXPECT_NE(text.find("1/20"), std::string::npos);
    EXPECT_NE(text.find("5.0 %  goal <=   5 %  met\n"), std::string::npos);
    EXPECT_NE(text.find("10.0 %  goal <=   5 %  missed\n"), std::string::npos);
}

} // namespace

namespace {

// What a reader that sees everything the model put in would say of a pile, as `auto` says it.
std::string perfectReading(const ssmgen::TruthPile& p) {
    const auto number = [](double v) { return std::to_string(v); };
    std::string findings;
    bool broken = false;
    for (const Section& s : p.profile) {
        broken = broken || s.kind == SectionKind::Break;
        findings += std::string(findings.empty() ? "" : ", ") + "{\"kind\": \"" +
                    pilemodel::sectionKindName(s.kind) + "\", \"depth\": " + number(s.depth) +
                    ", \"ratio\": " + number(s.ratio) + ", \"confidence\": 0.9}";
    }
    const auto& a = *p.assessment;
    if (a.designLength && p.length < 0.9 * *a.designLength)
        findings +=
            "{\"kind\": \"short\", \"depth\": " + number(p.length) + ", \"ratio\": 0.8, \"confidence\": 0.9}";
    const bool seen = a.toeVisible && !broken;
    const std::string toeTime = seen ? number(2000.0 * p.length / p.waveSpeed) : "null";
    const std::string toe = seen ? number(p.length) : "null";
    return "{\"site\": " + number(p.site) + ", \"pile\": " + number(p.pile) +
           ", \"auto\": {\"toeDepth\": " + toe + ", \"toeTime\": " + toeTime + ", \"length\": " + toe +
           ", \"findings\": [" + findings +
           "], \"class\": " + (a.cls.empty() ? "null" : "\"" + a.cls + "\"") + "}}";
}

TEST(FirstPassScore, AReadingOfTheWholeTruthOfAModelSiteMeetsEveryGoal) {
    SsmgenFolder dir;
    std::string error;
    ASSERT_FALSE(ssmgen::writeSite(dir.path, 30, 11, error).empty()) << error;
    const auto truth = ssmgen::readTruth(dir.path / "truth.json", error);
    ASSERT_TRUE(truth) << error;
    std::string json = "[";
    for (const ssmgen::TruthPile& p : truth->piles)
        json += (json.size() > 1 ? ", " : "") + perfectReading(p);
    const auto autos = fpscore::parseAuto(json + "]", error);
    ASSERT_TRUE(autos) << error;
    for (const fpscore::Goal& g : fpscore::score(*truth, *autos))
        EXPECT_TRUE(g.reached() && (g.atMost ? g.met == 0 : g.met == g.of)) << fpscore::report({g});
}

} // namespace
