#pragma once
// A temporary folder filled with generated measurement files for the catalogue tests.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include "SsmGenerator.h"

class SsmFolder {
public:
    QString path() const { return dir_.path(); }
    std::filesystem::path fsPath(const QString& name) const {
        return (dir_.path() + "/" + name).toStdString();
    }

    static ssmgen::FileSpec fileSpec(ssm::Version version, std::uint8_t site, std::uint16_t pile) {
        ssmgen::FileSpec s;
        s.version = version;
        s.siteNumber = site;
        s.pileNumber = pile;
        return s;
    }

    // A local wall-clock time as the instant the file system stores.
    static std::chrono::system_clock::time_point localTime(int y, int mo, int d, int h, int mi, int s) {
        const QDateTime local(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
        return std::chrono::system_clock::time_point(std::chrono::seconds(local.toSecsSinceEpoch()));
    }

    // Sensor words that make every point recognisable: word i of sensor c is 0x8000 + seed + c * 1000 + i %
    // 500.
    static std::vector<std::uint16_t> rampWords(int seed, int channel) {
        std::vector<std::uint16_t> w(ssm::kBlockWords);
        for (std::size_t i = 0; i < w.size(); ++i)
            w[i] = std::uint16_t(0x8000 + seed + channel * 1000 + int(i % 500));
        return w;
    }

    void write(const QString& name, const ssmgen::FileSpec& s) const {
        std::string error;
        ASSERT_TRUE(ssmgen::write(fsPath(name), s, error)) << error;
    }

    void writeBytes(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        std::string error;
        ASSERT_TRUE(ssmgen::writeFile(fsPath(name), bytes, std::nullopt, error)) << error;
    }

private:
    QTemporaryDir dir_;
};
