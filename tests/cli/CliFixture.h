#pragma once
// A temporary folder of generated measurement files for the command-line tools.

#include "SsmGenerator.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CliFixture : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Measurements of one site in the folder `sub`, a minute apart, plus one foreign file.
    QString measurementFolder(const QString& sub, int count) {
        QDir(dir.path()).mkpath(sub);
        for (int i = 0; i < count; ++i) {
            ssmgen::FileSpec s;
            s.version = i % 2 ? ssm::Version::V1_2 : ssm::Version::V1_1;
            s.siteNumber = 4;
            s.pileNumber = std::uint16_t(10 + i);
            s.pile.length = 8.0 + i;
            s.pile.seed = std::uint32_t(i + 1);
            s.fileTime = std::chrono::sys_days{std::chrono::year{2025} / 5 / 20} + std::chrono::hours{9} +
                         std::chrono::minutes{i};
            write(sub + QString("/obj_%1.ssm").arg(i + 1, 3, 10, QChar('0')), ssmgen::build(s), s.fileTime);
        }
        write(sub + "/foreign.ssm", ssmgen::damage(ssmgen::build({}), ssmgen::Damage::ForeignTitle), {});
        return path(sub);
    }

    void write(const QString& name, const std::vector<std::uint8_t>& bytes,
               std::optional<std::chrono::system_clock::time_point> time) {
        std::string error;
        ASSERT_TRUE(ssmgen::writeFile(path(name).toStdString(), bytes, time, error)) << error;
    }

    QTemporaryDir dir;
};
