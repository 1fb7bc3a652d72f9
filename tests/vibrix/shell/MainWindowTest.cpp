// The main window with a project: its commands with scripted dialogs, the record grid and the
// navigator, the memos, the enabling rule, help and the about box.
#include "WindowFixture.h"

#include "AboutUnit.h"
#include "ChartPanel.h"
#include "DataPage.h"
#include "MainStatusBar.h"
#include "PilePage.h"
#include "RecordGrid.h"
#include "TimeView.h"

#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

class MainWindow : public WindowFixture {
protected:
    int currentPile() { return window->CurrentMeasure().PileNumber; }
    QString param(int row) { return find<QTableWidget>("ParamStringGrid")->item(row, 1)->text(); }
    void key(Qt::Key k) { QTest::keyClick(find("DBGrid"), k); }
};

const QStringList kAlways{
    "CreateNewProjectAction", "OpenProjectAction", "ExitApplicationAction", "ColorsAction", "miHelp",
    "AboutMenuItem"};
const QStringList kWithRows{"PrintReportAction",   "DeleteAllRecordsAction", "Ch0SignalAction",
                            "Ch1SignalAction",     "HamSignalAction",        "InvertSignalAction",
                            "Ch0SpectrumAction",   "Ch1SpectrumAction",      "FreqSpectrumAction",
                            "DepthSpectrumAction", "SignalExportAction",     "SpectrExportAction",
                            "FTProcessingAction"};

} // namespace

TEST_F(MainWindow, ANewProjectIsOpenEmptyAndOnlyItsCommandsCanBeUsed) {
    TMainForm& w = open();
    const QString projects = w.ProjectPath();
    dialogs.files.push_back(at("data/new.cdsm"));
    trigger("CreateNewProjectAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Новый проект"));
    EXPECT_EQ(dialogs.requests[0].filter, QStringLiteral("Файлы проектов (*.cdsm)"));
    EXPECT_EQ(dialogs.requests[0].defaultSuffix, QStringLiteral("cdsm"));
    EXPECT_EQ(dialogs.requests[0].folder, projects);
    EXPECT_EQ(w.ProjectPath(), QDir::toNativeSeparators(at("data/"))); // the folder of the new project
    EXPECT_TRUE(w.MainDataModule.IsProjectOpen());
    EXPECT_FALSE(w.PageControl->isHidden());
    auto* hint = find<QLabel>("EmptyWindowHint"); // what an empty window tells the user to do
    EXPECT_EQ(hint->text(), QStringLiteral("Добавьте файлы измерений: Обработка → Добавить файлы"));
    EXPECT_FALSE(hint->isHidden());
    for (const QString& a : kAlways + QStringList{"CloseProjectAction", "AddSSMToProjAction"})
        EXPECT_TRUE(enabled(a)) << a.toStdString();
    for (const QString& a : kWithRows + QStringList{"SaveProjectAction", "CancelChangesAction"})
        EXPECT_FALSE(enabled(a)) << a.toStdString();
    EXPECT_FALSE(find("ChartPanel")->isEnabled());
    EXPECT_FALSE(find("CommentDBMemo")->isEnabled());

    // A change to the description: save and cancel become possible.
    w.PageControl->setCurrentIndex(0);
    typeText(find("DescriptionDBMemo"), QStringLiteral("Объект 12"));
    EXPECT_TRUE(enabled("SaveProjectAction"));
    EXPECT_TRUE(enabled("CancelChangesAction"));
    trigger("SaveProjectAction");
    EXPECT_FALSE(enabled("SaveProjectAction"));
    trigger("CloseProjectAction");
    EXPECT_FALSE(w.MainDataModule.IsProjectOpen());
    EXPECT_FALSE(enabled("CloseProjectAction"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(hint->text(), QStringLiteral("Создайте проект (Ctrl+N) или откройте (Ctrl+O)"));
    EXPECT_FALSE(hint->isHidden());

    dialogs.files.push_back(at("data/new.cdsm"));
    trigger("OpenProjectAction");
    EXPECT_EQ(dialogs.requests.back().title, QStringLiteral("Открыть проект"));
    EXPECT_EQ(find<QPlainTextEdit>("DescriptionDBMemo")->toPlainText(), QStringLiteral("Объект 12"));
}

TEST_F(MainWindow, KeysInTheGridMoveTheCurrentRowAndEachMoveRedrawsOnce) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(currentPile(), 1);
    EXPECT_EQ(param(0), QStringLiteral("50000,0"));
    key(Qt::Key_Down);
    EXPECT_EQ(currentPile(), 2);
    key(Qt::Key_End);
    EXPECT_EQ(currentPile(), 12);
    EXPECT_EQ(w.StatusBar->RecordPanel->text(), QStringLiteral("Запись 12 из 12"));
    w.PageControl->setCurrentWidget(w.PilePage); // the pile page has no current record
    EXPECT_FALSE(w.StatusBar->RecordPanel->isVisible());
    w.PageControl->setCurrentWidget(w.DataPage);
    EXPECT_TRUE(w.StatusBar->RecordPanel->isVisible());
    key(Qt::Key_Home);
    EXPECT_EQ(currentPile(), 1);
    key(Qt::Key_PageDown);
    EXPECT_GT(currentPile(), 2);
    EXPECT_EQ(w.MainDataModule.cdsVibrix.recNo(), currentPile());
    key(Qt::Key_Up);
    EXPECT_EQ(w.MainDataModule.cdsVibrix.recNo(), currentPile());

    key(Qt::Key_Home);
    QCoreApplication::processEvents();
    QSignalSpy timeDrawn(w.TimeChart(), &QCustomPlot::afterReplot);
    QSignalSpy freqDrawn(w.FreqChart(), &QCustomPlot::afterReplot);
    for (int i = 0; i < 5; ++i) {
        key(Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(currentPile(), 6);
    EXPECT_EQ(timeDrawn.count(), 5);
    EXPECT_EQ(freqDrawn.count(), 5);
    const QModelIndex current = find<QAbstractItemView>("DBGrid")->currentIndex();
    EXPECT_EQ(current.row(), 5);
}

TEST_F(MainWindow, TheNavigatorMovesDeletesAndPosts) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2, 3})));
    const auto click = [this](const char* b) { QTest::mouseClick(find<QToolButton>(b), Qt::LeftButton); };
    EXPECT_FALSE(find("nbFirst")->isEnabled());
    click("nbLast");
    EXPECT_EQ(currentPile(), 3);
    EXPECT_FALSE(find("nbNext")->isEnabled());
    click("nbPrior");
    EXPECT_EQ(currentPile(), 2);
    dialogs.answers.push_back(QMessageBox::Yes);
    click("nbDelete");
    EXPECT_EQ(gridPiles(), (std::vector<int>{1, 3}));
    EXPECT_EQ(currentPile(), 3);
    EXPECT_TRUE(w.MainDataModule.IsProjectModified());
    click("nbFirst");
    EXPECT_EQ(currentPile(), 1);

    EXPECT_FALSE(find("nbPost")->isEnabled());
    typeText(find("CommentDBMemo"), QStringLiteral("трещина"));
    EXPECT_TRUE(find("nbPost")->isEnabled());
    click("nbPost");
    EXPECT_EQ(w.MainDataModule.cdsVibrix.state(), vxds::DataTable::State::Browse);
    EXPECT_EQ(vxds::asText(w.MainDataModule.cdsVibrix.value("Comment")), QStringLiteral("трещина"));
}

