#include "MainUnit.h"

#include "AboutUnit.h"
#include "DataPage.h"
#include "EmptyWindowHint.h"
#include "FreqView.h"
#include "MainActions.h"
#include "MainStatusBar.h"
#include "MemoBinding.h"
#include "PilePage.h"
#include "PileReportCommands.h"
#include "ProjectCommands.h"
#include "RecordChart.h"
#include "RecordCommands.h"
#include "RecordGrid.h"
#include "RecordNavigator.h"
#include "RecordQuestion.h"
#include "TimeView.h"
#include "UserDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TMainForm::TMainForm(UserDialogs& dialogs, const TProgramPlaces& places, const QString& projectFile,
                     QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), places_(places), iniFile_(places.SettingsFile()),
      run_([this](const std::function<void()>& handler) { Guard(handler); }) {
    setObjectName(QStringLiteral("MainForm"));
    setMinimumSize(1000, 700);
    FormCreate(projectFile);
}

// The pages go first: their grid and memos watch the tables that the data module owns.
// A memo with the focus loses it before the pages go, and posts its text while it is whole
// (losing it in its own destructor, it would be read half destroyed); the window's own state
// then is not touched any more.
TMainForm::~TMainForm() {
    MainDataModule.OnAfterScrollResult = nullptr;
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    QWidget* pages = PageControl;
    PageControl = nullptr;
    DataPage = nullptr;
    PilePage = nullptr;
    delete pages;
}

