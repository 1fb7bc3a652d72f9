// The blows of a pile in their files, the truth written beside them, the demo site and the
// ssmgen command that writes one pile.
#include "PileBlows.h"
#include "SsmgenFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// The first sample where the hammer channel leaves its noise: one after the force's rise.
std::size_t rise(const std::vector<int>& hammer) {
    return std::size_t(std::find_if(hammer.begin(), hammer.end(), [](int v) { return v > 200; }) -
                       hammer.begin());
}

int largest(const std::vector<int>& v, std::size_t from, std::size_t to) {
    return *std::max_element(v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(to));
}

ssmgen::TruthPile writePile(const fs::path& dir, const ssmgen::PileSpec& recipe) {
    std::string error;
    const auto truth = ssmgen::writePile(dir, recipe, error);
    EXPECT_TRUE(truth) << error;
    return truth.value_or(ssmgen::TruthPile{});
}

TEST(PileBlows, EachBlowInItsFileWithTheTriggerAndHammerOfTheTruth) {
    SsmgenFolder dir;
    ssmgen::PileSpec recipe;
    recipe.file.siteNumber = 2;
    recipe.file.pileNumber = 7;
    recipe.file.fileTime = sys_days{year{2026} / June / 15} + hours{8};
    recipe.blows = 5;
    const ssmgen::TruthPile truth = writePile(dir.path, recipe);
    ASSERT_EQ(truth.blows.size(), 5u);
    std::set<int> jitters;
    for (std::size_t k = 0; k < truth.blows.size(); ++k) {
        const ssmgen::TruthBlow& b = truth.blows[k];
        const WrittenFile f(dir.path / b.file);
        EXPECT_EQ(f.header.siteNumber, 2);
        EXPECT_EQ(f.header.pileNumber, 7);
        EXPECT_EQ(b.trigger, 256 + b.jitter);
        EXPECT_LE(std::abs(b.jitter), recipe.jitter);
        EXPECT_EQ(rise(f.hammer()), std::size_t(b.trigger) + 1);
        EXPECT_NEAR(largest(f.hammer(), 0, 16384), recipe.file.pile.hammerAmplitude * b.hammer, 50);
        EXPECT_NEAR(b.hammer, 1.0, recipe.hammerSpread);
        EXPECT_EQ(file_clock::to_sys(fs::last_write_time(dir.path / b.file)),
                  *recipe.file.fileTime + seconds(k));
        jitters.insert(b.jitter);
    }
    EXPECT_GT(jitters.size(), 1u);
}

TEST(PileBlows, TheDoubleHitShowsASecondForcePulseInItsBlowOnly) {
    SsmgenFolder dir;
    ssmgen::PileSpec recipe;
    recipe.blows = 3;
    recipe.doubleHit = 2;
    const ssmgen::TruthPile truth = writePile(dir.path, recipe);
    ASSERT_EQ(truth.blows.size(), 3u);
    for (const ssmgen::TruthBlow& b : truth.blows) {
        const WrittenFile f(dir.path / b.file);
        const auto second = largest(f.hammer(), std::size_t(b.trigger) + 100, std::size_t(b.trigger) + 400);
        if (&b == &truth.blows[1]) {
            EXPECT_EQ(b.kind, ssmgen::BlowKind::Double);
            EXPECT_GT(second, 5000); // half the first hit, 4 ms after it
        } else {
            EXPECT_EQ(b.kind, ssmgen::BlowKind::Good);
            EXPECT_LT(second, 100);
        }
    }
}

TEST(PileBlows, TheClippedBlowPinsSensorOneOverTheInputPeakOnly) {
    SsmgenFolder dir;
    ssmgen::PileSpec recipe;
    recipe.file.pile.toeReflection = 0.3;
    recipe.blows = 3;
    recipe.clipped = 3;
    const ssmgen::TruthPile truth = writePile(dir.path, recipe);
    ASSERT_EQ(truth.blows.size(), 3u);
    for (const ssmgen::TruthBlow& b : truth.blows) {
        const WrittenFile f(dir.path / b.file);
        const std::vector<int>& s = f.sensor1();
        const auto pinned = std::count(s.begin(), s.end(), 32767);
        if (b.kind == ssmgen::BlowKind::Clipped) {
            EXPECT_EQ(&b, &truth.blows[2]);
            EXPECT_GT(pinned, 10);
            EXPECT_EQ(std::count(s.begin() + b.trigger + 40, s.end(), 32767), 0); // the echoes stay in range
        } else {
            EXPECT_EQ(pinned, 0);
            EXPECT_LT(*std::max_element(s.begin(), s.end()), 20000);
        }
    }
}

