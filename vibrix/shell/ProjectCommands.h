#pragma once
// The project commands of the main window: create, open, save, save under a new name, close,
// cancel changes, delete all records and the import of a folder, with their dialogs and messages.

#include "MainDataModuleUnit.h"
#include "ProjectSequences.h"

#include <QString>

#include <functional>

class QWidget;
class UserDialogs;

class TProjectCommands {
public:
    // What the commands do to the window around them.
    struct Window {
        std::function<void()> clearViews;   // parameter grid, cursors, charts
        std::function<void()> showProject;  // "Данные" page, grid focus, pages visible
        std::function<void()> hideProject;  // pages hidden
        std::function<void()> refreshViews; // the views show the current row again
    };

    TProjectCommands(TMainDataModule& dm, UserDialogs& dialogs, QWidget* parent, Window window);

    TProjectSequences Sequences;
    QString ImportPath; // the folder last chosen for an import; the project folder until then

    void CreateNewProjectActionExecute();
    void OpenProjectActionExecute();
    // The open project closed first (its changes asked about), then `file` opened.
    void OpenProjectFile(const QString& file);
    // A project handed over by a second start: the window to the front, then opened as above,
    // unless a dialog of the window is open (said, and nothing opened).
    void OpenHandedOver(const QString& file);
    void SaveProjectActionExecute();
    void SaveProjectAsActionExecute();
    void CloseProjectActionExecute();
    void CancelChangesActionExecute();
    void DeleteAllRecordsActionExecute();
    void AddSSMToProjActionExecute();

private:
    TProjectUi sequenceUi();
    QString chooseProject(bool create);
    bool askYesNo(const QString& question);
    void closeThenChoose(bool create);

    TMainDataModule& dm_;
    UserDialogs& dialogs_;
    QWidget* parent_;
    Window window_;
};
