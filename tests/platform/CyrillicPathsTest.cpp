// A site folder and a project named in Cyrillic, through the file access of both programs: on
// Windows every name goes through the wide-character calls, never the 8-bit code page.
#include <gtest/gtest.h>

#include "MainDataModuleUnit.h"
#include "PlatformPath.h"
#include "SsmGenerator.h"
#include "tracebuilder/app/CatalogueWidgets.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

class CyrillicPaths : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(folder));
        for (int pile = 1; pile <= 3; ++pile) {
            ssmgen::FileSpec s;
            s.siteNumber = 3;
            s.pileNumber = std::uint16_t(pile);
            s.pile.seed = std::uint32_t(pile);
            std::string error;
            ASSERT_TRUE(
                ssmgen::write(platform::FsPath(folder + QStringLiteral("/Свая %1.ssm").arg(pile)), s, error))
                << error;
        }
    }

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Объект Северный/Поле 3"));
};

TEST_F(CyrillicPaths, AProjectTakesTheFilesAndOpensAgain) {
    const QString project = dir.filePath(QStringLiteral("Объект Северный/Проект №1.cdsm"));
    TMainDataModule dm;
    ASSERT_TRUE(dm.CreateProject(project));
    ASSERT_TRUE(dm.OpenProject(project));
    for (int pile = 1; pile <= 3; ++pile)
        EXPECT_EQ(dm.AddMeasureFile(folder + QStringLiteral("/Свая %1.ssm").arg(pile), 45000.0 + pile), 0);
    ASSERT_TRUE(dm.SaveProject());
    ASSERT_TRUE(dm.CloseProject());

    TMainDataModule again;
    ASSERT_TRUE(again.OpenProject(project));
    EXPECT_EQ(again.cdsVibrix.recordCount(), 3);
}

TEST_F(CyrillicPaths, TheCatalogueListsAndReadsTheFolder) {
    CatalogueWidgets w;
    w.list(folder);
    ASSERT_EQ(w.fileLines().size(), 3);
    EXPECT_TRUE(w.fileLines()[0].startsWith(QStringLiteral("Свая 1.ssm"))) << w.fileLines()[0].toStdString();
    EXPECT_TRUE(w.fileLines()[2].contains(QStringLiteral("Файл Vibrix4"))) << w.fileLines()[2].toStdString();
    ASSERT_EQ(w.checkList.count(), 6); // both channels of each file
    w.clickLine(0);
    EXPECT_EQ(w.view.shows, 1);
    EXPECT_GT(w.view.last.points.count(), 0);
}

} // namespace
