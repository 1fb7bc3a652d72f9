// The settings file, the program's folders, Qt's Russian texts and the single-instance rule.
#include "WindowFixture.h"

#include "DataPage.h"
#include "MainActions.h"
#include "MainStatusBar.h"
#include "PilePage.h"
#include "Startup.h"
#include "ViewWindowForm.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <qcustomplot.h>

namespace {

class Settings : public WindowFixture {
protected:
    void writeIni(const QString& text) {
        QFile f(QDir(places.ProgramDir).filePath("vibrix.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    // The projects folder as the settings file keeps it.
    QString storedProjectPath() const {
        return QSettings(places.SettingsFile(), QSettings::IniFormat).value("ProjectPath").toString();
    }
};

} // namespace

TEST_F(Settings, AFreshInstallationStartsWithTheDefaultsAndWritesThemAtExit) {
    TMainForm& w = open();
    EXPECT_EQ(w.SettingsFile(), QDir(places.ProgramDir).filePath("vibrix.ini"));
    for (const char* a : {"Ch0SignalAction", "Ch1SignalAction", "HamSignalAction", "InvertSignalAction",
                          "Ch0SpectrumAction", "Ch1SpectrumAction", "FreqSpectrumAction"})
        EXPECT_TRUE(find<QAction>(a)->isChecked()) << a;
    EXPECT_FALSE(find<QAction>("DepthSpectrumAction")->isChecked());
    const QString projects = QDir(places.ProgramDir).filePath("projects");
    EXPECT_TRUE(QFileInfo(projects).isDir());
    EXPECT_EQ(w.ProjectPath(), QDir::toNativeSeparators(projects + "/"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vibrix4"));
    EXPECT_TRUE(w.PageControl->isHidden());
    EXPECT_EQ(w.StatusBar->ColorMarkers[0]->palette().color(QPalette::Window), QColor(0, 0, 255));

    ASSERT_TRUE(closeWindow());
    const QString ini = iniText();
    for (const char* line :
         {"[General]\n", "LastProject=\n", "[Graphics]\n", "ChSignalShow0=1\n", "ChSignalShow1=1\n",
          "ChSignalShow2=1\n", "InvertSignal=1\n", "ChSpectrumShow0=1\n", "ChSpectrumShow1=1\n",
          "SpectrumType=0\n", "ChColor0=16711680\n", "ChColor1=255\n", "ChColor2=0\n"})
        EXPECT_TRUE(ini.contains(QString::fromLatin1(line))) << line << "\n" << ini.toStdString();
    EXPECT_EQ(storedProjectPath(), QDir::toNativeSeparators(projects + "/")) << ini.toStdString();
}

TEST_F(Settings, ValuesOfTheFileAreReadKeyByKey) {
    writeIni(
        "[General]\nLastProject=\nProjectPath=/somewhere/\n[Graphics]\nChSignalShow0=0\nChSignalShow1=7\n"
        "InvertSignal=abc\nChSpectrumShow1=0\nSpectrumType=256\nChColor0=4278190335\nChColor2=-1\n");
    TMainForm& w = open();
    const TDisplayFlags& f = w.Flags();
    EXPECT_FALSE(f.ChSignalShow[0]);
    EXPECT_TRUE(f.ChSignalShow[1]); // any non-zero value
    EXPECT_TRUE(f.InvertSignal);    // no number: the default
    EXPECT_FALSE(f.ChSpectrumShow[1]);
    EXPECT_EQ(f.SpectrumType, SpectrumAbscissa::Frequency); // only the low byte of 256
    EXPECT_TRUE(find<QAction>("FreqSpectrumAction")->isChecked());
    EXPECT_EQ(f.ChColor[0], 0x0000FFu); // the low 24 bits
    EXPECT_EQ(f.ChColor[1], 0x0000FFu); // missing: the default red
    EXPECT_EQ(f.ChColor[2], 0xFFFFFFu);
    EXPECT_EQ(w.StatusBar->ColorMarkers[0]->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(w.ProjectPath(), QStringLiteral("/somewhere/"));
    EXPECT_FALSE(QFileInfo(QDir(places.ProgramDir).filePath("projects")).exists());
}

TEST_F(Settings, TheLastProjectIsReopenedAndAnEmptyOneStoredAfterClosing) {
    const QString project = projectOf("site.cdsm", writeFolder("in", {1, 2, 3}));
    dialogs.files.push_back(project);
    open();
    trigger("OpenProjectAction");
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("LastProject=" + project + "\n"));

    TMainForm& again = open();
    EXPECT_EQ(again.ProjectName(), project);
    EXPECT_EQ(again.windowTitle(), "Vibrix4 - [" + QDir::toNativeSeparators(project) + "]");
    EXPECT_FALSE(again.PageControl->isHidden());
    EXPECT_EQ(again.PageControl->currentWidget()->objectName(), QStringLiteral("DataTabSheet"));
    EXPECT_EQ(gridPiles(), (std::vector<int>{1, 2, 3}));
    trigger("CloseProjectAction");
    EXPECT_TRUE(again.PageControl->isHidden());
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("LastProject=\n"));

    // A last project that is gone: no message, no project.
    QFile::remove(project);
    writeIni("[General]\nLastProject=" + project + "\n");
    EXPECT_TRUE(open().ProjectName().isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Settings, CancellingTheSaveQuestionAtExitKeepsTheProgramButTheSettingsAreWritten) {
    open(projectOf("site.cdsm", writeFolder("in", {1})));
    trigger("InvertSignalAction");
    dialogs.answers = {QMessageBox::Yes, QMessageBox::Cancel}; // delete all, then cancel the exit
    trigger("DeleteAllRecordsAction");
    EXPECT_FALSE(closeWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(iniText().contains("InvertSignal=0\n"));
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Сохранить изменеия в проекте\rsite.cdsm ?"));
    EXPECT_TRUE(window->MainDataModule.IsProjectOpen());
}

// An installation for all users: nothing can be written beside the program.
TEST_F(Settings, AReadOnlyProgramFolderSendsSettingsAndProjectsToTheUsersFolders) {
    places.ProgramDir = QStringLiteral("/proc");
    EXPECT_EQ(places.SettingsFile(), QDir(places.ConfigDir).filePath("vibrix.ini"));
    places.ConfigDir = at("config/new"); // not there yet
    TMainForm& w = open();
    const QString projects = QDir(places.DocumentsDir).filePath("Vibrix4/projects");
    EXPECT_EQ(w.ProjectPath(), QDir::toNativeSeparators(projects + "/"));
    EXPECT_TRUE(QFileInfo(projects).isDir());
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(QFileInfo(at("config/new/vibrix.ini")).isFile());
    EXPECT_EQ(storedProjectPath(), QDir::toNativeSeparators(projects + "/"));
}

// An administrator may write into an installed copy's folder; it stays the program's alone.
TEST_F(Settings, AnInstalledCopyKeepsSettingsAndProjectsInTheUsersFoldersEvenWhenItsFolderIsWritable) {
    QFile mark(QDir(places.ProgramDir).filePath(".vibrix4-installed"));
    ASSERT_TRUE(mark.open(QIODevice::WriteOnly));
    mark.close();
    EXPECT_EQ(places.SettingsFile(), QDir(places.ConfigDir).filePath("vibrix.ini"));
    EXPECT_EQ(places.CreateProjectDir(),
              QDir::toNativeSeparators(QDir(places.DocumentsDir).filePath("Vibrix4/projects") + "/"));
    EXPECT_FALSE(QFileInfo::exists(QDir(places.ProgramDir).filePath("projects")));
}

TEST_F(Settings, AProjectsFolderThatCannotBeCreatedIsReportedAndTheLastProjectStillOpens) {
    const QString project = projectOf("site.cdsm", writeFolder("in", {4, 5}));
    places.ProgramDir = QStringLiteral("/proc");
    places.DocumentsDir = QStringLiteral("/proc/none");
    QDir().mkpath(places.ConfigDir);
    {
        QSettings ini(places.SettingsFile(), QSettings::IniFormat);
        ini.setValue("LastProject", project);
    }
    TMainForm& w = open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vibrix4"));
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators("/proc/none/Vibrix4/projects")));
    EXPECT_EQ(w.ProjectName(), project);
    EXPECT_EQ(gridPiles(), (std::vector<int>{4, 5}));
}

TEST_F(Settings, ASecondInstanceIsRefusedWhileTheFirstRuns) {
    TSingleInstance first(places.LockFile());
    ASSERT_TRUE(first.Acquire());
    EXPECT_EQ(RunVibrix(dialogs, places, {}), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vibrix4"));
    EXPECT_EQ(
        dialogs.messages[0].text,
        QStringLiteral("Копия данной программы уже запущена.\rПовторный запуск программы не разрешен."));
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Error);
    TSingleInstance second(places.LockFile());
    EXPECT_FALSE(second.Acquire());
}

// Double-clicking a project while vibrix runs: the second start hands it over and ends, and the
// running window opens it after asking about the changes of the open one.
TEST_F(Settings, ASecondStartWithAProjectHandsItToTheRunningProgram) {
    const QString first = projectOf("first.cdsm", writeFolder("a", {1}));
    const QString second = projectOf("second.cdsm", writeFolder("b", {2}));
    TSingleInstance running(places.LockFile());
    ASSERT_TRUE(running.Acquire());
    TMainForm& w = open(first);
    TOpenRequests requests(places.LockFile());
    OpenHandedOverIn(requests, w);
    dialogs.answers = {QMessageBox::Yes}; // delete: a change to ask about
    trigger("DeleteAllRecordsAction");
    const std::size_t asked = dialogs.messages.size();

    EXPECT_EQ(RunVibrix(dialogs, places, {second}), 0);
    ASSERT_EQ(dialogs.messages.size(), asked); // no refusal
    dialogs.answers = {QMessageBox::Cancel};   // the changes: the open project stays
    requests.Take();
    EXPECT_EQ(w.ProjectName(), first);
    ASSERT_GT(dialogs.messages.size(), asked);

    EXPECT_EQ(RunVibrix(dialogs, places, {second}), 0);
    dialogs.answers = {QMessageBox::No}; // the changes dropped
    requests.Take();
    EXPECT_EQ(w.ProjectName(), QFileInfo(second).absoluteFilePath());
    EXPECT_EQ(w.windowTitle(),
              "Vibrix4 - [" + QDir::toNativeSeparators(QFileInfo(second).absoluteFilePath()) + "]");
    EXPECT_TRUE(find<QAction>("CloseProjectAction")->isEnabled());
    requests.Take(); // nothing left
    EXPECT_EQ(w.ProjectName(), QFileInfo(second).absoluteFilePath());
}

TEST_F(Settings, ALockLeftByAnEndedProgramWithOurProcessNumberDoesNotRefuseTheStart) {
    // Wine gives a program started after a killed one the same process number; the lock the
    // killed one left names it.
    QByteArray left;
    {
        TSingleInstance earlier(places.LockFile());
        ASSERT_TRUE(earlier.Acquire());
        QFile lock(places.LockFile());
        ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
        left = lock.readAll();
    }
    QFile lock(places.LockFile());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(left);
    lock.close();
    TSingleInstance started(places.LockFile());
    EXPECT_TRUE(started.Acquire());
    TSingleInstance second(places.LockFile());
    EXPECT_FALSE(second.Acquire());
}

TEST_F(Settings, StandardButtonsReadRussianWhenQtsTranslationIsThere) {
    EXPECT_FALSE(LoadQtTranslation(*QCoreApplication::instance(), at("nowhere")));
    ASSERT_TRUE(
        LoadQtTranslation(*QCoreApplication::instance(), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QMessageBox box(QMessageBox::Question, "Vibrix4", "?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList texts;
    for (QAbstractButton* b : box.buttons())
        texts << b->text().remove('&');
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Да", "Нет", "Отмена"}));
}

// Switched on the first time, the view window offers 40 ms and 50 m; what is chosen, the gain and
// velocity kept between records, and the pile page's move on after a class are there again after
// a restart.
TEST_F(Settings, TheViewOptionsOfTheViewMenuSurviveARestart) {
    const QString project = projectOf("site.cdsm", writeFolder("in", {1}));
    TMainForm& w = open(project);
    dialogs.onExec = [](QDialog&) { return int(QDialog::Rejected); };
    trigger("ViewWindowAction");
    EXPECT_FALSE(find<QAction>("ViewWindowAction")->isChecked()); // cancelled: still off
    dialogs.onExec = [](QDialog& d) {
        auto* form = dynamic_cast<TViewWindowForm*>(&d);
        EXPECT_NE(form, nullptr);
        if (!form)
            return int(QDialog::Rejected);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Окно просмотра"));
        EXPECT_DOUBLE_EQ(form->TimeWindow(), 40);
        EXPECT_DOUBLE_EQ(form->DepthWindow(), 50);
        form->TimeWindowEdit->setValue(25);
        return int(QDialog::Accepted);
    };
    trigger("ViewWindowAction");
    EXPECT_EQ(w.TimeChart()->xAxis->range(), QCPRange(0, 25));
    trigger("KeepValuesAction");
    EXPECT_TRUE(find<QAction>("NextPileAfterClassAction")->isChecked()); // on by default
    trigger("NextPileAfterClassAction");
    ASSERT_TRUE(closeWindow());
    for (const char* line : {"ViewWindow=1\n", "TimeWindow=25\n", "DepthWindow=50\n",
                             "KeepGainAndVelocity=1\n", "NextPileAfterClass=0\n"})
        EXPECT_TRUE(iniText().contains(QString::fromLatin1(line))) << line;

    window.reset();
    TMainForm& again = open();
    EXPECT_TRUE(find<QAction>("ViewWindowAction")->isChecked());
    EXPECT_TRUE(find<QAction>("KeepValuesAction")->isChecked());
    EXPECT_FALSE(find<QAction>("NextPileAfterClassAction")->isChecked());
    EXPECT_EQ(again.TimeChart()->xAxis->range(), QCPRange(0, 25));
}

// The gain and velocity kept between records are in force after a restart as they were at exit,
// not the first record's; "KeptGain" and "KeptVelocity" carry them.
TEST_F(Settings, TheGainAndVelocityKeptBetweenRecordsAreInForceAgainAfterARestart) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2})));
    trigger("KeepValuesAction");
    for (const auto& [edit, typed] : {std::pair{"AmpEdit", "0,75"}, std::pair{"VelocityEdit", "3500"}}) {
        auto* e = find<QLineEdit>(edit);
        e->selectAll();
        QTest::keyClicks(e, typed);
        QTest::keyClick(e, Qt::Key_Return);
    }
    w.MainDataModule.cdsVibrix.next();
    ASSERT_EQ(w.FGain(), 0.75);
    ASSERT_EQ(w.FVelocity(), 3500);
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("KeptGain=0.75\n")) << iniText().toStdString();

