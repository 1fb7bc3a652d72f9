// Reading files: only regular files, and no more of a measurement file than it can hold.
#include "SsmIo.h"
#include "SsmGenerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

struct Folder {
    Folder() : path(fs::temp_directory_path() / ("ssmio_" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

TEST(SsmIo, PipesFoldersAndMissingFilesAreRefusedWithoutWaiting) {
    Folder dir;
    ASSERT_EQ(::mkfifo((dir.path / "pipe.ssm").c_str(), 0600), 0);
    fs::create_directory(dir.path / "folder.ssm");
    std::vector<std::uint8_t> bytes{1, 2, 3};
    std::string error;
    for (const char* name : {"pipe.ssm", "folder.ssm", "missing.ssm"}) {
        error.clear();
        EXPECT_FALSE(ssm::readWholeFile(dir.path / name, bytes, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_FALSE(ssm::readMeasurementFile(dir.path / name, bytes, error)) << name;
        EXPECT_TRUE(bytes.empty()) << name;
    }
}

TEST(SsmIo, MeasurementReadStopsAtTheEndOfTheBlocks) {
    Folder dir;
    ssmgen::FileSpec fileSpec;
    fileSpec.dataOffset = 600;
    auto file = ssmgen::build(fileSpec);
    const std::size_t blocksEnd = file.size();
    file.resize(blocksEnd + 3'000'000, 0xAB); // whatever follows is never read
    std::string error;
    ASSERT_TRUE(ssmgen::writeFile(dir.path / "long.ssm", file, std::nullopt, error)) << error;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ssm::readMeasurementFile(dir.path / "long.ssm", bytes, error)) << error;
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(blocksEnd)));
    ASSERT_TRUE(ssm::readWholeFile(dir.path / "long.ssm", bytes, error));
    EXPECT_EQ(bytes.size(), file.size());

    // A cut file gives what it has; a negative offset only the header.
    const auto cut = ssmgen::damage(ssmgen::build(fileSpec), ssmgen::Damage::Truncate, 5000);
    ASSERT_TRUE(ssmgen::writeFile(dir.path / "cut.ssm", cut, std::nullopt, error));
    ASSERT_TRUE(ssm::readMeasurementFile(dir.path / "cut.ssm", bytes, error));
    EXPECT_EQ(bytes, cut);
    const auto negative = ssmgen::damage(ssmgen::build(fileSpec), ssmgen::Damage::NegativeDataOffset);
    ASSERT_TRUE(ssmgen::writeFile(dir.path / "neg.ssm", negative, std::nullopt, error));
    ASSERT_TRUE(ssm::readMeasurementFile(dir.path / "neg.ssm", bytes, error));
    EXPECT_EQ(bytes.size(), ssm::kHeaderSize);
}

} // namespace
