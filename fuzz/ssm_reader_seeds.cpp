// Writes the seed corpus of fuzz_ssm_reader into the folder given.
#include "SsmGenerator.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_ssm_reader_seeds DIR\n");
        return 1;
    }
    std::string error;
    ssmgen::writeSeedCorpus(argv[1], error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    return 0;
}
