#include "PileBlows.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace ssmgen {
using namespace pilemodel;
namespace {

// A clipped blow's input peak, in full scales of the sensor channel.
constexpr double kClippedPeak = 1.5;

} // namespace

std::vector<std::pair<std::string, FileSpec>> pileBlows(const PileSpec& recipe, TruthPile& truth) {
    const PileModel& planned = recipe.file.pile;
    truth = truthOf(planned, recipe.file.siteNumber, recipe.file.pileNumber, recipe.file.velocity);
    std::mt19937 rng(planned.seed);
    std::uniform_int_distribution<int> jitter(-recipe.jitter, recipe.jitter);
    std::uniform_real_distribution<double> spread(-recipe.hammerSpread, recipe.hammerSpread);
    std::vector<std::pair<std::string, FileSpec>> blows;
    for (int k = 1; k <= recipe.blows; ++k) {
        FileSpec f = recipe.file;
        PileModel& m = f.pile;
        TruthBlow b;
        b.file = recipe.stem + "_" + std::to_string(k) + ".ssm";
        b.jitter = std::max(jitter(rng), -int(planned.pulseStart));
        b.trigger = int(planned.pulseStart) + b.jitter;
        b.hammer = planned.hammer * std::round(1000.0 * (1.0 + spread(rng))) / 1000.0;
        m.pulseStart = std::size_t(b.trigger);
        m.hammer = b.hammer;
        m.seed = std::uint32_t(rng());
        if (k == recipe.doubleHit) {
            m.secondHitDelay = recipe.secondHitDelay;
            b.kind = BlowKind::Double;
        }
        if (k == recipe.clipped) {
            m.headAmplitude = kClippedPeak * 32767.0 / b.hammer;
            b.kind = BlowKind::Clipped;
        }
        if (recipe.file.fileTime)
            f.fileTime = *recipe.file.fileTime + std::chrono::seconds(k - 1);
        truth.blows.push_back(b);
        blows.emplace_back(b.file, std::move(f));
    }
    return blows;
}

std::optional<TruthPile> writePile(const std::filesystem::path& dir, const PileSpec& recipe,
                                   std::string& error) {
    TruthPile truth;
    for (const auto& [name, fileSpec] : pileBlows(recipe, truth))
        if (!write(dir / name, fileSpec, error))
            return std::nullopt;
    return truth;
}

} // namespace ssmgen
