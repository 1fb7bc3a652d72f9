// ssmgen: writes synthetic .ssm measurement files of piles modelled by the one-dimensional wave
// equation. Exit status 0 done, 1 bad arguments, 2 a file that cannot be written.
#include "PileBlows.h"
#include "SsmSite.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace {

const char* const kUsage =
    "usage: ssmgen demo DIR | ssmgen corpus DIR | ssmgen file OUT [options] | ssmgen pile DIR [options]\n"
    "       ssmgen site DIR [--piles N] [--seed S]\n"
    "\n"
    "  demo DIR     a site of three fields: 24 piles of 3 to 5 blows each, with defects and bad\n"
    "               blows, a truncated and a foreign file, and truth.json\n"
    "  corpus DIR   seed files of the fuzz targets\n"
    "  file OUT     one blow into the file OUT\n"
    "  pile DIR     the blows of one pile into DIR (created if missing), with truth.json\n"
    "  site DIR     a site of N random piles (100) of every kind, drawn from the seed S (1), to\n"
    "               score the pile analysis with; truth.json adds design lengths and classes\n"
    "\n"
    "The file header (file and pile):\n"
    "  --version 1.0|1.1|1.2    magic of the file version (1.1)\n"
    "  --site N  --pile N       site (0..255) and pile (0..65535) numbers (1, 1)\n"
    "  --period S               sample period, s, 1e-7 to 0.01 (0.00002)\n"
    "  --samples N              record length, samples (16384)\n"
    "  --velocity M/S           wave velocity written into the header (the wave speed)\n"
    "  --gain G                 gain coefficient of the header (1)\n"
    "The pile and the instrument (file and pile):\n"
    "  --length M               pile length, 0.5 to 200 m (12)\n"
    "  --speed M/S              the concrete's wave speed, 500 to 10000 m/s (4000)\n"
    "  --toe free|fixed|R       toe: free end, socket in rock, or a reflection R in soil (0.6)\n"
    "  --friction F             shaft friction, loss per metre: a wave keeps exp(-F x) (0.02)\n"
    "  --section KIND:DEPTH:LENGTH:RATIO\n"
    "                           a stretch of impedance RATIO times the head's, KIND narrowing,\n"
    "                           widening, crack or break; repeat for several\n"
    "  --defect M               a narrowing to 0.55 of 1 m at depth M\n"
    "  --pulse S                duration of the hammer's half-sine, s (0.0008)\n"
    "  --sensor2-depth M        depth of sensor 2 below the head; 0 = at the head (0)\n"
    "  --noise COUNTS           white noise of the sensors, standard deviation (20)\n"
    "  --seed N                 seed of the noise and of the blows (1)\n"
    "The blows (pile only):\n"
    "  --name STEM              file names STEM_1.ssm, STEM_2.ssm, ... (fSITE_PILE)\n"
    "  --blows N                number of blows, one second apart (4)\n"
    "  --jitter N               trigger jitter up to N samples either way (4)\n"
    "  --spread X               hammer amplitude of each blow within 1 +- X (0.2)\n"
    "  --double-hit K           blow K is struck twice, the second hit 4 ms after the first\n"
    "  --clipped K              the sensors of blow K run out of range over the input peak\n";

int usage(const std::string& why) {
    std::fprintf(stderr, "ssmgen: %s\n%s", why.c_str(), kUsage);
    return 1;
}

bool number(const char* text, double& v) {
    char* end = nullptr;
    errno = 0;
    v = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0 && std::isfinite(v);
}

// DEPTH:LENGTH:RATIO after "KIND:".
bool section(const std::string& text, pilemodel::Section& s) {
    const auto colon = text.find(':');
    if (colon == std::string::npos || !pilemodel::sectionKindFromName(text.substr(0, colon), s.kind))
        return false;
    int used = 0;
    const int read =
        std::sscanf(text.c_str() + colon + 1, "%lf:%lf:%lf%n", &s.depth, &s.length, &s.ratio, &used);
    return read == 3 && text[colon + 1 + std::size_t(used)] == '\0' && s.depth >= 0 && s.depth <= 200 &&
           s.length > 0 && s.length <= 200 && s.ratio > 0 && s.ratio <= 100;
}

