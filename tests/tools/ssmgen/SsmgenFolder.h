#pragma once
// A fresh folder per test case, and the sample values of a written file.

#include "SsmFile.h"
#include "SsmIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

struct SsmgenFolder {
    std::filesystem::path path;
    SsmgenFolder() {
        const auto* test = ::testing::UnitTest::GetInstance();
        path =
            std::filesystem::temp_directory_path() /
            ("ssmgen_test_" + std::to_string(test->random_seed()) + "_" + test->current_test_info()->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~SsmgenFolder() { std::filesystem::remove_all(path); }
};

// The header and the signed sample values of the three channels of a file (none when the file
// does not hold them).
struct WrittenFile {
    explicit WrittenFile(const std::filesystem::path& file) {
        FileFailure why;
        if (!ssm::readWholeFile(file, bytes, why) || bytes.size() < ssm::kHeaderSize) {
            ADD_FAILURE() << "cannot read " << file;
            return;
        }
        header = ssm::parseHeader(std::span(bytes).first<ssm::kHeaderSize>());
        if (!ssm::blocksInside(header, bytes.size()))
            return; // a file cut short: its header only
        for (int c = 0; c < 3; ++c)
            for (std::size_t i = 0; i < ssm::kBlockWords; ++i)
                channels[c].push_back(ssm::sampleValue(
                    ssm::blockWord(bytes.data() + ssm::blockOffset(header, ssm::Block(c)), i)));
    }
    const std::vector<int>& sensor1() const { return channels[0]; }
    const std::vector<int>& hammer() const { return channels[2]; }

    std::vector<std::uint8_t> bytes;
    ssm::Header header;
    std::vector<int> channels[3];
};
