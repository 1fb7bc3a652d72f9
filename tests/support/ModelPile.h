#pragma once
// A pile of the wave model written as measurement files into a folder of its own and imported
// into an open project, as the tests of the pile road set their piles up.

#include "DownloadUnit.h"
#include "MainDataModuleUnit.h"
#include "PileBlows.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

// What the model put into the files; none (and a failure of the test) when they were not written.
inline std::optional<ssmgen::TruthPile> ImportModelPile(TMainDataModule& dm, const QString& folder,
                                                        const ssmgen::PileSpec& spec) {
    QDir().mkpath(folder);
    std::string error;
    std::optional<ssmgen::TruthPile> truth = ssmgen::writePile(folder.toStdString(), spec, error);
    EXPECT_TRUE(truth) << error;
    if (truth)
        for (const ssmgen::TruthBlow& b : truth->blows) {
            const QFileInfo f(folder + "/" + QString::fromStdString(b.file));
            EXPECT_EQ(dm.AddMeasureFile(f.filePath(), toDateTimeValue(f.lastModified())), 0) << b.file;
        }
    return truth;
}