    window.reset();
    TMainForm& again = open(); // the last project, on its first record
    EXPECT_EQ(again.FGain(), 0.75);
    EXPECT_EQ(again.FVelocity(), 3500);
    EXPECT_EQ(find<QLineEdit>("AmpEdit")->text(), QStringLiteral("0,750"));
    EXPECT_EQ(find<QLineEdit>("VelocityEdit")->text(), QStringLiteral("3500,0"));

    // Not kept any more: the record's own values, and none are stored.
    trigger("KeepValuesAction");
    again.MainDataModule.cdsVibrix.next();
    EXPECT_EQ(again.FGain(), again.CurrentMeasure().Amp);
    ASSERT_TRUE(closeWindow());
    EXPECT_FALSE(iniText().contains("KeptGain")) << iniText().toStdString();
}

TEST_F(Settings, TheWindowsPlaceAndItsSplitterSurviveARestart) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1})));
    w.setGeometry(40, 50, 1100, 760);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.DataPage->Splitter->setSizes({420, 600});
    const QList<int> sizes = w.DataPage->Splitter->sizes();
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("[Window]\n"));

    window.reset();
    TMainForm& again = open();
    EXPECT_EQ(again.geometry(), QRect(40, 50, 1100, 760));
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.DataPage->Splitter->sizes(), sizes);
    again.showMaximized();
    ASSERT_TRUE(closeWindow());

    window.reset();
    EXPECT_TRUE(open().windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(window->normalGeometry(), QRect(40, 50, 1100, 760));
}

