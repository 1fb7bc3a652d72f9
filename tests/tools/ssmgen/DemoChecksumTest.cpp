// The demo folder is what users, screenshots and other tests start from: the generator keeps
// it byte for byte, held to the SHA-256 sums recorded in demo-checksums.txt (sha256sum's format).
#include "SsmGenerator.h"
#include "SsmgenFolder.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

std::map<std::string, std::string> recordedSums() {
    std::map<std::string, std::string> sums;
    std::ifstream in(DEMO_CHECKSUMS);
    std::string sum, name;
    while (in >> sum >> name)
        sums[name] = sum;
    return sums;
}

std::string sha256(const std::filesystem::path& file) {
    QFile f(QString::fromStdString(file.string()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return "unreadable";
    return hash.result().toHex().toStdString();
}

TEST(Demo, EveryFileKeepsItsRecordedChecksum) {
    SsmgenFolder dir;
    std::string error;
    std::vector<std::string> names = ssmgen::writeDemoFolder(dir.path, error);
    ASSERT_TRUE(error.empty()) << error;
    names.push_back("truth.json");
    std::map<std::string, std::string> written;
    for (const std::string& n : names)
        written[n] = sha256(dir.path / n);
    const auto recorded = recordedSums();
    ASSERT_GT(recorded.size(), 90u);
    EXPECT_EQ(written, recorded);
}

} // namespace
