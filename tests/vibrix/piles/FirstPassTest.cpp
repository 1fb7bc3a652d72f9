// The first pass on piles of the model, whose truth the generator knows: the profile matched back,
// and each way a record can fall short (no hammer, one blow, a toe too faint, a break) said so.
#include "MeasureResult.h"
#include "PileBlows.h"
#include "TFirstPassSite.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FirstPass : public ::testing::Test {
protected:
    // A pile of the model: free toe, 4000 m/s, a known loss, `blows` blows of a 0.8 ms hammer.
    static ssmgen::PileSpec pileSpec(int pile, double length, int blows = 4) {
        ssmgen::PileSpec s;
        s.file.siteNumber = 1;
        s.file.pileNumber = std::uint16_t(pile);
        s.file.pile.length = length;
        s.file.pile.waveVelocity = 4000;
        s.file.pile.toeReflection = pilemodel::kFreeToe;
        s.file.pile.friction = 0.04;
        s.file.pile.seed = std::uint32_t(pile);
        s.stem = "p" + std::to_string(pile);
        s.blows = blows;
        return s;
    }

    // The pile's blows as a project stores them, with its design length.
    TFirstPassPile pile(const ssmgen::PileSpec& recipe, std::optional<double> designLength) {
        std::string error;
        const auto truth = ssmgen::writePile(dir.path().toStdString(), recipe, error);
        EXPECT_TRUE(truth) << error;
        TFirstPassPile p{
            recipe.file.siteNumber, recipe.file.pileNumber, {},          {designLength, 0.9, {}, {}},
            designLength,           std::nullopt,           std::nullopt};
        for (const ssmgen::TruthBlow& b : truth->blows) {
            const QString file = dir.filePath(QString::fromStdString(b.file));
            p.blows.push_back(
                {int(p.blows.size()), packMeasure(MeasureFile(file).record(45000.0 + p.blows.size()))});
        }
        return p;
    }

    // The first pass of one pile at the model's own loss.
    TFirstPassResult pass(const TFirstPassPile& p, double loss = 0.04) {
        return RunFirstPass({p}, {QStringLiteral("I-IV"), loss, 1, {}}).front();
    }

    static bool says(const TFirstPassResult& r, const QString& text) {
        return std::any_of(r.reasons.begin(), r.reasons.end(),
                           [&](const QString& s) { return s.contains(text); });
    }

    QTemporaryDir dir;
};

TEST_F(FirstPass, AModelledNarrowingIsMatchedBackAtItsDepthAndRatio) {
    ssmgen::PileSpec recipe = pileSpec(1, 14);
    recipe.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 1.5, 0.6}};
    const TFirstPassResult r = pass(pile(recipe, 14.0));
    ASSERT_TRUE(r.length);
    EXPECT_NEAR(*r.length, 14, 0.03 * 14);
    EXPECT_EQ(r.toe, "free");
    ASSERT_EQ(r.findings.size(), 1u);
    const TFinding& f = r.findings[0];
    EXPECT_EQ(f.kind, findingkind::kNarrowing);
    EXPECT_NEAR(f.depth, 5.0, 0.3);
    ASSERT_TRUE(f.bottom);
    EXPECT_NEAR(*f.bottom, 6.5, 0.3);
    EXPECT_NEAR(f.ratio, 0.6, 0.1);
    EXPECT_GE(f.confidence, 0.5);
    EXPECT_EQ(r.cls, "III") << "0.4 <= beta < 0.7";
    ASSERT_TRUE(r.match);
    EXPECT_LT(*r.match, 0.05);
}

TEST_F(FirstPass, ANarrowingShorterThanThePulseIsMatchedBackWhereItIs) {
    ssmgen::PileSpec recipe = pileSpec(6, 14);
    recipe.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 0.6, 0.6}};
    const TFirstPassResult r = pass(pile(recipe, 14.0));
    ASSERT_EQ(r.findings.size(), 1u);
    const TFinding& f = r.findings[0];
    EXPECT_EQ(f.kind, findingkind::kNarrowing);
    EXPECT_NEAR(f.depth, 5.0, 0.1);
    ASSERT_TRUE(f.bottom);
    EXPECT_NEAR(*f.bottom, 5.6, 0.1);
    EXPECT_NEAR(f.ratio, 0.6, 0.05);
}