TEST_F(Settings, ThePilePageShowsEveryColumnAndReopensAsItWasLeft) {
    TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {1, 2})));
    w.resize(1280, 800); // room enough under any font; 1024 px with the desktop's fonts
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.PageControl->setCurrentWidget(w.PilePage);
    QCoreApplication::processEvents();
    QTableView* list = w.PilePage->PileList;
    EXPECT_LE(list->horizontalHeader()->length(), list->viewport()->width()); // no column out of view

    list->horizontalHeader()->resizeSection(TPileListModel::kClass, 77);
    QSplitterHandle* handle = w.PilePage->Splitter->handle(1);
    const QPoint from = handle->rect().center();
    for (const auto& [type, at, buttons] :
         {std::tuple{QEvent::MouseButtonPress, from, Qt::LeftButton},
          std::tuple{QEvent::MouseMove, from + QPoint(40, 0), Qt::LeftButton},
          std::tuple{QEvent::MouseButtonRelease, from + QPoint(40, 0), Qt::NoButton}}) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &event);
    }
    const QList<int> sizes = w.PilePage->Splitter->sizes();
    ASSERT_TRUE(closeWindow());

    window.reset();
    TMainForm& again = open();
    again.resize(1280, 800);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.PageControl->currentWidget(), again.PilePage);
    EXPECT_EQ(again.PilePage->Splitter->sizes(), sizes);
    EXPECT_EQ(again.PilePage->PileList->horizontalHeader()->sectionSize(TPileListModel::kClass), 77);
}
