// The pile model against what the physics says in closed form, and against a finite-difference
// solver of the wave equation written here on its own.
#include "PileModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

using pilemodel::PileModel;
using pilemodel::Section;
using pilemodel::SectionKind;

constexpr double kPeriod = 2e-5; // 50 kHz: layers of 0.08 m at 4000 m/s
constexpr std::size_t kStart = 100;
constexpr std::size_t kInputPeak = kStart + 10; // the crest of a 0.4 ms half-sine

// A pile without friction with a free toe, struck by a short blow.
PileModel quietPile(double length) {
    PileModel m;
    m.length = length;
    m.waveVelocity = 4000.0;
    m.friction = 0.0;
    m.toeReflection = pilemodel::kFreeToe;
    m.pulseStart = kStart;
    m.pulseDuration = 0.0004;
    return m;
}

std::vector<double> head(const PileModel& m, std::size_t n = 2048) {
    return pilemodel::simulateBlow(m, kPeriod, n).head;
}

// Index of the largest magnitude in [from, to).
std::size_t strongest(const std::vector<double>& v, std::size_t from, std::size_t to) {
    return std::size_t(std::max_element(v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(to),
                                        [](double a, double b) { return std::fabs(a) < std::fabs(b); }) -
                       v.begin());
}

TEST(PileModel, FreeToeEchoesTwiceTheInputTwoLengthsOverTheSpeedLater) {
    const PileModel m = quietPile(12.0);
    const auto v = head(m);
    ASSERT_EQ(pilemodel::toeEchoOffset(m, kPeriod), 300u); // 2 * 12 / 4000 s at 50 kHz
    EXPECT_DOUBLE_EQ(v[kInputPeak], 1.0);
    const std::size_t echo = strongest(v, kStart + 25, kStart + 600);
    EXPECT_EQ(echo, kInputPeak + 300);
    EXPECT_NEAR(v[echo], 2.0, 1e-12);
}

TEST(PileModel, NarrowingEchoesTwoRWithTheInputsSignAndAWideningTheOpposite) {
    // 3 m long, so that the echo of its lower end (1.5 ms later) leaves the first one whole.
    for (const double a : {0.5, 2.0}) {
        PileModel m = quietPile(20.0);
        m.profile = {{a < 1 ? SectionKind::Narrowing : SectionKind::Widening, 4.8, 3.0, a}};
        const auto v = head(m);
        const double r = (1 - a) / (1 + a);
        const std::size_t echo = strongest(v, kStart + 25, kStart + 200);
        EXPECT_EQ(echo, kInputPeak + 120) << a; // 2 * 4.8 / 4000 s
        EXPECT_NEAR(v[echo], 2 * r, 1e-12) << a;
    }
}

TEST(PileModel, FixedToeEchoesWithTheOppositeSign) {
    PileModel m = quietPile(12.0);
    m.toeReflection = pilemodel::kFixedToe;
    EXPECT_NEAR(head(m)[kInputPeak + 300], -2.0, 1e-12);
}

TEST(PileModel, SoilAndShaftFrictionFadeTheToeEcho) {
    PileModel m = quietPile(12.0);
    m.toeReflection = 0.5;
    m.friction = 0.01;
    EXPECT_NEAR(head(m)[kInputPeak + 300], 2 * 0.5 * std::exp(-0.01 * 24.0), 1e-12);
}

TEST(PileModel, BreakEchoesStronglyEarlyAndHidesTheToe) {
    PileModel m = quietPile(12.0);
    m.toeReflection = 0.5;
    m.friction = 0.015;
    m.pulseDuration = 0.0008;
    m.profile = {{SectionKind::Break, 3.5, 0.2, 0.0005}};
    const auto v = head(m, 1000);
    const std::size_t crest = kStart + 20;
    EXPECT_GT(v[strongest(v, crest + 30, crest + 130)], 1.5); // 2 * 3.5 / 4000 s = 87.5 samples
    // Whatever holds the toe, the head does not feel it.
    m.toeReflection = pilemodel::kFixedToe;
    const auto fixed = head(m, 1000);
    for (std::size_t i = 0; i < v.size(); ++i)
        ASSERT_NEAR(v[i], fixed[i], 0.03) << i;
}

TEST(PileModel, SensorTwoSeesTheInputItsDepthOverTheSpeedLater) {
    PileModel m = quietPile(12.0);
    m.sensor2Depth = 0.8; // 10 layers
    const auto b = pilemodel::simulateBlow(m, kPeriod, 400);
    EXPECT_EQ(strongest(b.sensor2, 0, 200), kInputPeak + 10);
    EXPECT_DOUBLE_EQ(b.sensor2[kInputPeak + 10], 1.0);
}

