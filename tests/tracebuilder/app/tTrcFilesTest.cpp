#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <filesystem>

#include "../../support/BytesRead.h"
#include "CatalogueWidgets.h"
#include "SsmFolder.h"

namespace {

TEST(tTrcFiles, StartsEmptyWithTheFilterOff) {
    CatalogueWidgets w;
    EXPECT_EQ(w.fileLines(), QStringList{"--Файлов измерений нет--"});
    EXPECT_FALSE(w.buttonsEnabled());
    EXPECT_FALSE(w.onOff.isChecked());
    EXPECT_FALSE(w.site.isEnabled());
    EXPECT_FALSE(w.pile.isEnabled());
    EXPECT_FALSE(w.channel1.isEnabled());
    EXPECT_TRUE(w.channel1.isChecked());
    EXPECT_TRUE(w.channel2.isChecked());
}

TEST(tTrcFiles, FolderWithoutMeasurementsShowsThePlaceholder) {
    SsmFolder folder;
    QFile other(folder.path() + "/notes.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    CatalogueWidgets w;
    w.list(folder.path());
    EXPECT_EQ(w.fileLines(), QStringList{"--Файлов измерений нет--"});
    EXPECT_EQ(w.checkList.count(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
}

TEST(tTrcFiles, AFolderNamedLikeAMeasurementIsAnUnknownEntry) {
    SsmFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("trap.ssm"));
    std::filesystem::last_write_time(
        folder.fsPath("trap.ssm"),
        std::chrono::file_clock::from_sys(SsmFolder::localTime(2026, 1, 2, 3, 4, 5)));
    CatalogueWidgets w;
    w.list(folder.path());
    EXPECT_EQ(w.fileLines(),
              QStringList{"trap.ssm    02.01.2026 03:04:05    Файл .ssm неизвестного формата"});
    EXPECT_EQ(w.checkList.count(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
}

TEST(tTrcFiles, AFileDatedBefore1970IsReadOnce) {
    SsmFolder recent, early;
    auto s = SsmFolder::fileSpec(ssm::Version::V1_1, 1, 2);
    s.fileTime = SsmFolder::localTime(2020, 6, 1, 12, 0, 0);
    recent.write("a_1.ssm", s);
    s.fileTime = SsmFolder::localTime(1965, 6, 1, 12, 0, 0);
    early.write("a_1.ssm", s);
    CatalogueWidgets w;
    w.list(recent.path()); // whatever the first listing reads besides the files
    const auto bytesToList = [&](const QString& folder) {
        const long long before = BytesReadSoFar();
        w.list(folder);
        return BytesReadSoFar() - before;
    };
    const long long recentBytes = bytesToList(recent.path());
    EXPECT_EQ(bytesToList(early.path()), recentBytes);
    EXPECT_EQ(w.fileLines(),
              QStringList{"a_1.ssm    01.06.1965 12:00:00     П:  1     С:  2    Файл Vibrix4 v1.1"});
}

TEST(tTrcFiles, RecognisedFileIsListedWithDateSitePileAndType) {
    SsmFolder folder;
    auto s = SsmFolder::fileSpec(ssm::Version::V1_1, 3, 12);
    s.fileTime = SsmFolder::localTime(2026, 3, 15, 14, 25, 36);
    folder.write("abc_017.ssm", s);
    CatalogueWidgets w;
    w.list(folder.path());
    EXPECT_EQ(w.fileLines(),
              QStringList{"abc_017.ssm    15.03.2026 14:25:36     П:  3     С:  12    Файл Vibrix4 v1.1"});
    EXPECT_EQ(w.checkLines(),
              (QStringList{" Файл : abc_017.ssm       Поле:  3      Свая:  12       Канал: 1",
                           " Файл : abc_017.ssm       Поле:  3      Свая:  12       Канал: 2"}));
    EXPECT_EQ(w.checkedCount(), 2);
    EXPECT_TRUE(w.buttonsEnabled());
    ASSERT_EQ(w.files.appropriate().size(), 2u);
    EXPECT_EQ(w.files.appropriate()[1]->channel, 1);
}

TEST(tTrcFiles, MidnightShowsTheDateAlone) {
    SsmFolder folder;
    auto s = SsmFolder::fileSpec(ssm::Version::V1_0, 1, 2);
    s.fileTime = SsmFolder::localTime(2025, 12, 31, 0, 0, 0);
    folder.write("n_1.ssm", s);
    CatalogueWidgets w;
    w.list(folder.path());
    EXPECT_EQ(w.fileLines(), QStringList{"n_1.ssm    31.12.2025     П:  1     С:  2    Файл Vibrix4 v1.0"});
}

TEST(tTrcFiles, UnrecognisedFilesAreListedButOfferNoChannel) {
    SsmFolder folder;
    const auto good = ssmgen::build(SsmFolder::fileSpec(ssm::Version::V1_2, 4, 5));
    const auto when = SsmFolder::localTime(2026, 1, 2, 3, 4, 5);
    std::string error;
    ASSERT_TRUE(ssmgen::writeFile(folder.fsPath("a_cut.ssm"),
                                  ssmgen::damage(good, ssmgen::Damage::Truncate, 5000), when, error));
    ASSERT_TRUE(ssmgen::writeFile(folder.fsPath("b_pit.ssm"),
                                  ssmgen::damage(good, ssmgen::Damage::ForeignTitle), when, error));
    ASSERT_TRUE(ssmgen::writeFile(folder.fsPath("c_ok.SSM"), good, when, error));
    CatalogueWidgets w;
    w.list(folder.path());
    EXPECT_EQ(w.fileLines(),
              (QStringList{"a_cut.ssm    02.01.2026 03:04:05    Файл .ssm неизвестного формата",
                           "b_pit.ssm    02.01.2026 03:04:05    Файл .ssm неизвестного формата",
                           "c_ok.SSM    02.01.2026 03:04:05     П:  4     С:  5    Файл Vibrix4 v1.2"}));
    EXPECT_EQ(w.checkList.count(), 2);
    EXPECT_TRUE(w.checkLines().first().contains("c_ok.SSM"));
}

class FilteredCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("s3_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 3, 12));
        folder.write("s7_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_0, 7, 12));
        folder.write("s7_2.ssm", SsmFolder::fileSpec(ssm::Version::V1_2, 7, 40));
        w.list(folder.path());
    }

    // Names of the files offered, one entry per line.
    QStringList offeredFiles() const {
        QStringList names;
        for (const auto& ch : w.files.appropriate())
            names << ch->source->fileName + ":" + QString::number(ch->channel + 1);
        return names;
    }

    SsmFolder folder;
    CatalogueWidgets w;
};

TEST_F(FilteredCatalogue, SwitchEnablesTheControlsAndKeepsAnyNumber) {
    EXPECT_EQ(w.checkList.count(), 6);
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    EXPECT_TRUE(w.onOff.isChecked());
    EXPECT_TRUE(w.site.isEnabled());
    EXPECT_TRUE(w.channel2.isEnabled());
    EXPECT_EQ(w.filter.siteFilter, -1);
    EXPECT_EQ(w.checkList.count(), 6); // "-" means any number
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    EXPECT_FALSE(w.site.isEnabled());
    EXPECT_FALSE(w.channel1.isEnabled());
    EXPECT_EQ(w.checkList.count(), 6);
}

TEST_F(FilteredCatalogue, NoChannelWantedEmptiesTheList) {
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    QTest::mouseClick(&w.channel1, Qt::LeftButton);
    EXPECT_EQ(offeredFiles(), (QStringList{"s3_1.ssm:2", "s7_1.ssm:2", "s7_2.ssm:2"}));
    QTest::mouseClick(&w.channel2, Qt::LeftButton);
    EXPECT_EQ(w.checkList.count(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
    QTest::mouseClick(&w.onOff, Qt::LeftButton); // off again: every sensor
    EXPECT_EQ(w.checkList.count(), 6);
    EXPECT_TRUE(w.buttonsEnabled());
}

TEST_F(FilteredCatalogue, SiteAndPileNumbers) {
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    w.typeFilter(w.site, "7");
    EXPECT_EQ(offeredFiles(), (QStringList{"s7_1.ssm:1", "s7_1.ssm:2", "s7_2.ssm:1", "s7_2.ssm:2"}));
    w.typeFilter(w.pile, "40");
    EXPECT_EQ(offeredFiles(), (QStringList{"s7_2.ssm:1", "s7_2.ssm:2"}));
    w.typeFilter(w.site, "abc");
    w.typeFilter(w.pile, "12");
    EXPECT_EQ(offeredFiles(), (QStringList{"s3_1.ssm:1", "s3_1.ssm:2", "s7_1.ssm:1", "s7_1.ssm:2"}));
    w.typeFilter(w.pile, "65535");
    EXPECT_EQ(w.filter.pileFilter, -1);
    EXPECT_EQ(w.checkList.count(), 6);
    w.typeFilter(w.site, "8");
    EXPECT_EQ(w.checkList.count(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
}

TEST_F(FilteredCatalogue, EnterWithTheSameNumberDoesNotRebuild) {
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    w.typeFilter(w.site, "7");
    w.checkList.item(0)->setCheckState(Qt::Unchecked);
    w.typeFilter(w.site, " 7");
    EXPECT_EQ(w.checkList.item(0)->checkState(), Qt::Unchecked);
    QTest::keyClick(&w.site, Qt::Key_3); // other keys do nothing
    EXPECT_EQ(w.checkList.count(), 4);
    EXPECT_EQ(w.filter.siteFilter, 7);
    // ...but a typed number is used at the next rebuild by any filter event
    w.site.setText("3");
    QTest::mouseClick(&w.channel2, Qt::LeftButton);
    EXPECT_EQ(offeredFiles(), QStringList{"s3_1.ssm:1"});
}

TEST_F(FilteredCatalogue, DoubleClickInvertsEveryMark) {
    w.checkList.item(1)->setCheckState(Qt::Unchecked);
    w.doubleClickLine(2);
    EXPECT_EQ(w.checkedCount(), 1);
    EXPECT_EQ(w.checkList.item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(w.buttonsEnabled());
    w.files.CheckListDblClick();
    w.files.CheckListDblClick();
    EXPECT_EQ(w.checkedCount(), 1);
    w.checkList.item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(w.buttonsEnabled());
    w.files.CheckListDblClick();
    EXPECT_EQ(w.checkedCount(), 6);
    EXPECT_TRUE(w.buttonsEnabled());
    w.files.CheckListDblClick();
    EXPECT_EQ(w.checkedCount(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
}

TEST_F(FilteredCatalogue, ClickShowsTheSelectedChannelWithItsPoints) {
    w.files.CheckListClick(); // nothing selected: the view is left alone
    EXPECT_EQ(w.view.shows, 0);
    w.clickLine(3);
    ASSERT_EQ(w.view.shows, 1);
    EXPECT_EQ(w.view.last.channel, 1);
    EXPECT_EQ(w.view.last.source->fileName, "s7_1.ssm");
    EXPECT_EQ(w.view.last.points.count(), 15872);
    EXPECT_EQ(w.files.appropriate()[3]->points.count(), 15872); // read once per fill
    EXPECT_EQ(w.files.appropriate()[2]->points.count(), 0);
    w.clickLine(0);
    EXPECT_EQ(w.view.shows, 2);
    EXPECT_EQ(w.view.last.source->fileName, "s3_1.ssm");
    EXPECT_EQ(w.view.last.points.count(), 16128);
}

TEST_F(FilteredCatalogue, ClickEnablesTheButtonsByTheMarks) {
    for (int i = 0; i < w.checkList.count(); ++i)
        w.checkList.item(i)->setCheckState(Qt::Unchecked);
    w.clickLine(2);
    EXPECT_FALSE(w.buttonsEnabled());
    EXPECT_EQ(w.view.shows, 1);
    w.checkList.item(5)->setCheckState(Qt::Checked);
    w.clickLine(2);
    EXPECT_TRUE(w.buttonsEnabled());
}

TEST_F(FilteredCatalogue, AChannelWhoseFileVanishedIsReportedToTheViewNotShown) {
    w.checkList.setCurrentRow(4);
    w.files.CheckListClick();
    EXPECT_EQ(w.view.shows, 1);
    QFile::remove(folder.path() + "/s7_2.ssm");
    w.files.CheckListClick(); // the same line again: its file is read as it is now
    EXPECT_EQ(w.view.why,
              QStringLiteral("Не удалось прочитать файл измерения «%1»: файл или папка не найдены")
                  .arg(QDir::toNativeSeparators(folder.path() + "/s7_2.ssm")));
    EXPECT_EQ(w.view.shows, 1);
}

TEST_F(FilteredCatalogue, CollectCheckedCopiesTheCheckedChannelsWithPoints) {
    w.checkList.item(0)->setCheckState(Qt::Unchecked);
    w.checkList.item(3)->setCheckState(Qt::Unchecked);
    w.files.CollectChecked();
    const auto& checked = w.files.checked();
    ASSERT_EQ(checked.size(), 4u);
    EXPECT_EQ(checked[0]->source->fileName, "s3_1.ssm");
    EXPECT_EQ(checked[0]->channel, 1);
    EXPECT_EQ(checked[1]->source->fileName, "s7_1.ssm");
    EXPECT_EQ(checked[1]->channel, 0);
    EXPECT_EQ(checked[1]->points.count(), 15872);
    EXPECT_EQ(checked[3]->points.count(), 16128);
    EXPECT_EQ(w.files.appropriate()[1]->points.count(), 0); // the offered channel stays unread
    EXPECT_NE(checked[0].get(), w.files.appropriate()[1].get());

    // A new folder leaves the collected channels intact but detached from the old identifiers.
    SsmFolder empty;
    w.list(empty.path());
    EXPECT_EQ(w.fileLines(), QStringList{"--Файлов измерений нет--"});
    EXPECT_EQ(w.checkList.count(), 0);
    EXPECT_FALSE(w.buttonsEnabled());
    ASSERT_EQ(w.files.checked().size(), 4u);
    EXPECT_EQ(w.files.checked()[3]->points.count(), 16128);
    EXPECT_EQ(w.files.checked()[3]->source, nullptr);
}

TEST_F(FilteredCatalogue, ACollectionGoesOnWithoutAFileItCannotReadAndNamesItOnce) {
    w.files.CollectChecked();
    ASSERT_EQ(w.files.checked().size(), 6u);
    EXPECT_TRUE(w.files.leftOut().empty());
    QFile::remove(folder.path() + "/s7_1.ssm"); // both its channels are checked
    w.files.CollectChecked();
    ASSERT_EQ(w.files.checked().size(), 4u);
    EXPECT_EQ(w.files.checked()[1]->origin.fileName, "s3_1.ssm");
    EXPECT_EQ(w.files.checked()[2]->origin.fileName, "s7_2.ssm");
    EXPECT_EQ(w.files.checked()[3]->points.count(), 16128);
    ASSERT_EQ(w.files.leftOut().size(), 1u);
    EXPECT_EQ(w.files.leftOut()[0].fileName, "s7_1.ssm");
    EXPECT_EQ(w.files.leftOut()[0].reason, "файл или папка не найдены");
}

TEST_F(FilteredCatalogue, ScanningTheSameFolderAgainListsItAgain) {
    w.list(folder.path());
    EXPECT_EQ(w.fileList.count(), 3);
    EXPECT_EQ(w.checkList.count(), 6);
    EXPECT_EQ(w.files.scannedFolder(), folder.path());
    EXPECT_EQ(w.files.previousFolder(), folder.path());
    EXPECT_EQ(w.files.allFiles().size(), 3u);
}

} // namespace

namespace {

TEST_F(FilteredCatalogue, EachLineStaysWithItsChannelWhenFilledTwice) {
    w.files.FillCheckList(); // without emptying first: the new channels get lines of their own
    ASSERT_EQ(w.checkList.count(), 12);
    ASSERT_EQ(w.files.appropriate().size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const auto& ch = *w.files.appropriate()[std::size_t(i)];
        EXPECT_TRUE(w.checkList.item(i)->text().startsWith(" Файл : " + ch.source->fileName)) << i;
        EXPECT_TRUE(w.checkList.item(i)->text().endsWith(QString::number(ch.channel + 1))) << i;
    }
}

TEST(tFLF, MissingControlLeavesTheFilterInert) {
    FilterControls c;
    tFLF filter(&c.onOff, &c.site, nullptr, &c.channel1, &c.channel2);
    EXPECT_TRUE(c.onOff.isChecked()); // untouched
    EXPECT_TRUE(c.site.isEnabled());
    SsmFolder folder;
    folder.write("a_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_1, 3, 12));
    tTrc__File_identifier id(folder.path(), "a_1.ssm");
    id.reader->Identify(id);
    c.site.setText("9");
    EXPECT_TRUE(filter.Accepts(id));
    EXPECT_FALSE(filter.active);
    tTrc__File_identifier missing(folder.path(), "b_1.ssm");
    EXPECT_FALSE(filter.Accepts(missing));
}

} // namespace
