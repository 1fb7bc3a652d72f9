// The analysis of piles whose truth the generator knows: blows aligned by the jitter put in,
// bad blows left out, noise averaged down, the toe and the speed found, defects at their depths,
// the mobility's resonances where the physics puts them.
#include "../data/DataFixture.h"

#include "../../support/ModelPile.h"
#include "TPileAnalyser.h"
#include "TPileListModel.h"

#include <QFileInfo>

#include <cmath>
#include <set>
#include <thread>

namespace {

class PileAnalysis : public DataFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dm.CreateProject(path("p.cdsm")));
        ASSERT_TRUE(dm.OpenProject(path("p.cdsm")));
    }

    // A pile of `blows` blows of the model, imported into the project.
    static ssmgen::PileSpec pileSpec(int pile, double length, int blows = 5) {
        ssmgen::PileSpec s;
        s.file.siteNumber = 1;
        s.file.pileNumber = std::uint16_t(pile);
        s.file.velocity = 4000;
        s.file.pile.length = length;
        s.file.pile.waveVelocity = 4000;
        s.file.pile.toeReflection = pilemodel::kFreeToe;
        s.file.pile.seed = std::uint32_t(pile);
        s.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 1} + std::chrono::hours{8} +
                          std::chrono::minutes{pile};
        s.stem = "p" + std::to_string(pile);
        s.blows = blows;
        return s;
    }

    ssmgen::TruthPile addPile(const ssmgen::PileSpec& recipe) {
        return ImportModelPile(dm, path(QString::fromStdString(recipe.stem)), recipe)
            .value_or(ssmgen::TruthPile{});
    }

    // The analysis, kept by the fixture for as long as the test runs.
    const TPileAnalysis& analyse(const ssmgen::TruthPile& t, std::optional<double> length = std::nullopt) {
        if (length) {
            TPileVerdict v = analyser.VerdictOf({t.site, t.pile});
            v.length = length;
            analyser.SetVerdict({t.site, t.pile}, v);
        }
        return *kept.emplace_back(analyser.Analyse({t.site, t.pile}));
    }

    // The largest positive value of the processed curve within +-5 % of `ms` after the input peak.
    static std::pair<double, double> peakNear(const TPileAnalysis& r, double ms) {
        const TProcessedCurves& c = *r.curves;
        int best = c.SampleOf(ms * 0.95);
        for (int i = best; i <= c.SampleOf(ms * 1.05); ++i)
            if (std::fabs(c.plain[0][std::size_t(i)]) > std::fabs(c.plain[0][std::size_t(best)]))
                best = i;
        return {c.TimeOf(best), c.plain[0][std::size_t(best)]};
    }

    TPileAnalyser analyser{dm};
    std::vector<std::shared_ptr<const TPileAnalysis>> kept;
};

TEST_F(PileAnalysis, ShiftsAreTheJitterTheModelPutIn) {
    ssmgen::PileSpec recipe = pileSpec(1, 12);
    recipe.jitter = 6;
    const auto truth = addPile(recipe);
    const TPileAnalysis& r = analyse(truth);
    ASSERT_EQ(r.blows.size(), truth.blows.size());
    for (std::size_t b = 0; b < r.blows.size(); ++b)
        EXPECT_EQ(r.blows[b].shift, truth.blows[b].jitter - truth.blows[0].jitter) << "blow " << b + 1;
    EXPECT_EQ(r.used, 5);
}

TEST_F(PileAnalysis, DoubleHitAndClippedBlowsAreLeftOutWithTheirReasons) {
    ssmgen::PileSpec recipe = pileSpec(2, 12);
    recipe.doubleHit = 2;
    recipe.clipped = 4;
    const TPileAnalysis& r = analyse(addPile(recipe));
    const std::optional<TBlowReason> expected[] = {std::nullopt, TBlowReason::Correlation, std::nullopt,
                                                   TBlowReason::Clipped, std::nullopt};
    ASSERT_EQ(r.blows.size(), std::size(expected));
    for (std::size_t b = 0; b < r.blows.size(); ++b) {
        EXPECT_EQ(r.blows[b].reason, expected[b]) << "blow " << b + 1;
        EXPECT_EQ(r.blows[b].used, !expected[b]) << "blow " << b + 1;
    }
}