TEST(PileModel, MobilityPeaksEveryWaveSpeedOverTwoLengths) {
    PileModel m = quietPile(10.0); // c / 2L = 200 Hz
    m.friction = 0.03;             // the ringing fades within the record
    const std::size_t n = 4096;
    const auto b = pilemodel::simulateBlow(m, kPeriod, n);
    const auto dft = [&](const std::vector<double>& x, double f) {
        const std::complex<double> turn = std::polar(1.0, -2 * std::numbers::pi * f * kPeriod);
        std::complex<double> sum, phasor = 1.0;
        for (std::size_t i = 0; i < n; ++i, phasor *= turn)
            sum += x[i] * phasor;
        return sum;
    };
    std::vector<double> mobility;
    for (double f = 100; f <= 1300; f += 5)
        mobility.push_back(std::abs(dft(b.head, f) / dft(b.force, f)));
    std::vector<double> peaks;
    for (std::size_t k = 1; k + 1 < mobility.size(); ++k)
        if (mobility[k] > mobility[k - 1] && mobility[k] > mobility[k + 1])
            peaks.push_back(100 + 5.0 * double(k));
    EXPECT_EQ(peaks, (std::vector<double>{200, 400, 600, 800, 1000, 1200}));
}

TEST(PileModel, EnergyIsWhatTheHammerPutInForAsLongAsItRings) {
    PileModel m = quietPile(14.0);
    m.profile = {{SectionKind::Narrowing, 3.0, 2.0, 0.6}, {SectionKind::Widening, 8.0, 1.5, 1.7}};
    for (const double toe : {pilemodel::kFreeToe, pilemodel::kFixedToe}) {
        m.toeReflection = toe;
        const auto b = pilemodel::simulateBlow(m, kPeriod, 200);
        pilemodel::PileWave wave(pilemodel::layered(m, kPeriod));
        double work = 0;
        for (const double f : b.force)
            work += f * wave.step(f);
        EXPECT_GT(work, 1.0);
        for (int i = 0; i < 20000; ++i)
            wave.step(0.0);
        EXPECT_NEAR(wave.energy(), work, 1e-12 * work) << toe;
    }
}

TEST(PileWave, RespondToTheModelsForceIsTheModelsBlow) {
    PileModel m = quietPile(14.0);
    m.friction = 0.02;
    m.toeReflection = 0.5;
    m.sensor2Depth = 0.4;
    m.profile = {{SectionKind::Narrowing, 3.0, 2.0, 0.6}};
    const auto blow = pilemodel::simulateBlow(m, kPeriod, 1500);
    const auto back = pilemodel::respond(pilemodel::layered(m, kPeriod), blow.force, 1500);
    EXPECT_EQ(back.head, blow.head);
    EXPECT_EQ(back.sensor2, blow.sensor2);
}

TEST(PileWave, AForceHistoryGivesTheSumOfItsSamplesImpulseResponses) {
    PileModel m = quietPile(9.0);
    m.friction = 0.04;
    m.sensor2Depth = 0.8;
    m.profile = {{SectionKind::Widening, 2.5, 1.0, 1.5}};
    const pilemodel::LayeredPile pile = pilemodel::layered(m, kPeriod);
    const std::size_t n = 800;
    // A measured force: a skewed pulse with a ringing tail, ending long before the record does.
    std::vector<double> force(60);
    for (std::size_t k = 0; k < force.size(); ++k)
        force[k] = std::pow(double(k) / 60, 0.7) * std::exp(-double(k) / 15) + 0.05 * std::sin(double(k));
    const double impulse[] = {1.0};
    const auto h = pilemodel::respond(pile, impulse, n);
    const auto v = pilemodel::respond(pile, force, n);
    for (std::size_t i = 0; i < n; ++i) {
        double head = 0, sensor2 = 0;
        for (std::size_t k = 0; k <= std::min(i, force.size() - 1); ++k) {
            head += force[k] * h.head[i - k];
            sensor2 += force[k] * h.sensor2[i - k];
        }
        ASSERT_NEAR(v.head[i], head, 1e-12) << i;
        ASSERT_NEAR(v.sensor2[i], sensor2, 1e-12) << i;
    }
}

TEST(PileModel, ASoilBoundaryEchoesLikeTheSmallChangeOfImpedanceItIs) {
    PileModel m = quietPile(20.0);
    m.soil = {{4.8, 0.05}}; // a stiffer layer below 4.8 m
    const auto v = head(m);
    const std::size_t echo = strongest(v, kStart + 25, kStart + 200);
    EXPECT_EQ(echo, kInputPeak + 120);
    EXPECT_NEAR(v[echo], 2 * (1 - 1.05) / (1 + 1.05), 1e-12);
}