void TMainForm::FormCreate(const QString& projectFile) {
    LoadSettings();
    MainDataModule.OnAfterScrollResult = [this](vxds::DataTable& t) { AfterScrollResult(t); };
    ChartPanel = new TChartPanel(settings_.Flags, run_);
    ChartPanel->SetOptions(settings_.View);
    Actions = new TMainActions(this);
    StatusBar = new TMainStatusBar(this);
    setStatusBar(StatusBar);
    StatusBar->ShowColors(settings_.Flags.ChColor);
    setCentralWidget(TEmptyWindowHint::Around(makePages(), Hint));
    PilePage->NextPileAfterClass = settings_.NextPileAfterClass;
    Commands = std::make_unique<TProjectCommands>(
        MainDataModule, dialogs_, this,
        TProjectCommands::Window{[this] { clearViews(); },
                                 [this] {
                                     // The first project opens on the page the program was left on.
                                     PageControl->setCurrentIndex(std::exchange(firstPage_, 1));
                                     if (PageControl->currentWidget() == DataPage)
                                         DataPage->DBGrid->setFocus();
                                     PageControl->setVisible(true);
                                     PilePage->ClearHistory();
                                     PilePage->Refresh();
                                 },
                                 [this] {
                                     PageControl->setVisible(false);
                                     clearViews(); // nothing of a closed project stays on show
                                     PilePage->Clear();
                                 },
                                 [this] {
                                     AfterScrollResult(MainDataModule.cdsVibrix);
                                     PilePage->Refresh();
                                 }});
    RecordCommands = std::make_unique<TRecordCommands>(*this);
    PileCommands = std::make_unique<TPileReportCommands>(*this, PileAnalyser);
    Commands->Sequences.ProjectName = settings_.LastProject;
    Commands->Sequences.ProjectPath = settings_.ProjectPath;
    Commands->ImportPath = settings_.ImportPath;
    DataPage->DBNavigator->ConfirmDelete = [this] {
        return dialogs_.question(this, QGuiApplication::applicationDisplayName(),
                                 DeleteRecordQuestion(MainDataModule.cdsVibrix),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    placeWindow();
    showFlagsInActions();
    connectActions();
    ActionListUpdate();
    if (Commands->Sequences.ProjectPath.isEmpty())
        Guard([this] { CreateProjectDir(); }); // an error here is shown, and the start goes on
    const QString project = projectFile.isEmpty() ? settings_.LastProject : projectFile;
    Guard([this, project, named = !projectFile.isEmpty()] {
        if (!project.isEmpty() && (named || QFileInfo(project).isFile()))
            Commands->Sequences.ProjectOpenSequence(project);
        else
            Commands->Sequences.ProjectName.clear();
    });
}

QWidget* TMainForm::makePages() {
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    auto* description = new QWidget;
    description->setObjectName(QStringLiteral("DescriptionTabSheet"));
    DescriptionDBMemo = new QPlainTextEdit(description);
    DescriptionDBMemo->setObjectName(QStringLiteral("DescriptionDBMemo"));
    new TMemoBinding(DescriptionDBMemo, MainDataModule.cdsDesc, QStringLiteral("Comment"), run_,
                     [this] { MainDataModule.PostChanges(); }); // DescriptionDBMemoExit
    auto* d = new QVBoxLayout(description);
    d->setContentsMargins(4, 4, 4, 4);
    d->addWidget(DescriptionDBMemo);
    DataPage = new TDataPage(MainDataModule, ChartPanel, run_);
    PageControl->addTab(description, QStringLiteral("Описание"));
    PageControl->addTab(DataPage, QStringLiteral("Данные"));
    PilePage = new TPilePage(PileAnalyser, run_);
    PageControl->addTab(PilePage, QStringLiteral("Сваи"));
    Actions->AddSteps(PilePage->UndoAction, PilePage->RedoAction);
    for (QAction* step : {PilePage->UndoAction, PilePage->RedoAction}) // from the menu: seen where it is done
        connect(step, &QAction::triggered, this, [this] { PageControl->setCurrentWidget(PilePage); });
    PageControl->setVisible(false);
    // The record number belongs to the records' page: the other pages have no current record.
    connect(PageControl, &QTabWidget::currentChanged, this,
            [this] { StatusBar->RecordPanel->setVisible(PageControl->currentWidget() == DataPage); });
    connect(ChartPanel, &TChartPanel::flagsChanged, this, &TMainForm::showFlagsInActions);
    return PageControl;
}

void TMainForm::connectActions() {
    TMainActions& a = *Actions;
    TProjectCommands& c = *Commands;
    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, handler](bool checked) {
            Guard([&] { handler(checked); });
            showFlagsInActions();
        });
    };
    on(a.CreateNewProjectAction, [&c](bool) { c.CreateNewProjectActionExecute(); });
    on(a.OpenProjectAction, [&c](bool) { c.OpenProjectActionExecute(); });
    // The pile page's steps back go as far as the project as it was saved or read last.
    const auto thenClear = [this](void (TProjectCommands::*command)()) {
        return [this, command](bool) {
            (Commands.get()->*command)();
            if (!MainDataModule.IsProjectModified())
                PilePage->ClearHistory();
        };
    };
    on(a.SaveProjectAction, thenClear(&TProjectCommands::SaveProjectActionExecute));
    on(a.SaveProjectAsAction, thenClear(&TProjectCommands::SaveProjectAsActionExecute));
    on(a.CloseProjectAction, [&c](bool) { c.CloseProjectActionExecute(); });
    on(a.CancelChangesAction, thenClear(&TProjectCommands::CancelChangesActionExecute));
    on(a.DeleteAllRecordsAction, [&c](bool) { c.DeleteAllRecordsActionExecute(); });
    on(a.AddSSMToProjAction, [&c](bool) { c.AddSSMToProjActionExecute(); });
    on(a.ExitApplicationAction, [this](bool) { close(); });
    TChartPanel* p = ChartPanel;
    on(a.Ch0SignalAction, [p](bool checked) { p->SetSignalShown(0, checked); });
    on(a.Ch1SignalAction, [p](bool checked) { p->SetSignalShown(1, checked); });
    on(a.HamSignalAction, [p](bool checked) { p->SetSignalShown(2, checked); });
    on(a.InvertSignalAction, [p](bool checked) { p->SetInvertSignal(checked); });
    on(a.Ch0SpectrumAction, [p](bool checked) { p->SetSpectrumShown(0, checked); });
    on(a.Ch1SpectrumAction, [p](bool checked) { p->SetSpectrumShown(1, checked); });
    on(a.FreqSpectrumAction, [p](bool) { p->SetSpectrumType(SpectrumAbscissa::Frequency); });
    on(a.DepthSpectrumAction, [p](bool) { p->SetSpectrumType(SpectrumAbscissa::Depth); });
    TRecordCommands& r = *RecordCommands;
    on(a.ViewWindowAction, [&r](bool checked) { r.ViewWindowActionExecute(checked); });
    on(a.KeepValuesAction, [p](bool checked) {
        TViewOptions options = p->Options();
        options.KeepGainAndVelocity = checked;
        p->SetOptions(options);
    });
    on(a.PrintReportAction, [&r](bool) { r.PrintReportActionExecute(); });
    on(a.SignalExportAction, [&r](bool) { r.SignalExportActionExecute(); });
    on(a.SpectrExportAction, [&r](bool) { r.SpectrExportActionExecute(); });
    on(a.FTProcessingAction, [&r](bool) { r.FTProcessingActionExecute(); });
    on(a.NextPileAfterClassAction, [this](bool checked) { PilePage->NextPileAfterClass = checked; });
    on(a.ColorsAction, [&r](bool) { r.ColorsActionExecute(); });
    TPileReportCommands& piles = *PileCommands;
    on(a.PileReportAction, [&piles](bool) { piles.PileReportActionExecute(); });
    on(a.SiteReportAction, [&piles](bool) { piles.SiteReportActionExecute(); });
    on(a.ChosenPilesReportAction, [&piles](bool) { piles.ChosenPilesReportActionExecute(); });
    on(a.ReportHeaderAction, [&piles](bool) { piles.ReportHeaderActionExecute(); });
    on(a.SiteSpeedAction, [&piles](bool) { piles.SiteSpeedActionExecute(); });
    p->FreqView->FTProcessingButton->setDefaultAction(a.FTProcessingAction);
    on(a.miHelp, [this](bool) { miHelpClick(); });
    on(a.AboutMenuItem, [this](bool) { AboutMenuItemClick(); });
}

