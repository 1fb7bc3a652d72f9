#pragma once
// Opening a project the way the main window does, for commands that run without one.

#include "CliArgs.h"
#include "MainDataModuleUnit.h"
#include "ProjectSequences.h"
#include "VibrixCommands.h"

#include <optional>

namespace vibrixcli {

// The data module with the window's project sequences; error boxes become messages kept for
// standard error, and every question is answered "No" so that nothing is written unasked.
class ProjectAccess {
public:
    ProjectAccess();
    ~ProjectAccess();

    // Opens an existing project (ProjectOpenSequence). On failure prints the message and
    // returns false.
    bool Open(const QString& project);
    // Opens the project, creating it first when there is no such file (as "Создать" does).
    bool OpenOrCreate(const QString& project);
    // Saves the open project; prints the failure's own text and returns false when it fails.
    bool Save();
    // Moves to measurement number `row` (from 1, in the project's order) and loads it.
    // Prints the failure and returns the exit status when there is no such row.
    std::optional<int> LoadRow(const QString& rowText, TMeasureResult& record);
    // Open, then LoadRow: the exit status when either fails.
    std::optional<int> OpenRecord(const QString& project, const QString& rowText, TMeasureResult& record);

    TMainDataModule dm;
    TProjectSequences seq;
    QString project;
    QString lastMessage;
};

} // namespace vibrixcli
