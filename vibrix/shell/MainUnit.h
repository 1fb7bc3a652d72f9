#pragma once
// The main window of vibrix: the project, its record grid and the two record views, the
// actions with their menus and tool bar, the status bar and the settings file. The window only
// wires the parts together; each part is a class of its own.

#include "ChartPanel.h"
#include "Guarded.h"
#include "MainDataModuleUnit.h"
#include "ProgramPlaces.h"
#include "TPileAnalyser.h"
#include "VibrixSettings.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QCustomPlot;
class QPlainTextEdit;
class QTabWidget;
class TDataPage;
class TEmptyWindowHint;
class TPilePage;
class TMainActions;
class TMainStatusBar;
class TPileReportCommands;
class TProjectCommands;
class TRecordCommands;
class UserDialogs;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // projectFile: a project named on the command line, opened instead of the last one.
    TMainForm(UserDialogs& dialogs, const TProgramPlaces& places, const QString& projectFile = {},
              QWidget* parent = nullptr);
    ~TMainForm() override;

    TMainDataModule MainDataModule;
    TPileAnalyser PileAnalyser{MainDataModule}; // the project's one: the page, the panel, the reports
    TMainActions* Actions = nullptr;
    std::unique_ptr<TProjectCommands> Commands;
    std::unique_ptr<TRecordCommands> RecordCommands;
    std::unique_ptr<TPileReportCommands> PileCommands;
    QTabWidget* PageControl = nullptr;
    QPlainTextEdit* DescriptionDBMemo = nullptr;
    TDataPage* DataPage = nullptr;
    TPilePage* PilePage = nullptr; // "Сваи"
    TChartPanel* ChartPanel = nullptr;
    TMainStatusBar* StatusBar = nullptr;
    TEmptyWindowHint* Hint = nullptr; // what an empty window tells the user to do

    // What the report, export, time-frequency and colour commands read and change.
    QCustomPlot* TimeChart() const;
    QCustomPlot* FreqChart() const;
    const TMeasureResult& CurrentMeasure() const { return ChartPanel->CurrentMeasure(); }
    const TDisplayFlags& Flags() const { return ChartPanel->Flags(); } // display flags and ChColor
    double FGain() const { return ChartPanel->FGain(); }
    double FVelocity() const { return ChartPanel->FVelocity(); }
    const TSpectra& Spectra() const { return ChartPanel->Spectra(); }
    QString TimeCursorText() const;
    QString FreqCursorText() const;
    QString CommentText() const; // the record's comment as the memo shows it
    QString ProjectName() const;
    // A project handed over by a second start: the window to the front, then the project
    // opened as the open command opens it.
    void OpenHandedOver(const QString& file);
    QString ProjectPath() const;
    UserDialogs& Dialogs() const { return dialogs_; }
    // Posts the text typed into either memo (before an export or a report).
    void PostChanges();
    // New channel colours for the views and the status bar (RefreshColors).
    void SetChannelColors(const std::array<TColor, 3>& colors);
    void RefreshColors();

    void AfterScrollResult(vxds::DataTable& table);
    void ActionListUpdate();
    void SetProjectName(const QString& name);
    QString SettingsFile() const { return iniFile_; }
    // Where exports and saved reports go: the folder last written to, else the project's.
    QString ExportFolder() const;
    void SetExportFolder(const QString& folder) { settings_.ExportPath = folder; }

    // Runs a handler so that an error is shown in the error box and the window goes on; the
    // caption and the enabled actions follow afterwards.
    void Guard(const std::function<void()>& handler);

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery
    bool event(QEvent* event) override;           // long hints into the status bar

private:
    void FormCreate(const QString& projectFile);
    bool FormCloseQuery();
    void LoadSettings();
    void SaveSettings();
    void CreateProjectDir();
    void miHelpClick();
    void AboutMenuItemClick();
    void connectActions();
    void showFlagsInActions();
    QWidget* makePages();
    void clearViews();
    void placeWindow();
    TWindowPlace windowPlace() const;

    UserDialogs& dialogs_;
    TProgramPlaces places_;
    QString iniFile_;
    TVibrixSettings settings_;
    int firstPage_ = 1; // the page the first project opens on: the one the program was left on
    THandlerRunner run_;
    std::optional<QByteArray> shownRecord_; // stored value of the record on show
};