TEST(PileModel, ASkewedPulseCrestsThatShareOfItsDurationEarly) {
    PileModel m = quietPile(10.0);
    m.pulseDuration = 0.0008; // 40 samples: a half-sine crests at 20
    m.pulseSkew = 0.2;
    const auto force = pilemodel::simulateBlow(m, kPeriod, kStart + 60).force;
    EXPECT_EQ(strongest(force, 0, force.size()), kStart + 12);
}

TEST(PileModel, TheToeEchoIsWhatItsReflectionAndTheLossOverTwoLengthsLeave) {
    PileModel m = quietPile(12.0);
    m.toeReflection = 0.5;
    m.friction = 0.01;
    EXPECT_NEAR(pilemodel::toeEcho(m, kPeriod), 2 * 0.5 * std::exp(-0.01 * 24.0), 1e-9);
}

TEST(PileModel, ABreakLeavesNextToNothingOfTheToeEcho) {
    PileModel m = quietPile(12.0);
    m.profile = {{SectionKind::Break, 3.5, 0.2, 0.0005}};
    EXPECT_LT(pilemodel::toeEcho(m, kPeriod), 0.01);
}

// The wave equation of a rod, rho A v' = -(N)', N' = -E A v', on a staggered grid a quarter of a
// layer fine, at half the Courant limit; Z = rho c A, E A = Z c.
std::vector<double> finiteDifferenceHead(const PileModel& m, std::size_t samples) {
    const double c = m.waveVelocity, dx = c * kPeriod / 4, dt = kPeriod / 8;
    const auto nodes = std::size_t(std::lround(m.length / dx)) + 1;
    std::vector<double> z(nodes - 1, 1.0); // impedance of each element, at its middle
    for (std::size_t e = 0; e + 1 < nodes; ++e)
        for (const Section& s : m.profile)
            if ((double(e) + 0.5) * dx > s.depth && (double(e) + 0.5) * dx < s.depth + s.length)
                z[e] = s.ratio;
    std::vector<double> mass(nodes, 0.0), v(nodes, 0.0), force(nodes - 1, 0.0);
    for (std::size_t e = 0; e + 1 < nodes; ++e) {
        mass[e] += z[e] * dx / (2 * c);
        mass[e + 1] += z[e] * dx / (2 * c);
    }
    const double pulse = m.pulseDuration / kPeriod;
    const auto hammer = [&](double t) {
        const double x = t / kPeriod - double(m.pulseStart);
        return x >= 0 && x <= pulse ? m.hammer * std::sin(std::numbers::pi * x / pulse) : 0.0;
    };
    std::vector<double> out;
    for (std::size_t step = 0; out.size() < samples; ++step) {
        const double t = double(step) * dt, before = v[0];
        for (std::size_t i = 0; i < nodes; ++i) {
            const double above = i > 0 ? force[i - 1] : hammer(t);
            const double below = i + 1 < nodes ? force[i] : 0.0;
            v[i] += dt / mass[i] * (above - below);
        }
        if (step % 8 == 0)
            out.push_back((before + v[0]) / 2); // at t, between its half steps
        for (std::size_t e = 0; e + 1 < nodes; ++e)
            force[e] += dt * z[e] * c / dx * (v[e] - v[e + 1]);
    }
    return out;
}

TEST(PileModel, AgreesWithAFiniteDifferenceSolution) {
    PileModel m = quietPile(10.0);
    m.pulseDuration = 0.0008;
    m.profile = {{SectionKind::Narrowing, 3.2, 2.4, 0.6}};
    const std::size_t samples = kStart + 600; // two trips to the toe and back
    const auto model = head(m, samples);
    const auto reference = finiteDifferenceHead(m, samples);
    // The difference stays at the kinks where the half-sine starts and ends, which the grid rounds.
    double worst = 0, difference = 0, signal = 0;
    for (std::size_t i = 0; i < samples; ++i) {
        worst = std::max(worst, std::fabs(model[i] - reference[i]));
        difference += (model[i] - reference[i]) * (model[i] - reference[i]);
        signal += model[i] * model[i];
    }
    EXPECT_LT(worst, 0.05); // of an input of 1, a defect echo of 0.5 and a toe echo of about 2
    EXPECT_LT(std::sqrt(difference / signal), 0.02); // a sample late would be 0.08
}

} // namespace
