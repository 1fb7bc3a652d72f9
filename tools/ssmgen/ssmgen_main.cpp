// ssmgen: writes synthetic .ssm measurement files.
//   ssmgen demo DIR          the demo folder (about 24 files, one broken)
//   ssmgen corpus DIR        fuzz seed files
//   ssmgen file OUT [--version 1.0|1.1|1.2] [--site N] [--pile N] [--length M] [--defect M]
//                   [--velocity V] [--period S] [--seed N]
#include "SsmGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: ssmgen demo DIR | ssmgen corpus DIR | ssmgen file OUT [--version 1.0|1.1|1.2]"
                 " [--site N] [--pile N] [--length M] [--defect M] [--velocity V] [--period S]"
                 " [--seed N]\n");
    return 1;
}

bool parseFileOptions(int argc, char** argv, ssmgen::FileSpec& s) {
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        const char* val = argv[i + 1];
        if (opt == "--version") {
            const std::string v = val;
            s.version = v == "1.0"   ? ssm::Version::V1_0
                        : v == "1.2" ? ssm::Version::V1_2
                                     : ssm::Version::V1_1;
        } else if (opt == "--site") {
            s.siteNumber = std::uint8_t(std::atoi(val));
        } else if (opt == "--pile") {
            s.pileNumber = std::uint16_t(std::atoi(val));
        } else if (opt == "--length") {
            s.pile.length = std::atof(val);
        } else if (opt == "--defect") {
            s.pile.defectDepth = std::atof(val);
        } else if (opt == "--velocity") {
            s.velocity = float(std::atof(val));
            s.pile.waveVelocity = s.velocity;
        } else if (opt == "--period") {
            s.samplePeriod = float(std::atof(val));
        } else if (opt == "--seed") {
            s.pile.seed = std::uint32_t(std::strtoul(val, nullptr, 10));
        } else {
            return false;
        }
    }
    return (argc - 3) % 2 == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    const std::string cmd = argv[1];
    std::string error;
    bool ok = false;
    if (cmd == "demo") {
        ok = !ssmgen::writeDemoFolder(argv[2], error).empty() && error.empty();
    } else if (cmd == "corpus") {
        ok = !ssmgen::writeSeedCorpus(argv[2], error).empty() && error.empty();
    } else if (cmd == "file") {
        ssmgen::FileSpec fileSpec;
        if (!parseFileOptions(argc, argv, fileSpec))
            return usage();
        ok = ssmgen::write(argv[2], fileSpec, error);
    } else {
        return usage();
    }
    if (!ok) {
        std::fprintf(stderr, "ssmgen: %s\n", error.c_str());
        return 2;
    }
    return 0;
}