TEST_F(PileAnalysis, AveragingFiveNoisyBlowsCutsTheNoiseByAboutTheRootOfFive) {
    ssmgen::PileSpec noisy = pileSpec(3, 12);
    noisy.jitter = 0;
    noisy.hammerSpread = 0;
    noisy.file.pile.noise = 400;
    ssmgen::PileSpec clean = noisy;
    clean.file.pileNumber = 4;
    clean.stem = "clean";
    clean.blows = 1;
    clean.file.pile.noise = 0;
    const auto truth = addPile(noisy);
    const auto cleanTruth = addPile(clean);
    const TPileAnalysis& single = analyse(cleanTruth);
    const std::vector<double> truthCurve(single.blowSet->Average(0).begin(),
                                         single.blowSet->Average(0).end());
    const TPileAnalysis& r = analyse(truth);
    ASSERT_EQ(r.used, 5);
    TStoredMeasure first;
    ASSERT_TRUE(
        first.Open(vxds::asBytes(dm.cdsVibrix.valueAt(analyser.Find({1, 3})->rows[0], measurefield::kData))));
    double blowError = 0, averageError = 0;
    for (std::size_t i = 0; i < 2048; ++i) {
        blowError += std::pow(first.Channel(0)[i] - truthCurve[i], 2);
        averageError += std::pow(r.blowSet->Average(0)[i] - truthCurve[i], 2);
    }
    const double ratio = std::sqrt(averageError / blowError);
    EXPECT_GT(ratio, 0.3);
    EXPECT_LT(ratio, 0.6) << "1 / sqrt(5) = 0.447";
}

TEST_F(PileAnalysis, SoundPilesGiveTheToeAndTheSpeedFromTheirLength) {
    for (double length : {8.0, 12.0, 18.0}) {
        const auto truth = addPile(pileSpec(int(length), length));
        const TPileAnalysis& r = analyse(truth, truth.length);
        const double expected = 2000 * truth.length / truth.waveSpeed;
        ASSERT_TRUE(r.toeTime) << length << " m";
        EXPECT_TRUE(r.toeAuto);
        EXPECT_NEAR(*r.toeTime, expected, 0.02 * expected) << length << " m";
        EXPECT_EQ(r.waveSpeedSource, TSpeedSource::Length);
        EXPECT_NEAR(r.waveSpeed, truth.waveSpeed, 0.02 * truth.waveSpeed) << length << " m";
    }
}

TEST_F(PileAnalysis, ANarrowingEchoesAtItsDepthWithTheInputsSign) {
    ssmgen::PileSpec recipe = pileSpec(5, 14);
    recipe.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 2.0, 0.5}};
    const auto truth = addPile(recipe);
    const TPileAnalysis& r = analyse(truth, truth.length);
    ASSERT_TRUE(r.curves);
    const auto [ms, value] = peakNear(r, 2000 * 5.0 / truth.waveSpeed);
    EXPECT_GT(value, 0) << "a narrowing echoes with the input's sign";
    EXPECT_NEAR(r.Depth(ms), 5.0, 0.1);
}

TEST_F(PileAnalysis, ABreakEchoingLargerThanTheInputDoesNotMoveTimeZero) {
    ssmgen::PileSpec recipe = pileSpec(6, 10);
    recipe.jitter = 0;
    recipe.file.pile.profile = {{pilemodel::SectionKind::Break, 1.2, 0.2, 0.05}};
    const auto truth = addPile(recipe);
    const TPileAnalysis& r = analyse(truth);
    ASSERT_TRUE(r.curves);
    const TProcessedCurves& c = *r.curves;
    const double largest = *std::max_element(c.plain[0].begin() + c.peak, c.plain[0].begin() + c.peak + 1000);
    ASSERT_GT(largest, c.plain[0][std::size_t(c.peak)]) << "the break's echo is larger than the input";
    // The input peak of a half-sine force is half its duration after the rise.
    const double expected = truth.blows[0].trigger + 0.5 * recipe.file.pile.pulseDuration * 50000;
    EXPECT_NEAR(c.peak, expected, 3);
}

