// ssminfo DIR: one line per *.ssm file of a folder with what the measurement layer reads from it.
#include "SsmFile.h"
#include "SsmIo.h"
#include "SsmTimeAxis.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* versionName(ssm::Version v) {
    switch (v) {
    case ssm::Version::V1_0:
        return "1.0";
    case ssm::Version::V1_1:
        return "1.1";
    case ssm::Version::V1_2:
        return "1.2";
    case ssm::Version::Unknown:
        break;
    }
    return "?";
}

// Why a file is not a measurement file, or "" when it is one.
std::string refusal(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < ssm::kHeaderSize)
        return "shorter than the header";
    if (!ssm::isVibrixTitle(bytes))
        return "foreign title";
    const ssm::Header h = ssm::parseHeader(std::span(bytes).first<ssm::kHeaderSize>());
    if (!ssm::blocksInside(h, bytes.size()))
        return "sample blocks missing (file cut or bad data offset)";
    if (!ssm::vibrixParametersUsable(h))
        return "unusable sample period or record length";
    return "";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ssminfo DIR\n");
        return 1;
    }
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(argv[1], ec))
        if (e.path().extension() == ".ssm")
            files.push_back(e.path());
    if (ec) {
        std::fprintf(stderr, "ssminfo: %s: %s\n", argv[1], ec.message().c_str());
        return 2;
    }
    std::sort(files.begin(), files.end());
    std::printf("%-12s %-7s %4s %5s %9s %6s %8s %10s  %s\n", "file", "version", "site", "pile", "Fs, Hz",
                "length", "V, m/s", "T mean, us", "status");
    for (const auto& path : files) {
        std::vector<std::uint8_t> bytes;
        FileFailure failure;
        const std::string name = path.filename().string();
        if (!ssm::readWholeFile(path, bytes, failure)) {
            std::printf("%-12s not readable: %s\n", name.c_str(),
                        failure.kind == FailureKind::NotRegularFile ? "not a regular file"
                                                                    : std::strerror(failure.code));
            continue;
        }
        const std::string why = refusal(bytes);
        if (!why.empty()) {
            std::printf("%-12s not a measurement file: %s\n", name.c_str(), why.c_str());
            continue;
        }
        const ssm::Header h = ssm::parseHeader(std::span(bytes).first<ssm::kHeaderSize>());
        const ssm::Version v = ssm::tracebuilderVersion(bytes, bytes.size());
        const double mean =
            ssm::decodeChannel(bytes, h, v, 0, [](std::size_t, double, double) {}).value_or(0.0);
        std::printf("%-12s %-7s %4u %5u %9.1f %6d %8.1f %10.3f  ok\n", name.c_str(), versionName(v),
                    unsigned(h.siteNumber), unsigned(h.pileNumber), 1.0 / h.samplePeriod, h.sampleLen,
                    double(h.velocity), mean * 1e6);
    }
    return 0;
}