TEST_F(MainWindow, ACommentIsPostedOnLeavingTheMemoAndBeforeARowChange) {
    const QString project = projectOf("site.cdsm", writeFolder("in", {1, 2}));
    TMainForm& w = open(project);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto* memo = find<QPlainTextEdit>("CommentDBMemo");
    memo->setFocus();
    typeText(memo, QStringLiteral("дефект на 4 м"));
    EXPECT_TRUE(w.MainDataModule.IsProjectModified());
    EXPECT_EQ(w.CommentText(), QStringLiteral("дефект на 4 м"));
    find("DBGrid")->setFocus(); // leaving the memo posts
    EXPECT_EQ(w.MainDataModule.cdsVibrix.state(), vxds::DataTable::State::Browse);

    memo->setFocus();
    typeText(memo, QStringLiteral("!"));
    w.MainDataModule.cdsVibrix.next(); // a row change posts first
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    w.MainDataModule.cdsVibrix.first();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("дефект на 4 м!"));

    dialogs.answers.push_back(QMessageBox::Yes);
    trigger("CloseProjectAction");
    TMainDataModule dm;
    ASSERT_TRUE(dm.OpenProject(project));
    EXPECT_EQ(vxds::asText(dm.cdsVibrix.value("Comment")), QStringLiteral("дефект на 4 м!"));
}