// The check state of the view actions from the display flags.
void TMainForm::showFlagsInActions() {
    const TDisplayFlags& f = ChartPanel->Flags();
    Actions->Ch0SignalAction->setChecked(f.ChSignalShow[0]);
    Actions->Ch1SignalAction->setChecked(f.ChSignalShow[1]);
    Actions->HamSignalAction->setChecked(f.ChSignalShow[2]);
    Actions->InvertSignalAction->setChecked(f.InvertSignal);
    Actions->Ch0SpectrumAction->setChecked(f.ChSpectrumShow[0]);
    Actions->Ch1SpectrumAction->setChecked(f.ChSpectrumShow[1]);
    const bool depth = f.SpectrumType == SpectrumAbscissa::Depth;
    (depth ? Actions->DepthSpectrumAction : Actions->FreqSpectrumAction)->setChecked(true);
    Actions->ViewWindowAction->setChecked(ChartPanel->Options().ViewWindow);
    Actions->KeepValuesAction->setChecked(ChartPanel->Options().KeepGainAndVelocity);
    if (PilePage)
        Actions->NextPileAfterClassAction->setChecked(PilePage->NextPileAfterClass);
}

void TMainForm::Guard(const std::function<void()>& handler) {
    RunGuarded(dialogs_, this, handler);
    SetProjectName(Commands ? Commands->Sequences.ProjectName : settings_.LastProject);
    ActionListUpdate();
}

void TMainForm::ActionListUpdate() {
    const bool open = MainDataModule.IsProjectOpen();
    const bool rows = !MainDataModule.IsProjectEmpty();
    Actions->Update(open, MainDataModule.IsProjectModified(), rows);
    if (!DataPage)
        return; // the window is going
    Hint->Show(open, rows);
    StatusBar->ShowRecordNumber(rows ? MainDataModule.cdsVibrix.recNo() : 0,
                                rows ? MainDataModule.cdsVibrix.recordCount() : 0);
    DataPage->SetRowsEnabled(rows);
    DataPage->DBNavigator->UpdateButtons();
}

void TMainForm::SetProjectName(const QString& name) {
    const QString title = QGuiApplication::applicationDisplayName();
    setWindowTitle(name.isEmpty()
                       ? title
                       : title + QStringLiteral(" - [") + QDir::toNativeSeparators(name) + QLatin1Char(']'));
}

void TMainForm::OpenHandedOver(const QString& file) {
    run_([&] { Commands->OpenHandedOver(file); }); // the caption and commands follow, as after a menu command
}

QString TMainForm::ProjectName() const {
    return Commands->Sequences.ProjectName;
}

QString TMainForm::ProjectPath() const {
    return Commands->Sequences.ProjectPath;
}