struct Options {
    ssmgen::PileSpec recipe;
    bool named = false, velocitySet = false;
};

using Setter = std::function<bool(const char*, Options&)>;

// A number within [least, most], whole when asked, handed to `put`. The limits keep an absurd
// pile from taking all memory.
Setter numeric(double least, double most, bool integral, std::function<void(Options&, double)> put) {
    return [=](const char* text, Options& o) {
        double v = 0;
        if (!number(text, v) || v < least || v > most || (integral && v != std::floor(v)))
            return false;
        put(o, v);
        return true;
    };
}

std::function<void(Options&, double)> model(double pilemodel::PileModel::*field) {
    return [field](Options& o, double v) { o.recipe.file.pile.*field = v; };
}

std::function<void(Options&, double)> recipe(int ssmgen::PileSpec::*field) {
    return [field](Options& o, double v) { o.recipe.*field = int(v); };
}

// Each option: whether it belongs to `pile` only, and what it sets (false for a value it cannot
// take).
const std::map<std::string, std::pair<bool, Setter>>& options() {
    using pilemodel::PileModel;
    using ssmgen::PileSpec;
    static const std::map<std::string, std::pair<bool, Setter>> table = {
        {"--version",
         {false,
          [](const char* v, Options& o) {
              const std::string s = v;
              const auto version = s == "1.0"   ? ssm::Version::V1_0
                                   : s == "1.1" ? ssm::Version::V1_1
                                   : s == "1.2" ? ssm::Version::V1_2
                                                : ssm::Version::Unknown;
              o.recipe.file.version = version;
              return version != ssm::Version::Unknown;
          }}},
        {"--site",
         {false,
          numeric(0, 255, true, [](Options& o, double v) { o.recipe.file.siteNumber = std::uint8_t(v); })}},
        {"--pile",
         {false, numeric(0, 65535, true,
                         [](Options& o, double v) { o.recipe.file.pileNumber = std::uint16_t(v); })}},
        {"--period",
         {false,
          numeric(1e-7, 0.01, false, [](Options& o, double v) { o.recipe.file.samplePeriod = float(v); })}},
        {"--samples",
         {false,
          numeric(1, 16384, true, [](Options& o, double v) { o.recipe.file.sampleLen = std::int32_t(v); })}},
        {"--velocity",
         {false, numeric(1, 1e5, false,
                         [](Options& o, double v) {
                             o.recipe.file.velocity = float(v);
                             o.velocitySet = true;
                         })}},
        {"--gain",
         {false, numeric(0, 1000, false, [](Options& o, double v) { o.recipe.file.amp = float(v); })}},
        {"--length", {false, numeric(0.5, 200, false, model(&PileModel::length))}},
        {"--speed", {false, numeric(500, 10000, false, model(&PileModel::waveVelocity))}},
        {"--toe",
         {false,
          [](const char* v, Options& o) {
              const std::string s = v;
              double& r = o.recipe.file.pile.toeReflection;
              r = s == "free" ? pilemodel::kFreeToe : s == "fixed" ? pilemodel::kFixedToe : 0.0;
              return s == "free" || s == "fixed" || (number(v, r) && r >= -1 && r <= 1);
          }}},
        {"--friction", {false, numeric(0, 10, false, model(&PileModel::friction))}},
        {"--section",
         {false,
          [](const char* v, Options& o) {
              pilemodel::Section s;
              o.recipe.file.pile.profile.push_back(s);
              return section(v, o.recipe.file.pile.profile.back());
          }}},
        {"--defect",
         {false,
          numeric(0, 200, false,
                  [](Options& o, double v) {
                      o.recipe.file.pile.profile.push_back({pilemodel::SectionKind::Narrowing, v, 1.0, 0.55});
                  })}},
        {"--pulse", {false, numeric(1e-5, 0.02, false, model(&PileModel::pulseDuration))}},
        {"--sensor2-depth", {false, numeric(0, 200, false, model(&PileModel::sensor2Depth))}},
        {"--noise", {false, numeric(0, 30000, false, model(&PileModel::noise))}},
        {"--seed",
         {false, numeric(0, 4294967295.0, true,
                         [](Options& o, double v) { o.recipe.file.pile.seed = std::uint32_t(v); })}},
        {"--name",
         {true,
          [](const char* v, Options& o) {
              o.recipe.stem = v;
              o.named = true;
              return *v != '\0';
          }}},
        {"--blows", {true, numeric(1, 1000, true, recipe(&PileSpec::blows))}},
        {"--jitter", {true, numeric(0, 1000, true, recipe(&PileSpec::jitter))}},
        {"--spread",
         {true, numeric(0, 0.99, false, [](Options& o, double v) { o.recipe.hammerSpread = v; })}},
        {"--double-hit", {true, numeric(1, 1000, true, recipe(&PileSpec::doubleHit))}},
        {"--clipped", {true, numeric(1, 1000, true, recipe(&PileSpec::clipped))}},
    };
    return table;
}