TEST_F(MainWindow, DeletingAllRecordsAsksThenClearsTheViews) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2})));
    trigger("DeleteAllRecordsAction"); // no answer: No
    EXPECT_EQ(gridPiles().size(), 2u);
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Удалить все записи из проекта?"));
    EXPECT_EQ(dialogs.messages.back().defaultButton, QMessageBox::No);
    dialogs.answers.push_back(QMessageBox::Yes);
    trigger("DeleteAllRecordsAction");
    EXPECT_TRUE(gridPiles().empty());
    EXPECT_TRUE(param(0).isEmpty());
    EXPECT_EQ(w.TimeCursorText(), QStringLiteral("dt = ?"));
    EXPECT_EQ(w.TimeChart()->graph(0)->dataCount(), 0);
    for (QCPAxis* axis : {w.TimeChart()->xAxis, w.TimeChart()->yAxis, w.FreqChart()->xAxis})
        EXPECT_FALSE(axis->tickLabels()); // nothing of the last record on the axes
    EXPECT_TRUE(w.StatusBar->RecordPanel->text().isEmpty());
    for (const QString& a : kWithRows)
        EXPECT_FALSE(enabled(a)) << a.toStdString();
    EXPECT_TRUE(enabled("SaveProjectAction"));
}

// The commands that throw work away ask first, with «Нет» as the default button; "Нет" changes
// nothing. The record to delete is named under the question. Cancelling changes re-reads the file
// and stays on the record it was on. Ctrl+Z in a memo undoes typing.
TEST_F(MainWindow, DeletingARecordAndCancellingChangesAskFirstWithNoAsTheDefault) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {5, 6})));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w)); // the window's shortcuts work
    auto* grid = find("DBGrid");
    grid->setFocus();
    QTest::mouseClick(find<QToolButton>("nbDelete"), Qt::LeftButton); // no answer: No
    const QString shownDate = find<QAbstractItemView>("DBGrid")->model()->index(0, 0).data().toString();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Удалить запись?\nПоле 1, свая 5, ") + shownDate});
    EXPECT_EQ(dialogs.messages[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(gridPiles(), (std::vector<int>{5, 6}));
    EXPECT_FALSE(w.MainDataModule.IsProjectModified());
    dialogs.answers.push_back(QMessageBox::Yes);
    QTest::mouseClick(find<QToolButton>("nbDelete"), Qt::LeftButton);
    EXPECT_EQ(currentPile(), 6);

    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier); // no answer: No
    EXPECT_EQ(dialogs.texts().back(), QStringLiteral("Отменить все несохранённые изменения проекта?"));
    EXPECT_EQ(dialogs.messages.back().defaultButton, QMessageBox::No);
    EXPECT_EQ(gridPiles(), (std::vector<int>{6}));
    dialogs.answers.push_back(QMessageBox::Yes);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(gridPiles(), (std::vector<int>{5, 6}));
    EXPECT_EQ(w.MainDataModule.cdsVibrix.recNo(), 2);
    EXPECT_EQ(currentPile(), 6);
    EXPECT_EQ(w.CurrentMeasure().PileNumber, 6);
    EXPECT_FALSE(w.MainDataModule.IsProjectModified());
    EXPECT_FALSE(w.PageControl->isHidden());

    auto* memo = find<QPlainTextEdit>("CommentDBMemo");
    memo->setFocus();
    typeText(memo, QStringLiteral("трещина"));
    const int asked = int(dialogs.messages.size());
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(memo->toPlainText(), QStringLiteral("трещина"));
    EXPECT_EQ(int(dialogs.messages.size()), asked);
}