TEST(Truth, IsReadBackAsItWasWritten) {
    SsmgenFolder dir;
    ssmgen::PileSpec recipe;
    recipe.file.pile.profile = {{pilemodel::SectionKind::Crack, 4.25, 0.15, 0.3},
                                {pilemodel::SectionKind::Widening, 7.0, 2.0, 1.4}};
    recipe.doubleHit = 1;
    recipe.file.pile.soil = {{3.5, 0.04}, {8.0, -0.03}};
    recipe.file.pile.pulseSkew = 0.1;
    recipe.file.pile.noiseDrift = 30.0;
    ssmgen::Truth truth{{writePile(dir.path, recipe)}};
    truth.piles[0].assessment = ssmgen::TruthAssessment{std::nullopt, "", false, false};
    recipe.file.pileNumber = 2;
    recipe.file.pile.toeReflection = pilemodel::kFixedToe;
    recipe.file.pile.profile.clear();
    recipe.file.pile.soil.clear();
    recipe.stem = "other";
    truth.piles.push_back(writePile(dir.path, recipe));
    std::string error;
    ASSERT_TRUE(ssmgen::writeTruth(dir.path / "truth.json", truth, error)) << error;
    const auto back = ssmgen::readTruth(dir.path / "truth.json", error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, truth);
    EXPECT_EQ(back->piles[1].toe, "fixed");
    EXPECT_EQ(ssmgen::toJson(truth).find("designLength", ssmgen::toJson(truth).find("other")),
              std::string::npos);
}

TEST(Truth, ATextThatIsNoTruthIsRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(ssmgen::parseTruth(R"({"piles": [{"site": 1, "pile": 2}]})", error));
    EXPECT_EQ(error, "\"length\" is not a number");
    error.clear();
    EXPECT_FALSE(ssmgen::parseTruth(R"({"piles": [)", error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(ssmgen::readTruth("/nonexistent/truth.json", error));
    EXPECT_NE(error.find("/nonexistent/truth.json"), std::string::npos);
}

TEST(Demo, ASiteOfThreeFieldsWithTheDefectsAndBadBlowsItsTruthNames) {
    SsmgenFolder dir;
    std::string error;
    const auto names = ssmgen::writeDemoFolder(dir.path, error);
    ASSERT_TRUE(error.empty()) << error;
    const auto truth = ssmgen::readTruth(dir.path / "truth.json", error);
    ASSERT_TRUE(truth) << error;
    EXPECT_GE(truth->piles.size(), 22u);
    EXPECT_LE(truth->piles.size(), 26u);
    std::set<std::string> inTruth, sections, toes, blows;
    std::set<ssm::Version> versions;
    std::map<int, double> fieldSpeed;
    int bigPile = 0;
    for (const ssmgen::TruthPile& p : truth->piles) {
        EXPECT_GE(p.length, 8.0);
        EXPECT_LE(p.length, 18.0);
        EXPECT_GE(p.waveSpeed, 3800.0);
        EXPECT_LE(p.waveSpeed, 4200.0);
        EXPECT_GE(p.blows.size(), 3u);
        EXPECT_LE(p.blows.size(), 5u);
        fieldSpeed[p.site] = p.waveSpeed;
        toes.insert(p.toe);
        bigPile += p.pile > 255;
        for (const pilemodel::Section& s : p.profile)
            sections.insert(pilemodel::sectionKindName(s.kind));
        const WrittenFile first(dir.path / p.blows.front().file);
        for (const ssmgen::TruthBlow& b : p.blows) {
            const WrittenFile f(dir.path / b.file);
            inTruth.insert(b.file);
            blows.insert(ssmgen::blowKindName(b.kind));
            versions.insert(ssm::recognizeVersion(std::span(f.bytes).first(ssm::kTitleSize)));
            EXPECT_EQ(f.header.siteNumber, p.site);
            EXPECT_EQ(f.header.pileNumber, p.pile);
            EXPECT_EQ(f.header.velocity, float(p.headerVelocity));
            EXPECT_EQ(f.header.amp, 0.1f); // the end of a record within x5 in the time view
            EXPECT_EQ(f.header.samplePeriod, first.header.samplePeriod) << b.file;
            EXPECT_EQ(f.header.sampleLen, first.header.sampleLen) << b.file;
        }
    }
    EXPECT_EQ(sections, (std::set<std::string>{"narrowing", "widening", "crack", "break"}));
    EXPECT_EQ(toes, (std::set<std::string>{"soil", "fixed", "free"}));
    EXPECT_EQ(blows, (std::set<std::string>{"good", "double", "clipped"}));
    EXPECT_EQ(versions.size(), 3u);
    EXPECT_EQ(fieldSpeed.size(), 3u);
    EXPECT_GE(bigPile, 1);
    // Beside the piles: one file cut short and one of another instrument.
    std::vector<std::string> others;
    for (const std::string& n : names)
        if (!inTruth.count(n))
            others.push_back(n);
    ASSERT_EQ(others.size(), 2u);
    EXPECT_EQ(names.size(), inTruth.size() + 2);
    for (const std::string& n : others) {
        const WrittenFile f(dir.path / n);
        EXPECT_FALSE(ssm::isVibrixMeasurement(f.bytes, f.bytes.size())) << n;
    }
}

TEST(Demo, IsTheSameByteForByteOnEveryRun) {
    SsmgenFolder dir;
    std::string error;
    const auto names = ssmgen::writeDemoFolder(dir.path / "a", error);
    ASSERT_EQ(ssmgen::writeDemoFolder(dir.path / "b", error), names);
    const auto bytes = [](const fs::path& file) {
        std::vector<std::uint8_t> b;
        FileFailure why;
        EXPECT_TRUE(ssm::readWholeFile(file, b, why)) << file;
        return b;
    };
    for (const std::string& n : names)
        EXPECT_EQ(bytes(dir.path / "a" / n), bytes(dir.path / "b" / n)) << n;
    EXPECT_EQ(bytes(dir.path / "a" / "truth.json"), bytes(dir.path / "b" / "truth.json"));
}

int ssmgen(const std::string& arguments) {
#ifdef _WIN32
    // cmd.exe takes "/" for a switch, and the whole line within one more pair of quotes.
    std::string program = SSMGEN;
    std::replace(program.begin(), program.end(), '/', '\\');
    return std::system(("\"\"" + program + "\" " + arguments + " >NUL 2>&1\"").c_str());
#else
    const int status = std::system((std::string(SSMGEN) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST(SsmgenCommand, PileWritesTheBlowsAndTheirTruth) {
    SsmgenFolder dir;
    const fs::path out = dir.path / "pile";
    ASSERT_EQ(ssmgen("pile " + out.string() +
                     " --site 3 --pile 12 --length 14 --speed 3900 --velocity 4000 --toe fixed"
                     " --section narrowing:5:2:0.6 --blows 3 --double-hit 2 --seed 7"),
              0);
    std::string error;
    const auto truth = ssmgen::readTruth(out / "truth.json", error);
    ASSERT_TRUE(truth) << error;
    ASSERT_EQ(truth->piles.size(), 1u);
    const ssmgen::TruthPile& p = truth->piles[0];
    EXPECT_EQ(p.site, 3);
    EXPECT_EQ(p.pile, 12);
    EXPECT_EQ(p.length, 14.0);
    EXPECT_EQ(p.waveSpeed, 3900.0);
    EXPECT_EQ(p.headerVelocity, 4000.0);
    EXPECT_EQ(p.toe, "fixed");
    EXPECT_EQ(p.profile, (std::vector<pilemodel::Section>{{pilemodel::SectionKind::Narrowing, 5, 2, 0.6}}));
    ASSERT_EQ(p.blows.size(), 3u);
    EXPECT_EQ(p.blows[1].kind, ssmgen::BlowKind::Double);
    for (const ssmgen::TruthBlow& b : p.blows)
        EXPECT_TRUE(fs::is_regular_file(out / b.file)) << b.file;
    EXPECT_EQ(p.blows[0].file, "f3_12_1.ssm");
}

TEST(SsmgenCommand, SiteWritesThePilesAskedForWithTheirTruth) {
    SsmgenFolder dir;
    const fs::path out = dir.path / "site";
    ASSERT_EQ(ssmgen("site " + out.string() + " --piles 3 --seed 5"), 0);
    std::string error;
    const auto truth = ssmgen::readTruth(out / "truth.json", error);
    ASSERT_TRUE(truth) << error;
    ASSERT_EQ(truth->piles.size(), 3u);
    for (const ssmgen::TruthPile& p : truth->piles) {
        EXPECT_TRUE(p.assessment) << p.pile;
        for (const ssmgen::TruthBlow& b : p.blows)
            EXPECT_TRUE(fs::is_regular_file(out / b.file)) << b.file;
    }
}

TEST(SsmgenCommand, ABadArgumentWritesNothing) {
    SsmgenFolder dir;
    const std::string out = (dir.path / "pile").string();
    EXPECT_EQ(ssmgen("pile " + out + " --length abc"), 1);
    EXPECT_EQ(ssmgen("pile " + out + " --blows 3 --clipped 4"), 1);
    EXPECT_EQ(ssmgen("pile " + out + " --section bend:1:2:0.5"), 1);
    EXPECT_EQ(ssmgen("file " + out + " --blows 3"), 1); // blows belong to a pile
    EXPECT_EQ(ssmgen("site " + out + " --piles 0"), 1);
    EXPECT_EQ(ssmgen("site " + out + " --length 12"), 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(ssmgen("--help"), 0);
}

} // namespace
