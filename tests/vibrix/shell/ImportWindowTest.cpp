// The import of a folder through the window: the progress window's counters and button, the
// files it could not read, and the views afterwards.
#include "WindowFixture.h"

#include "DownloadForm.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

struct Seen {
    QString caption, read, added, button, failures;
    bool failuresShown = false;
    bool resizable = false;
};

class ImportWindow : public WindowFixture {
protected:
    // Imports `folder`; the progress window is watched until its walk is over (or, with
    // abort, pressed at once), then closed with its button.
    Seen importFolder(const QString& folder, bool abort = false) {
        Seen seen;
        dialogs.folders.push_back(folder);
        dialogs.onExec = [&](QDialog& d) {
            auto* form = dynamic_cast<TDownloadForm*>(&d);
            EXPECT_NE(form, nullptr);
            d.show();
            seen.caption = d.windowTitle();
            if (abort) {
                EXPECT_EQ(form->MainSpeedButton->text(), QStringLiteral("Прервать"));
            } else {
                EXPECT_TRUE(
                    waitFor([form] { return form->MainSpeedButton->text() == QStringLiteral("ОК"); }));
            }
            seen.read = form->ReadLabel->text();
            seen.added = form->AddLabel->text();
            seen.button = form->MainSpeedButton->text();
            seen.failures = form->FailuresMemo->toPlainText();
            seen.failuresShown = !form->FailuresMemo->isHidden();
            seen.resizable = form->minimumSize() != form->maximumSize();
            QTest::mouseClick(form->MainSpeedButton, Qt::LeftButton);
            return d.result();
        };
        trigger("AddSSMToProjAction");
        dialogs.onExec = nullptr;
        return seen;
    }
};

} // namespace

TEST_F(ImportWindow, ImportingTheSameFolderTwiceAddsNothingTheSecondTime) {
    const QString folder = writeFolder("in", {1, 2, 3});
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("old", {9}, 900)));
    const Seen first = importFolder(folder);
    EXPECT_EQ(dialogs.folderCaptions.front(), QStringLiteral("Укажите папку с файлами (*.ssm)"));
    EXPECT_EQ(first.caption, QStringLiteral("Добавление записей"));
    EXPECT_EQ(first.read, QStringLiteral("3"));
    EXPECT_EQ(first.added, QStringLiteral("3"));
    EXPECT_EQ(first.button, QStringLiteral("ОК"));
    EXPECT_FALSE(first.failuresShown);
    EXPECT_EQ(gridPiles(), (std::vector<int>{1, 2, 3, 9}));
    EXPECT_TRUE(enabled("SaveProjectAction"));

    const Seen second = importFolder(folder);
    EXPECT_EQ(second.read, QStringLiteral("3"));
    EXPECT_EQ(second.added, QStringLiteral("0"));
    EXPECT_TRUE(second.failures.startsWith(QStringLiteral("Не добавлены в проект (3):")));
    EXPECT_EQ(gridPiles().size(), 4u);
    EXPECT_FALSE(w.MainDataModule.cdsVibrix.controlsDisabled());

    // Cancelling changes brings back exactly the saved rows.
    dialogs.answers.push_back(QMessageBox::Yes);
    trigger("CancelChangesAction");
    EXPECT_EQ(gridPiles(), (std::vector<int>{9}));
}

// Rows inserted before the current one move it down: the grid and the views stay on its record.
TEST_F(ImportWindow, TheGridStaysOnItsRecordThoughAnImportPutRowsBeforeIt) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("late", {9}, 600)));
    ASSERT_EQ(w.CurrentMeasure().PileNumber, 9);
    importFolder(writeFolder("early", {1}));
    EXPECT_EQ(w.MainDataModule.cdsVibrix.recNo(), 2);
    EXPECT_EQ(gridPiles(), (std::vector<int>{1, 9}));
    EXPECT_EQ(w.CurrentMeasure().PileNumber, 9);
    EXPECT_EQ(find<QAbstractItemView>("DBGrid")->currentIndex().row(), 1);
}

// A folder chosen one level above the measurements: nothing is imported, and the user is told.
TEST_F(ImportWindow, AFolderWithMeasurementsOnlyInItsSubfoldersSaysSo) {
    writeFolder("site/day1", {1, 2});
    writeFolder("site/day2", {3});
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("old", {9})));
    dialogs.folders.push_back(at("data/site"));
    trigger("AddSSMToProjAction");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("В папке нет файлов *.ssm; в подпапках: 3")});
    EXPECT_EQ(gridPiles(), (std::vector<int>{9}));
    EXPECT_FALSE(w.MainDataModule.IsProjectModified());
}

// The folder holds a measurement already in the project, a foreign file, an entry that cannot be
// read and a new measurement: each of the three not added is named with its reason.
TEST_F(ImportWindow, EveryFileNotAddedIsListedWithItsReasonAndTheOthersAreTaken) {
    const QString folder = writeFolder("in", {1, 2});
    QDir(folder).mkdir("broken.ssm"); // a folder that looks like a measurement file
    QFile foreign(QDir(folder).filePath("foreign.ssm"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(4096, 'x'));
    foreign.close();
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("old", {1}))); // the same pile 1
    const Seen seen = importFolder(folder);
    EXPECT_EQ(seen.read, QStringLiteral("4"));
    EXPECT_EQ(seen.added, QStringLiteral("1"));
    EXPECT_EQ(seen.button, QStringLiteral("ОК"));
    EXPECT_TRUE(seen.failuresShown);
    EXPECT_TRUE(seen.resizable); // a long list is read in a larger window
    // The files that could not be added come first, those already there last, each part by name.
    QStringList lines = seen.failures.split('\n');
    EXPECT_EQ(lines.takeFirst(), QStringLiteral("Не добавлены в проект (3):"));
    EXPECT_EQ(
        lines,
        (QStringList{"broken.ssm — не удалось прочитать: это не обычный файл (папка, канал или устройство)",
                     "foreign.ssm — не файл измерений Vibrix4", "p1.ssm — уже есть в проекте"}));
    EXPECT_EQ(gridPiles(), (std::vector<int>{1, 2}));
    // The next import starts in the folder chosen last.
    importFolder(QString());
    EXPECT_EQ(dialogs.folderStarts, (QStringList{w.ProjectPath(), folder}));
}

TEST_F(ImportWindow, AbortingKeepsTheRowsAddedSoFarUnsaved) {
    std::vector<int> piles(40);
    std::iota(piles.begin(), piles.end(), 1);
    QDir(at("data")).mkdir("many");
    for (int p : piles)
        writeFolder("many", {p}, p);
    const QString project = projectOf("site.cdsm", writeFolder("old", {100}, 900));
    TMainForm& w = open(project);
    const Seen seen = importFolder(at("data/many"), true);
    EXPECT_EQ(seen.button, QStringLiteral("Прервать"));
    EXPECT_EQ(int(gridPiles().size()), w.MainDataModule.cdsVibrix.recordCount());
    EXPECT_FALSE(w.MainDataModule.cdsVibrix.controlsDisabled());
    TMainDataModule saved;
    ASSERT_TRUE(saved.OpenProject(project));
    EXPECT_EQ(saved.cdsVibrix.recordCount(), 1);
}