TEST_F(PileAnalysis, MobilityResonancesAreHalfTheSpeedOverTheLengthApart) {
    const auto truth = addPile(pileSpec(7, 12));
    const TPileAnalysis& r = analyse(truth);
    ASSERT_TRUE(r.mobility);
    ASSERT_TRUE(r.mobility->peakSpacing);
    const double expected = truth.waveSpeed / (2 * truth.length);
    EXPECT_NEAR(*r.mobility->peakSpacing, expected, 0.02 * expected);
}

// Noise of a few per cent of the input peak, as on site: the noise peaks between the resonances
// must not set their spacing.
TEST_F(PileAnalysis, ANoisyPilesMobilityReadsTheSpacingOfTheWholeComb) {
    ssmgen::PileSpec recipe = pileSpec(9, 12);
    recipe.file.pile.toeReflection = 0.5;
    recipe.file.pile.noise = 0.03 * recipe.file.pile.headAmplitude;
    const auto truth = addPile(recipe);
    const TPileAnalysis& r = analyse(truth);
    ASSERT_TRUE(r.mobility && r.mobility->peakSpacing);
    const double expected = truth.waveSpeed / (2 * truth.length);
    EXPECT_NEAR(*r.mobility->peakSpacing, expected, 0.03 * expected);
}

// The demo's sound piles, of three fields and two sampling rates, read their length.
TEST_F(PileAnalysis, TheDemoSoundPilesMobilityGivesTheirLength) {
    std::string error;
    ASSERT_FALSE(ssmgen::writeDemoFolder(path("demo").toStdString(), error).empty()) << error;
    for (const QFileInfo& f : QDir(path("demo")).entryInfoList({"*.ssm"}))
        dm.AddMeasureFile(f.filePath(), toDateTimeValue(f.lastModified()));
    const auto truth = ssmgen::readTruth(path("demo/truth.json").toStdString(), error);
    ASSERT_TRUE(truth) << error;
    for (const ssmgen::TruthPile& t : truth->piles) {
        if (!t.profile.empty())
            continue;
        const auto kept = analyser.Analyse({t.site, t.pile});
        const TPileAnalysis& r = *kept;
        ASSERT_TRUE(r.mobility && r.mobility->peakSpacing) << t.site << "-" << t.pile;
        EXPECT_NEAR(*r.mobility->Length(t.waveSpeed), t.length, 0.03 * t.length) << t.site << "-" << t.pile;
    }
}

TEST_F(PileAnalysis, AMobilityWithoutACombGivesNoSpacing) {
    ssmgen::PileSpec recipe = pileSpec(10, 12);
    recipe.file.pile.toeReflection = 0; // the toe sends nothing back: no echo, no resonances
    recipe.file.pile.noise = 0.03 * recipe.file.pile.headAmplitude;
    const TPileAnalysis& r = analyse(addPile(recipe));
    ASSERT_TRUE(r.mobility);
    EXPECT_FALSE(r.mobility->peakSpacing) << *r.mobility->peakSpacing;
    EXPECT_FALSE(r.mobilityLength);
}

// Without the low-pass, a noise wiggle on the way up to the input peak is a peak of the curve too:
// time zero came out a few samples early, and every depth with it.
TEST_F(PileAnalysis, WithoutTheLowPassTimeZeroIsTheInputPeakNotANoiseWiggle) {
    for (int pile = 1; pile <= 4; ++pile) {
        ssmgen::PileSpec recipe = pileSpec(pile, 12, 4);
        recipe.jitter = 0;
        recipe.hammerSpread = 0;
        recipe.file.pile.noise = 0.03 * recipe.file.pile.headAmplitude;
        const auto truth = addPile(recipe);
        TPileVerdict v;
        v.processing.lowpass = 0;
        analyser.SetVerdict({truth.site, truth.pile}, v);
        const TPileAnalysis& r = analyse(truth);
        ASSERT_TRUE(r.curves);
        // The half-sine force's peak, where the head's velocity peaks, within the noise on its top.
        const double expected = truth.blows[0].trigger + 0.5 * recipe.file.pile.pulseDuration * 50000;
        EXPECT_NEAR(r.curves->peak, expected, 2) << "pile " << pile;
    }
}