// The options after the command and its folder or file; an empty text when they all apply.
std::string parse(int argc, char** argv, bool pile, Options& o) {
    for (int i = 3; i < argc; i += 2) {
        const auto found = options().find(argv[i]);
        if (found == options().end() || (found->second.first && !pile))
            return std::string("unknown option ") + argv[i];
        if (i + 1 == argc)
            return std::string("no value for ") + argv[i];
        if (!found->second.second(argv[i + 1], o))
            return std::string("bad value for ") + argv[i] + ": " + argv[i + 1];
    }
    ssmgen::FileSpec& f = o.recipe.file;
    if (!o.velocitySet)
        f.velocity = float(f.pile.waveVelocity);
    if (!o.named)
        o.recipe.stem = "f" + std::to_string(f.siteNumber) + "_" + std::to_string(f.pileNumber);
    for (int k : {o.recipe.doubleHit, o.recipe.clipped})
        if (k > o.recipe.blows)
            return "no blow " + std::to_string(k) + " among " + std::to_string(o.recipe.blows);
    return {};
}

bool writePileFolder(const std::filesystem::path& dir, const ssmgen::PileSpec& recipe, std::string& error) {
    if (!ssmgen::makeFolder(dir, error))
        return false;
    const auto truth = ssmgen::writePile(dir, recipe, error);
    return truth && ssmgen::writeTruth(dir / "truth.json", ssmgen::Truth{{*truth}}, error);
}

// The options of `site`, whole numbers both; an empty text when they apply.
std::string parseSite(int argc, char** argv, int& piles, std::uint32_t& seed) {
    for (int i = 3; i < argc; i += 2) {
        const std::string name = argv[i];
        if (name != "--piles" && name != "--seed")
            return "unknown option " + name;
        if (i + 1 == argc)
            return "no value for " + name;
        const bool count = name == "--piles";
        double v = 0;
        if (!number(argv[i + 1], v) || v < (count ? 1 : 0) || v > (count ? 10000 : 4294967295.0) ||
            v != std::floor(v))
            return "bad value for " + name + ": " + argv[i + 1];
        if (count)
            piles = int(v);
        else
            seed = std::uint32_t(v);
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 3)
        return usage("a command and a folder or file are needed");
    const std::string cmd = argv[1];
    std::string error;
    bool ok = false;
    if (cmd == "demo" || cmd == "corpus") {
        if (argc != 3)
            return usage(cmd + " takes no options");
        ok = cmd == "demo" ? !ssmgen::writeDemoFolder(argv[2], error).empty()
                           : !ssmgen::writeSeedCorpus(argv[2], error).empty();
        ok = ok && error.empty();
    } else if (cmd == "file" || cmd == "pile") {
        Options o;
        const std::string why = parse(argc, argv, cmd == "pile", o);
        if (!why.empty())
            return usage(why);
        ok = cmd == "file" ? ssmgen::write(argv[2], o.recipe.file, error)
                           : writePileFolder(argv[2], o.recipe, error);
    } else if (cmd == "site") {
        int piles = 100;
        std::uint32_t seed = 1;
        const std::string why = parseSite(argc, argv, piles, seed);
        if (!why.empty())
            return usage(why);
        ok = !ssmgen::writeSite(argv[2], piles, seed, error).empty();
    } else {
        return usage("unknown command " + cmd);
    }
    if (!ok) {
        std::fprintf(stderr, "ssmgen: %s\n", error.c_str());
        return 2;
    }
    return 0;
}