// The project's file cannot be written any more (its folder went away): "Сохранить как" takes the
// edits to a new file, which the caption, the project folder and the last project follow.
TEST_F(MainWindow, SaveAsTakesTheEditsOfAProjectThatCannotBeWrittenToANewFile) {
    QDir(at("data")).mkdir("gone");
    TMainForm& w = open(projectOf("gone/site.cdsm", writeFolder("in", {1, 2})));
    ASSERT_TRUE(QDir(at("data/gone")).removeRecursively());
    dialogs.answers.push_back(QMessageBox::Yes);
    QTest::mouseClick(find<QToolButton>("nbDelete"), Qt::LeftButton);
    trigger("SaveProjectAction");
    ASSERT_EQ(dialogs.messages.size(), 2u); // the question, then the failure
    EXPECT_TRUE(w.MainDataModule.IsProjectModified());

    const QString copy = at("data/copy.cdsm");
    dialogs.files.push_back(copy);
    EXPECT_EQ(find<QAction>("SaveProjectAsAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    trigger("SaveProjectAsAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Сохранить проект как"));
    EXPECT_EQ(dialogs.requests[0].fileName, QStringLiteral("site.cdsm"));
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_FALSE(w.MainDataModule.IsProjectModified());
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Vibrix4 - [") + QDir::toNativeSeparators(copy) + QLatin1Char(']'));
    EXPECT_EQ(w.ProjectPath(), at("data") + QLatin1Char('/'));
    TMainDataModule saved;
    ASSERT_TRUE(saved.OpenProject(copy));
    EXPECT_EQ(saved.cdsVibrix.recordCount(), 1);
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("LastProject=" + copy + "\n"));
}

// The project's folder goes away: its file cannot be written even by an administrator.
TEST_F(MainWindow, AnUnchangedProjectWhoseFileCannotBeWrittenIsClosedAnyway) {
    QDir(at("data")).mkdir("gone");
    const QString project = projectOf("gone/site.cdsm", writeFolder("in", {1}));
    TMainForm& w = open(project);
    ASSERT_TRUE(QDir(at("data/gone")).removeRecursively());
    trigger("CloseProjectAction");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Error);
    EXPECT_FALSE(w.MainDataModule.IsProjectOpen());
    EXPECT_TRUE(w.PageControl->isHidden());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vibrix4"));
    EXPECT_TRUE(closeWindow()); // nothing blocks the exit
}

TEST_F(MainWindow, AProjectNamedAtStartOpensInsteadOfTheLastOne) {
    const QString last = projectOf("last.cdsm", writeFolder("a", {1}));
    const QString named = projectOf("named.cdsm", writeFolder("b", {7, 8}));
    {
        QSettings ini(places.SettingsFile(), QSettings::IniFormat);
        ini.setValue("LastProject", last);
    }
    EXPECT_EQ(open(named).ProjectName(), named);
    EXPECT_EQ(gridPiles(), (std::vector<int>{7, 8}));
    window.reset();
    open(at("data/missing.cdsm"));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Не удалось открыть проект!")});
    EXPECT_TRUE(window->ProjectName().isEmpty());
}

TEST_F(MainWindow, HelpOpensThePdfBesideTheProgramOrSaysWhyNot) {
    open();
    trigger("miHelp");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Файл справки не найден")));
    EXPECT_TRUE(dialogs.urls.empty());

    QFile pdf(QDir(places.ProgramDir).filePath("vibrix.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    trigger("miHelp");
    ASSERT_EQ(dialogs.urls.size(), 1u);
    EXPECT_EQ(dialogs.urls[0], QUrl::fromLocalFile(pdf.fileName()));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    dialogs.urlsOpen = false; // no program takes PDF files
    trigger("miHelp");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("Нет программы для просмотра")));
}

TEST_F(MainWindow, TheAboutBoxShowsTheProgramsVersionAndKeepsLabelsWithoutAValue) {
    open();
    QStringList shown;
    dialogs.onExec = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("О программе"));
        for (const char* l :
             {"ProductNameLabel", "FileVersionLabel", "YearLabel", "CommentsLabel", "CompanyWebLabel"})
            shown << d.findChild<QLabel*>(l)->text();
        return int(QDialog::Accepted);
    };
    trigger("AboutMenuItem");
    EXPECT_EQ(shown,
              (QStringList{"Vibrix4", "Версия 4.0.0", QString::number(QDate::currentDate().year()), "", ""}));

    TAboutForm about(dialogs);
    about.Fill({{"ProductName", "Vibrix4"},
                {"CompanyEMail", "info@example.org"},
                {"CompanyWeb", "example.org"},
                {"CompanyPhone", "123"}});
    EXPECT_EQ(about.CompanyPhoneLabel->text(), QStringLiteral("тел. 123"));
    EXPECT_EQ(about.CompanyEMailLabel->text(), QStringLiteral("e-mail: info@example.org"));
    QTest::mouseClick(about.CompanyEMailLabel, Qt::LeftButton);
    QTest::mouseClick(about.CompanyWebLabel, Qt::LeftButton);
    EXPECT_EQ(dialogs.urls, (std::vector<QUrl>{QUrl("mailto:info@example.org?subject=Vibrix4"),
                                               QUrl("http://example.org")}));
}

TEST_F(MainWindow, AFailingHandlerIsShownAndTheWindowGoesOn) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2})));
    dialogs.folders.push_back(at("data/in"));
    dialogs.onExec = [](QDialog&) -> int { throw std::runtime_error("диск недоступен"); };
    trigger("AddSSMToProjAction");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vibrix4"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("диск недоступен"));
    EXPECT_FALSE(w.MainDataModule.cdsVibrix.controlsDisabled()); // the views came back
    key(Qt::Key_Down);
    EXPECT_EQ(currentPile(), 2);
}
