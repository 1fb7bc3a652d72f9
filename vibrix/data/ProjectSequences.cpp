#include "ProjectSequences.h"

#include "FileReplacement.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kCreateFailed = QStringLiteral("Не удалось создать проект!");
const QString kOpenFailed = QStringLiteral("Не удалось открыть проект!");

// The views hear of the opened tables once, at the end: the open sets the index after reading,
// and a record shown for each step would be shown for nothing.
class ViewsQuiet {
public:
    explicit ViewsQuiet(TMainDataModule& dm) : dm_(dm) { dm_.DisableViews(); }
    ~ViewsQuiet() { dm_.EnableViews(); }
    ViewsQuiet(const ViewsQuiet&) = delete;
    ViewsQuiet& operator=(const ViewsQuiet&) = delete;

private:
    TMainDataModule& dm_;
};

// The folder of a project file as the project dialogs are offered it, with a separator at the end.
QString folderOf(const QString& fileName) {
    return QDir::toNativeSeparators(QFileInfo(fileName).absolutePath() + '/');
}

template <typename F, typename... A> auto call(const F& f, A&&... a) {
    if (f)
        return f(std::forward<A>(a)...);
    return decltype(f(std::forward<A>(a)...))();
}

} // namespace

void TProjectSequences::fail(const QString& text) {
    ProjectName.clear();
    call(ui_.showError, text);
}

bool TProjectSequences::ProjectCreateSequence(const QString& fileName) {
    // An old file that stays would be opened as the new project: say so instead. A read-only
    // one stays too, although its folder would let it be deleted.
    if (!RemoveForReplacement(fileName)) {
        fail(kCreateFailed);
        return false;
    }
    if (!dm_.CreateProject(fileName)) {
        fail(kCreateFailed);
        return false;
    }
    return ProjectOpenSequence(fileName);
}

bool TProjectSequences::ProjectOpenSequence(const QString& fileName) {
    bool opened = false;
    {
        const ViewsQuiet quiet(dm_);
        opened = dm_.OpenProject(fileName);
    }
    if (!opened) {
        fail(kOpenFailed);
        return false;
    }
    ProjectName = fileName;
    ProjectPath = folderOf(fileName);
    call(ui_.clearViews);
    call(ui_.showProject);
    dm_.cdsVibrix.first();
    return true;
}

bool TProjectSequences::ProjectCloseSequence() {
    if (!dm_.IsProjectOpen())
        return true;
    const bool modified = dm_.IsProjectModified();
    if (modified) {
        const QString question =
            QStringLiteral("Сохранить изменеия в проекте") + '\r' + QFileInfo(ProjectName).fileName() + " ?";
        const TAnswer answer = ui_.askYesNoCancel ? ui_.askYesNoCancel(question) : TAnswer::Cancel;
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::No) {
            ProjectName.clear();
            call(ui_.hideProject);
            dm_.DiscardProject();
            return true;
        }
    }
    // A modified project stays open and named when its file cannot be written. With nothing
    // changed there is nothing to lose: the failure is reported and the project closed, or a
    // read-only file would keep every project command and the exit blocked for good.
    if (!dm_.CloseProject()) {
        showSaveFailure(ProjectName);
        if (modified)
            return false;
        dm_.DiscardProject();
    }
    ProjectName.clear();
    call(ui_.hideProject);
    return true;
}

bool TProjectSequences::SaveProject() {
    if (dm_.SaveProject())
        return true;
    showSaveFailure(ProjectName);
    return false;
}

bool TProjectSequences::SaveProjectAs(const QString& fileName) {
    const QString old = dm_.FileName;
    dm_.FileName = fileName;
    if (!dm_.SaveProject()) {
        dm_.FileName = old;
        showSaveFailure(fileName);
        return false;
    }
    ProjectName = fileName;
    ProjectPath = folderOf(fileName);
    return true;
}

void TProjectSequences::showSaveFailure(const QString& fileName) {
    call(ui_.showError, QStringLiteral("Не удалось сохранить проект «%1»: %2")
                            .arg(QFileInfo(fileName).fileName(), dm_.LastError));
}

void TProjectSequences::CancelChanges() {
    dm_.DiscardProject();
    if (dm_.OpenProject(ProjectName))
        return;
    fail(kOpenFailed);
    call(ui_.hideProject);
}

void TProjectSequences::DeleteAllRecords() {
    if (!ui_.askYesNo || !ui_.askYesNo(QStringLiteral("Удалить все записи из проекта?")))
        return;
    dm_.DeleteAllRecords();
    call(ui_.clearViews);
}
