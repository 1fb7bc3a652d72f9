// Reading files: only regular files, and of a measurement file only the parts a reader needs.
#include "SsmIo.h"
#include "../support/BytesRead.h"
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
    for (const auto& [name, kind] : {std::pair{"pipe.ssm", FailureKind::NotRegularFile},
                                     std::pair{"folder.ssm", FailureKind::NotRegularFile},
                                     std::pair{"missing.ssm", FailureKind::NoSuchFile}}) {
        std::vector<std::uint8_t> bytes{1, 2, 3};
        FileFailure why;
        EXPECT_FALSE(ssm::readWholeFile(dir.path / name, bytes, why)) << name;
        EXPECT_EQ(why.kind, kind) << name;
        EXPECT_TRUE(bytes.empty()) << name;
        why = {};
        ssm::FileParts parts;
        EXPECT_FALSE(ssm::readParts(dir.path / name, {ssm::Block::Sensor1}, parts, why)) << name;
        EXPECT_EQ(why.kind, kind) << name;
    }
}

TEST(SsmIo, PartsAreTheHeaderAndTheBlocksAskedFor) {
    Folder dir;
    ssmgen::FileSpec fileSpec;
    fileSpec.dataOffset = 600;
    const auto file = ssmgen::build(fileSpec);
    std::string error;
    ASSERT_TRUE(ssmgen::writeFile(dir.path / "a.ssm", file, std::nullopt, error)) << error;
    ASSERT_TRUE(ssmgen::writeFarBlocks(dir.path / "far.ssm", fileSpec, std::int64_t(1) << 30, error))
        << error;
    ssm::FileParts near, far;
    FileFailure why;
    ASSERT_TRUE(ssm::readParts(dir.path / "a.ssm", {ssm::Block::Sensor2, ssm::Block::TimeStamps}, near, why));
    EXPECT_EQ(near.header, std::vector<std::uint8_t>(file.begin(), file.begin() + ssm::kHeaderSize));
    EXPECT_EQ(near.fileSize, file.size());
    const auto at = [&](std::size_t from) {
        return std::vector<std::uint8_t>(file.begin() + std::ptrdiff_t(from),
                                         file.begin() + std::ptrdiff_t(from + ssm::kBlockBytes));
    };
    EXPECT_EQ(near.blocks[1], at(600 + ssm::kBlockBytes));
    EXPECT_EQ(near.blocks[3], at(600 + 3 * ssm::kBlockBytes));
    EXPECT_TRUE(near.blocks[0].empty());
    EXPECT_TRUE(near.blocks[2].empty());

    // Blocks a gigabyte into the file cost the bytes of the blocks, nothing more.
    const long long before = BytesReadSoFar();
    ASSERT_TRUE(
        ssm::readParts(dir.path / "far.ssm", {ssm::Block::Sensor2, ssm::Block::TimeStamps}, far, why));
    EXPECT_LT(BytesReadSoFar() - before, 100000);
    EXPECT_EQ(far.blocks[1], near.blocks[1]);
    EXPECT_EQ(far.blocks[3], near.blocks[3]);

    // A cut file and a negative offset give the header alone.
    for (const auto d : {ssmgen::Damage::Truncate, ssmgen::Damage::NegativeDataOffset}) {
        const auto bad = ssmgen::damage(file, d, 5000);
        ASSERT_TRUE(ssmgen::writeFile(dir.path / "bad.ssm", bad, std::nullopt, error));
        ASSERT_TRUE(ssm::readParts(dir.path / "bad.ssm", {ssm::Block::Sensor1}, near, why));
        EXPECT_TRUE(near.headerComplete());
        EXPECT_TRUE(near.blocks[0].empty());
    }
}

} // namespace
