#include "ProjectAccess.h"

#include "FailureText.h"

#include <QFileInfo>

namespace vibrixcli {

ProjectAccess::ProjectAccess()
    : seq(dm, TProjectUi{
                  [this](const QString& text) { lastMessage = text; },
                  [](const QString&) { return TAnswer::No; },
                  [](const QString&) { return false; },
                  [] {},
                  [] {},
                  [] {},
              }) {}

// Leaves the file as the command left it: a command that wanted it written has saved it.
ProjectAccess::~ProjectAccess() {
    dm.DiscardProject();
}

namespace {

// A project path that names a folder can be neither opened nor created.
bool refuseFolder(const QString& project) {
    if (!QFileInfo(project).isDir())
        return false;
    cli::ioError(project, FailureText({FailureKind::NotRegularFile, 0}));
    return true;
}

// The sequence's message, with the data module's reason when it has one.
QString withReason(const QString& message, const QString& reason) {
    return reason.isEmpty() ? message : message + " (" + reason + ")";
}

} // namespace

bool ProjectAccess::Open(const QString& path) {
    project = path;
    if (refuseFolder(path))
        return false;
    if (!QFileInfo::exists(path)) {
        cli::ioError(path, FailureText({FailureKind::NoSuchFile, 0}));
        return false;
    }
    if (!seq.ProjectOpenSequence(path)) {
        cli::ioError(path, withReason(lastMessage, dm.LastError));
        return false;
    }
    return true;
}

bool ProjectAccess::OpenOrCreate(const QString& path) {
    project = path;
    if (refuseFolder(path))
        return false;
    if (QFileInfo::exists(path))
        return Open(path);
    if (!seq.ProjectCreateSequence(path)) {
        cli::ioError(path, withReason(lastMessage, dm.LastError));
        return false;
    }
    return true;
}

bool ProjectAccess::Save() {
    lastMessage.clear();
    if (seq.SaveProject())
        return true;
    cli::ioError(project, lastMessage.isEmpty() ? dm.LastError : lastMessage);
    return false;
}

std::optional<int> ProjectAccess::LoadRow(const QString& rowText, TMeasureResult& record) {
    const auto row = cli::parseInteger(rowText);
    if (!row)
        return cli::usageError(kUsage, QStringLiteral("номер записи не число: %1").arg(rowText));
    const int count = dm.cdsVibrix.recordCount();
    if (*row < 1 || *row > count)
        return cli::ioError(
            project, QStringLiteral("нет записи с номером %1 (записей в проекте: %2)").arg(*row).arg(count));
    dm.cdsVibrix.first();
    dm.cdsVibrix.moveBy(*row - 1);
    if (!dm.LoadMeasure(record))
        return cli::ioError(project, QStringLiteral("запись %1 повреждена").arg(*row));
    return std::nullopt;
}

std::optional<int> ProjectAccess::OpenRecord(const QString& path, const QString& rowText,
                                             TMeasureResult& record) {
    if (!Open(path))
        return cli::IoError;
    return LoadRow(rowText, record);
}

} // namespace vibrixcli
