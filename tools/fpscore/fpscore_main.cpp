// fpscore: the first pass of the pile analysis against the truth of model sites. Exit status 0
// scored, 1 bad arguments, 2 a file that cannot be read or is not what it should be.
#include "FirstPassScore.h"
#include "JsonText.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kUsage =
    "usage: fpscore TRUTH.json AUTO.json [TRUTH.json AUTO.json ...]\n"
    "       fpscore --design-lengths TRUTH.json\n"
    "\n"
    "  TRUTH.json AUTO.json   a site's truth (ssmgen site) and the first pass of its piles\n"
    "                         (vibrix-cli auto PROJECT --json); each site's goals, then all sites'\n"
    "  --design-lengths       \"SITE PILE LENGTH\" per pile that has a design length\n";

int fail(const std::string& why) {
    std::fprintf(stderr, "fpscore: %s\n", why.c_str());
    return 2;
}

int designLengths(const char* truthPath) {
    std::string error;
    const auto truth = ssmgen::readTruth(truthPath, error);
    if (!truth)
        return fail(error);
    for (const ssmgen::TruthPile& p : truth->piles)
        if (p.assessment && p.assessment->designLength)
            std::printf("%d %d %g\n", p.site, p.pile, *p.assessment->designLength);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--design-lengths")
        return designLengths(argv[2]);
    if (argc < 3 || argc % 2 == 0) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    std::vector<fpscore::Goal> total;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string error;
        const auto truth = ssmgen::readTruth(argv[i], error);
        if (!truth)
            return fail(error);
        if (std::none_of(truth->piles.begin(), truth->piles.end(),
                         [](const auto& p) { return bool(p.assessment); }))
            return fail(std::string(argv[i]) +
                        ": no design lengths nor classes: not a site of `ssmgen site`");
        const auto text = ssmgen::readText(argv[i + 1], error);
        if (!text)
            return fail(error);
        const auto autos = fpscore::parseAuto(*text, error);
        if (!autos)
            return fail(std::string(argv[i + 1]) + ": " + error);
        const auto goals = fpscore::score(*truth, *autos);
        std::printf("== %s\n%s", argv[i], fpscore::report(goals).c_str());
        fpscore::add(total, goals);
    }
    if (argc > 3)
        std::printf("== all %d sites\n%s", (argc - 1) / 2, fpscore::report(total).c_str());
    return 0;
}