TEST_F(FirstPass, WithoutAHammerRecordALingeringBlowMakesNoChangeNearTheHead) {
    ssmgen::PileSpec recipe = pileSpec(7, 15);
    recipe.file.pile.hammerAmplitude = 0;
    recipe.file.pile.pulseSkew = 0.15;
    recipe.file.pile.pulseTail = 0.12;
    const TFirstPassResult r = pass(pile(recipe, 15.0));
    EXPECT_TRUE(r.findings.empty()) << r.reasons.join('\n').toStdString();
    EXPECT_EQ(r.cls, "I");
}

TEST_F(FirstPass, WithoutAHammerRecordTheForceIsTheInputPulseAndTheToeStillFound) {
    ssmgen::PileSpec recipe = pileSpec(2, 12);
    recipe.file.pile.hammerAmplitude = 0;
    const TFirstPassResult r = pass(pile(recipe, 12.0));
    ASSERT_TRUE(r.length);
    EXPECT_NEAR(*r.length, 12, 0.03 * 12);
    EXPECT_TRUE(says(r, QStringLiteral("по входному импульсу скорости")));
    EXPECT_EQ(r.cls, "I");
}

TEST_F(FirstPass, OneBlowIsReadAndSaidToBeOne) {
    const TFirstPassResult r = pass(pile(pileSpec(3, 10, 1), 10.0));
    ASSERT_TRUE(r.length);
    EXPECT_NEAR(*r.length, 10, 0.03 * 10);
    EXPECT_TRUE(says(r, QStringLiteral("один удар")));
}

TEST_F(FirstPass, AToeLostInTheNoiseIsNotSeenAndGetsNoClass) {
    ssmgen::PileSpec recipe = pileSpec(4, 20);
    recipe.file.pile.toeReflection = 0.2;
    recipe.file.pile.friction = 0.08;
    recipe.file.pile.noise = 600;
    const TFirstPassResult r = pass(pile(recipe, std::nullopt), 0.08);
    EXPECT_FALSE(r.toeDepth);
    EXPECT_FALSE(r.length);
    EXPECT_TRUE(r.toe.isEmpty());
    EXPECT_TRUE(r.reasons.contains(QStringLiteral("подошва не видна")));
    EXPECT_TRUE(r.cls.isEmpty());
}

TEST_F(FirstPass, ABreakAboveTheDesignLengthIsAShortPileOfTheFourthClass) {
    ssmgen::PileSpec recipe = pileSpec(5, 12);
    recipe.file.pile.profile = {{pilemodel::SectionKind::Break, 5.0, 0.2, 0.02}};
    const TFirstPassResult r = pass(pile(recipe, 12.0));
    ASSERT_TRUE(r.length);
    EXPECT_NEAR(*r.length, 5.0, 0.3);
    const auto shortPile = std::find_if(r.findings.begin(), r.findings.end(),
                                        [](const TFinding& f) { return f.kind == findingkind::kShort; });
    ASSERT_NE(shortPile, r.findings.end());
    EXPECT_NEAR(shortPile->ratio, 5.0 / 12, 0.03);
    EXPECT_EQ(r.cls, "IV");
    EXPECT_TRUE(says(r, QStringLiteral("обрыв")));
}

TEST(SiteLoss, IsTheSlopeOfTheToeEchoesOverTheirPath) {
    // ln |echo| = ln 2 - 0.05 * 2L, the toes' reflections scattered by +-10 %.
    std::vector<TLossSample> samples;
    for (int k = 0; k < 12; ++k) {
        const double path = 16 + 2 * k;
        samples.push_back({path, 2 * (k % 2 ? 1.1 : 0.9) * std::exp(-0.05 * path)});
    }
    const TSiteLoss loss = EstimateSiteLoss(samples);
    EXPECT_EQ(loss.piles, 12);
    EXPECT_NEAR(loss.loss, 0.05, 0.005);
    EXPECT_GT(loss.error, 0);
    EXPECT_LT(loss.error, 0.01);
    EXPECT_EQ(EstimateSiteLoss({samples.begin(), samples.begin() + 4}).piles, 0) << "too few piles: typical";
}

} // namespace