// What echoes below a break is the break's echo again: only the engineer puts a toe there, and
// a toe they removed stays removed.
TEST_F(PileAnalysis, NoAutomaticToeBelowABreakNorWhenTheEngineerRemovedIt) {
    const auto truth = addPile(pileSpec(12, 12));
    ASSERT_TRUE(analyse(truth, truth.length).toeAuto);
    TPileVerdict v = analyser.VerdictOf({truth.site, truth.pile});
    v.defects = {{2000 * 3.5 / truth.waveSpeed, kBreakKind}};
    analyser.SetVerdict({truth.site, truth.pile}, v);
    EXPECT_FALSE(analyse(truth).toeTime);
    v.defects.clear();
    v.toeRemoved = true;
    analyser.SetVerdict({truth.site, truth.pile}, v);
    EXPECT_FALSE(analyse(truth).toeTime);
}

// A pile given its own speed leaves its site's speed, and the automatic choice again brings it
// back, also when its earlier computation is the one kept.
TEST_F(PileAnalysis, APileBackFromItsOwnSpeedCountsInItsSiteAgain) {
    for (int pile = 1; pile <= 3; ++pile)
        analyse(addPile(pileSpec(pile, 10 + pile)), 10 + pile);
    const TSiteSpeed all = analyser.SiteSpeed(1);
    ASSERT_EQ(all.used.size(), 3u);
    TPileVerdict v = analyser.VerdictOf({1, 2});
    const TPileVerdict automatic = v;
    v.speed = 4000;
    analyser.SetVerdict({1, 2}, v);
    analyser.Analyse({1, 2});
    EXPECT_FALSE(analyser.SiteSpeed(1).speed);
    analyser.SetVerdict({1, 2}, automatic);
    EXPECT_EQ(analyser.SiteSpeed(1).used, all.used);
}

// A pile set to the site's speed reads it where its length would give its own, and still counts in the
// site's speed by its length (it is not a pile of a speed of its own).
TEST_F(PileAnalysis, APileSetToTheSiteSpeedReadsItOverItsLength) {
    for (int pile = 1; pile <= 3; ++pile)
        analyse(addPile(pileSpec(pile, 10 + pile)), 10 + pile);
    ASSERT_EQ(analyser.Analyse({1, 2})->waveSpeedSource, TSpeedSource::Length);
    TPileVerdict v = analyser.VerdictOf({1, 2});
    v.speedChoice = TSpeedChoice::Site;
    analyser.SetVerdict({1, 2}, v);
    const TSiteSpeed site = analyser.SiteSpeed(1);
    ASSERT_TRUE(site.speed);
    const std::shared_ptr<const TPileAnalysis> analysis = analyser.Analyse({1, 2});
    const TPileAnalysis& r = *analysis;
    EXPECT_EQ(r.waveSpeedSource, TSpeedSource::Site);
    EXPECT_EQ(r.waveSpeed, *site.speed);
    EXPECT_EQ(site.used.size(), 3u);
    EXPECT_TRUE(site.own.empty());
}

// The check box takes back in a blow left out for its correlation; a clipped blow stays out.
TEST_F(PileAnalysis, ABlowLeftOutForItsCorrelationIsTakenBackIn) {
    ssmgen::PileSpec recipe = pileSpec(2, 12);
    recipe.doubleHit = 2;
    recipe.clipped = 4;
    const auto truth = addPile(recipe);
    const TPileAnalysis& before = analyse(truth);
    ASSERT_EQ(before.blows[1].reason, TBlowReason::Correlation);
    TPileVerdict v = before.verdict;
    SetBlowUsed(v, before.blows[1], true);
    SetBlowUsed(v, before.blows[3], true);
    analyser.SetVerdict({truth.site, truth.pile}, v);
    const TPileAnalysis& after = analyse(truth);
    EXPECT_EQ(after.used, before.used + 1);
    EXPECT_TRUE(after.blows[1].used && after.blows[1].taken);
    EXPECT_EQ(after.blows[3].reason, TBlowReason::Clipped);
}

