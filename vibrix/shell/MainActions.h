#pragma once
// Every action of the main window with its caption, shortcut and hints, the menus and the tool
// bar built from them, and the rule that enables them.

#include <QObject>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

class TMainActions : public QObject {
    Q_OBJECT
public:
    explicit TMainActions(QMainWindow* window);

    QAction* CreateNewProjectAction;
    QAction* OpenProjectAction;
    QAction* SaveProjectAction;
    QAction* SaveProjectAsAction;
    QAction* CloseProjectAction;
    QAction* PrintReportAction;
    QAction* PileReportAction;        // the report page of the current pile
    QAction* SiteReportAction;        // every pile of the project in one PDF
    QAction* ChosenPilesReportAction; // the piles chosen in the list of the "Сваи" page in one PDF
    QAction* ReportHeaderAction;      // who tested what, at the head of the reports
    QAction* ExitApplicationAction;
    QAction* CancelChangesAction;
    QAction* DeleteAllRecordsAction;
    QAction* Ch0SignalAction;
    QAction* Ch1SignalAction;
    QAction* HamSignalAction;
    QAction* InvertSignalAction;
    QAction* Ch0SpectrumAction;
    QAction* Ch1SpectrumAction;
    QAction* FreqSpectrumAction;
    QAction* DepthSpectrumAction;
    QAction* SignalExportAction;
    QAction* SpectrExportAction;
    QAction* FTProcessingAction;
    QAction* AddSSMToProjAction;
    QAction* ViewWindowAction;         // check item: the view window of the time and depth views
    QAction* KeepValuesAction;         // check item: gain and velocity kept between records
    QAction* NextPileAfterClassAction; // check item: a class typed on the pile page moves to the next pile
    QAction* ColorsAction;
    QAction* SiteSpeedAction; // the site panel of the "Сваи" page
    QAction* miHelp;
    QAction* AboutMenuItem;
    QActionGroup* SpectrumTypeGroup;
    QToolBar* ToolBar;

    // ActionListUpdate: the enabled state of every action that depends on the project. The
    // actions that are always enabled are not touched.
    void Update(bool open, bool modified, bool hasRows);
    // The pile page's steps back and forward, at the top of "Правка".
    void AddSteps(QAction* back, QAction* forward);

private:
    QAction* make(const QString& name, const QString& caption, const QString& hint,
                  const QString& shortcut = {});
    void buildMenus(QMainWindow* window);
    void buildToolBar(QMainWindow* window);

    QMenu* edit_ = nullptr;
};