void TMainForm::AfterScrollResult(vxds::DataTable& table) {
    if (table.state() != vxds::DataTable::State::Browse || table.controlsDisabled())
        return;
    // The stored value of a row never changes: the same value on show is the same record, and
    // the gain or velocity typed for it stays.
    const QByteArray stored = table.active() && !table.isEmpty()
                                  ? vxds::asBytes(table.value(QStringLiteral("Data")))
                                  : QByteArray();
    if (shownRecord_ && !stored.isEmpty() && stored.constData() == shownRecord_->constData())
        return;
    TMeasureResult record;
    if (!MainDataModule.LoadMeasure(record)) {
        clearViews();
        return;
    }
    ChartPanel->ShowRecord(std::move(record));
    shownRecord_ = stored; // kept, so that its bytes cannot be taken by another record
}

void TMainForm::clearViews() {
    ChartPanel->ShowNoRecord();
    shownRecord_.reset();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Guard([&] { mayClose = FormCloseQuery(); });
    event->setAccepted(mayClose);
}

bool TMainForm::FormCloseQuery() {
    SaveSettings(); // on every attempt, also when the user then cancels
    return Commands->Sequences.ProjectCloseSequence();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        StatusBar->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::LoadSettings() {
    settings_ = ::LoadSettings(iniFile_);
    SetProjectName(settings_.LastProject);
}

void TMainForm::SaveSettings() {
    settings_.LastProject = Commands->Sequences.ProjectName;
    settings_.ProjectPath = Commands->Sequences.ProjectPath;
    settings_.ImportPath = Commands->ImportPath;
    settings_.Flags = ChartPanel->Flags();
    settings_.View = ChartPanel->Options();
    if (PilePage)
        settings_.NextPileAfterClass = PilePage->NextPileAfterClass;
    settings_.Window = windowPlace();
    if (!::SaveSettings(iniFile_, settings_))
        dialogs_.message(this, QGuiApplication::applicationDisplayName(),
                         QStringLiteral("Не удалось сохранить настройки в файл %1")
                             .arg(QDir::toNativeSeparators(iniFile_)),
                         UserDialogs::Icon::Warning);
}

QString TMainForm::ExportFolder() const {
    return QFileInfo(settings_.ExportPath).isDir() ? settings_.ExportPath : ProjectPath();
}

void TMainForm::CreateProjectDir() {
    Commands->Sequences.ProjectPath = places_.CreateProjectDir();
}

void TMainForm::miHelpClick() {
    const QString file = QDir::toNativeSeparators(places_.HelpFile());
    QString failure;
    if (!QFileInfo(file).isFile())
        failure = QStringLiteral("Файл справки не найден:\n%1").arg(file);
    else if (!dialogs_.openUrl(QUrl::fromLocalFile(file)))
        failure =
            QStringLiteral("Не удалось открыть файл справки:\n%1\nНет программы для просмотра файлов PDF.")
                .arg(file);
    if (!failure.isEmpty())
        dialogs_.message(this, QGuiApplication::applicationDisplayName(), failure, UserDialogs::Icon::Error);
}

void TMainForm::AboutMenuItemClick() {
    TAboutForm about(dialogs_, this);
    about.Fill(ProgramVersionInfo());
    dialogs_.exec(about);
}

QCustomPlot* TMainForm::TimeChart() const {
    return ChartPanel->TimeView->TimeChart;
}

QCustomPlot* TMainForm::FreqChart() const {
    return ChartPanel->FreqView->FreqChart;
}

QString TMainForm::TimeCursorText() const {
    return ChartPanel->TimeView->TimeCursorLabel->text();
}

QString TMainForm::FreqCursorText() const {
    return ChartPanel->FreqView->FreqCursorLabel->text();
}

QString TMainForm::CommentText() const {
    return DataPage->CommentDBMemo->toPlainText();
}

void TMainForm::PostChanges() {
    MainDataModule.PostChanges();
}

void TMainForm::SetChannelColors(const std::array<TColor, 3>& colors) {
    ChartPanel->SetColors(colors);
    StatusBar->ShowColors(colors);
}

void TMainForm::RefreshColors() {
    ChartPanel->RefreshColors();
    StatusBar->ShowColors(ChartPanel->Flags().ChColor);
}