// A snapshot its caller keeps stays what it was while other piles push its computation out of
// the analyser and its own speed moves.
TEST_F(PileAnalysis, AKeptSnapshotDoesNotChange) {
    for (int pile = 1; pile <= 9; ++pile)
        addPile(pileSpec(pile, 10 + pile, 2));
    const std::shared_ptr<const TPileAnalysis> kept = analyser.Analyse({1, 1});
    ASSERT_TRUE(kept->curves);
    const std::vector<double> curve = kept->curves->amplified[0];
    const double speed = kept->waveSpeed;
    for (int pile = 2; pile <= 9; ++pile)
        analyser.Analyse({1, pile});
    TPileVerdict v = analyser.VerdictOf({1, 1});
    v.speed = 3000;
    analyser.SetVerdict({1, 1}, v);
    const std::shared_ptr<const TPileAnalysis> now = analyser.Analyse({1, 1});
    ASSERT_EQ(now->waveSpeed, 3000);
    EXPECT_NE(now->curves->amplified[0], curve) << "amplified for the new speed";
    EXPECT_EQ(kept->waveSpeed, speed);
    EXPECT_EQ(kept->waveSpeedSource, TSpeedSource::Record);
    EXPECT_EQ(kept->curves->amplified[0], curve);
}

TEST_F(PileAnalysis, TwoPilesOnTwoThreadsGiveWhatTheyGiveInTurn) {
    addPile(pileSpec(1, 12));
    addPile(pileSpec(2, 15));
    const TPileInput inputs[] = {analyser.Input({1, 1}), analyser.Input({1, 2})};
    const auto noSite = [] { return std::optional<double>(); };
    TPileAnalyser inTurn{dm};
    const std::shared_ptr<const TPileAnalysis> expected[] = {inTurn.Analyse(inputs[0], noSite),
                                                             inTurn.Analyse(inputs[1], noSite)};
    std::shared_ptr<const TPileAnalysis> got[2];
    std::thread first([&] { got[0] = analyser.Analyse(inputs[0], noSite); });
    std::thread second([&] { got[1] = analyser.Analyse(inputs[1], noSite); });
    first.join();
    second.join();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(got[i]->curves && got[i]->mobility) << i;
        EXPECT_EQ(got[i]->curves->amplified[0], expected[i]->curves->amplified[0]) << i;
        EXPECT_EQ(got[i]->mobility->magnitude, expected[i]->mobility->magnitude) << i;
        EXPECT_EQ(got[i]->waveSpeed, expected[i]->waveSpeed) << i;
    }
}

// A pile's length moves its site's speed: the list hears of every pile of the site, the one read
// at the site's speed included, and of no pile of another site.
TEST_F(PileAnalysis, TheSiteSpeedChangesEveryRowOfItsSite) {
    for (int pile = 1; pile <= 3; ++pile)
        analyse(addPile(pileSpec(pile, 10 + pile)), 10 + pile);
    addPile(pileSpec(4, 12));
    ssmgen::PileSpec other = pileSpec(5, 12);
    other.file.siteNumber = 2;
    addPile(other);
    TPileListModel model(analyser);
    model.Refresh();
    std::set<std::pair<int, int>> told;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         for (int row = from.row(); row <= to.row(); ++row)
                             told.insert({model.KeyAt(row).site, model.KeyAt(row).pile});
                     });
    const std::optional<double> before = analyser.SiteSpeed(1).speed;
    TPileVerdict v = analyser.VerdictOf({1, 2});
    v.length = 12.3;
    analyser.SetVerdict({1, 2}, v);
    const std::optional<double> after = analyser.SiteSpeed(1).speed;
    ASSERT_TRUE(before && after && *before != *after);
    EXPECT_EQ(told, (std::set<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
    const QModelIndex fourth = model.index(*model.RowOf({1, 4}), TPileListModel::kSpeed);
    EXPECT_EQ(fourth.data(TPileListModel::SortRole).toDouble(), *after);
}

} // namespace
