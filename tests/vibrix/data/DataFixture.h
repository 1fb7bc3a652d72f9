#pragma once
// Measurement files made by our generator in a temporary folder, and a data module.

#include "MainDataModuleUnit.h"
#include "SsmGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline ssmgen::FileSpec measureSpec(int site, int pile, std::uint32_t seed = 1) {
    ssmgen::FileSpec s;
    s.siteNumber = std::uint8_t(site);
    s.pileNumber = std::uint16_t(pile);
    s.pile.seed = seed;
    return s;
}

// A record our writer stores: usable parameters, silent channels.
inline TMeasureResult usableRecord(double dateTime = 45000.25, int site = 1, int pile = 2) {
    TMeasureResult r;
    r.DateTime = dateTime;
    r.SiteNumber = site;
    r.PileNumber = pile;
    r.SampleFreq = 50000;
    r.SampleLen = 16384;
    return r;
}

// The measurement table's row of a record.
inline vxds::Row rowOf(const TMeasureResult& r) {
    return {r.DateTime, r.SiteNumber, r.PileNumber, packMeasure(r), QString()};
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataFixture : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeSsm(const QString& name, const ssmgen::FileSpec& fileSpec) {
        std::string error;
        EXPECT_TRUE(ssmgen::write(path(name).toStdString(), fileSpec, error)) << error;
        return path(name);
    }

    // A project file holding one measurement per (time, site, pile).
    QString projectWith(const QString& name, std::initializer_list<std::tuple<double, int, int>> rows) {
        const QString file = path(name);
        EXPECT_TRUE(dm.CreateProject(file));
        EXPECT_TRUE(dm.OpenProject(file));
        std::uint32_t n = 0;
        for (auto [time, site, pile] : rows) {
            ++n;
            const QString file = writeSsm(QString("m%1.ssm").arg(n), measureSpec(site, pile, n));
            EXPECT_EQ(dm.AddMeasureFile(file, time), 0);
        }
        EXPECT_TRUE(dm.CloseProject());
        return file;
    }

    std::vector<int> piles() {
        std::vector<int> out;
        if (!dm.IsProjectOpen())
            return out;
        dm.cdsVibrix.first();
        for (int i = 0; i < dm.cdsVibrix.recordCount(); ++i, dm.cdsVibrix.next())
            out.push_back(vxds::asInt(dm.cdsVibrix.value("PileNumber")));
        return out;
    }

    QTemporaryDir dir;
    TMainDataModule dm;
};
