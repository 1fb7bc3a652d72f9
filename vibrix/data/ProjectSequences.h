#pragma once
// What the main window does with a project: create, open, close, save, cancel changes and
// delete all records, with its message boxes and page changes handed in as callbacks, so
// that the sequences run the same with and without a window.

#include "MainDataModuleUnit.h"

#include <QString>

#include <functional>

enum class TAnswer { Yes, No, Cancel };

struct TProjectUi {
    std::function<void(const QString&)> showError;         // error box, application title
    std::function<TAnswer(const QString&)> askYesNoCancel; // question box
    std::function<bool(const QString&)> askYesNo;          // question that discards work, true = Yes
    std::function<void()> clearViews;                      // parameter grid, cursors, charts
    std::function<void()> showProject;                     // "Данные" page, grid focus, pages visible
    std::function<void()> hideProject;                     // pages hidden
};

class TProjectSequences {
public:
    TProjectSequences(TMainDataModule& dm, TProjectUi ui) : dm_(dm), ui_(std::move(ui)) {}

    QString ProjectName; // full path of the open project, empty if none
    QString ProjectPath; // folder offered by the project dialogs, with a trailing separator

    bool ProjectCreateSequence(const QString& fileName);
    bool ProjectOpenSequence(const QString& fileName);
    // False: the user cancelled, or a modified project could not be written (it stays open).
    bool ProjectCloseSequence();
    bool SaveProject(); // a failure is shown with its own text
    // The project written (as a save) under a new name, which it then goes by, its folder becoming
    // the project folder. A failure is shown with its own text; the project keeps its old name.
    bool SaveProjectAs(const QString& fileName);
    void CancelChanges();
    void DeleteAllRecords();

private:
    void fail(const QString& text);
    void showSaveFailure(const QString& fileName);

    TMainDataModule& dm_;
    TProjectUi ui_;
};
