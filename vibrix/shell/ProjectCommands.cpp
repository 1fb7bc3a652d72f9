#include "ProjectCommands.h"

#include "DownloadForm.h"
#include "SubfolderFiles.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

const QString kProjectFilter = QStringLiteral("Файлы проектов (*.cdsm)");

QString title() {
    return QGuiApplication::applicationDisplayName();
}

// The views come back whatever ends the import.
class ViewsSuspended {
public:
    explicit ViewsSuspended(TMainDataModule& dm) : dm_(dm) {
        dm_.DisableViews();
        dm_.SaveRecNo();
    }
    ~ViewsSuspended() {
        try {
            dm_.RestoreRecNo();
        } catch (...) {
            // a pending edit that cannot be posted stays pending; the views come back anyway
        }
        dm_.EnableViews();
    }

private:
    TMainDataModule& dm_;
};

} // namespace

TProjectCommands::TProjectCommands(TMainDataModule& dm, UserDialogs& dialogs, QWidget* parent, Window window)
    : Sequences(dm, sequenceUi()), dm_(dm), dialogs_(dialogs), parent_(parent), window_(std::move(window)) {}

TProjectUi TProjectCommands::sequenceUi() {
    TProjectUi ui;
    ui.showError = [this](const QString& text) {
        dialogs_.message(parent_, title(), text, UserDialogs::Icon::Error);
    };
    ui.askYesNoCancel = [this](const QString& text) {
        switch (dialogs_.question(parent_, title(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return TAnswer::Yes;
        case QMessageBox::No:
            return TAnswer::No;
        default:
            return TAnswer::Cancel;
        }
    };
    ui.askYesNo = [this](const QString& text) { return askYesNo(text); };
    ui.clearViews = [this] { window_.clearViews(); };
    ui.showProject = [this] { window_.showProject(); };
    ui.hideProject = [this] { window_.hideProject(); };
    return ui;
}

// Every yes-or-no question of a project discards work: Enter keeps it.
bool TProjectCommands::askYesNo(const QString& question) {
    return dialogs_.question(parent_, title(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) == QMessageBox::Yes;
}

QString TProjectCommands::chooseProject(bool create) {
    UserDialogs::FileRequest request;
    request.title = create ? QStringLiteral("Новый проект") : QStringLiteral("Открыть проект");
    request.folder = Sequences.ProjectPath;
    request.filter = kProjectFilter;
    request.defaultSuffix = QStringLiteral("cdsm");
    const UserDialogs::FileChoice choice =
        create ? dialogs_.saveFile(parent_, request) : dialogs_.openFile(parent_, request);
    return choice.fileName;
}

void TProjectCommands::CreateNewProjectActionExecute() {
    closeThenChoose(true);
}

void TProjectCommands::OpenProjectActionExecute() {
    closeThenChoose(false);
}

void TProjectCommands::OpenProjectFile(const QString& file) {
    if (Sequences.ProjectCloseSequence())
        Sequences.ProjectOpenSequence(file);
}

void TProjectCommands::OpenHandedOver(const QString& file) {
    QWidget* window = parent_->window();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    if (QApplication::activeModalWidget()) {
        // A dialog of this window is open: a project opened under it would pull its data away.
        dialogs_.message(parent_, QGuiApplication::applicationDisplayName(),
                         QStringLiteral("Проект «%1» не открыт: сначала закройте открытое окно программы.")
                             .arg(QDir::toNativeSeparators(file)),
                         UserDialogs::Icon::Warning);
        return;
    }
    OpenProjectFile(file);
}

// The open project is closed first; a cancelled close or a cancelled dialog ends the command.
void TProjectCommands::closeThenChoose(bool create) {
    if (!Sequences.ProjectCloseSequence())
        return;
    const QString file = chooseProject(create);
    if (file.isEmpty())
        return;
    if (create)
        Sequences.ProjectCreateSequence(file);
    else
        Sequences.ProjectOpenSequence(file);
}

void TProjectCommands::SaveProjectActionExecute() {
    Sequences.SaveProject();
}

// Also the way out of a read-only project with edits.
void TProjectCommands::SaveProjectAsActionExecute() {
    UserDialogs::FileRequest request;
    request.title = QStringLiteral("Сохранить проект как");
    request.folder = Sequences.ProjectPath;
    request.fileName = QFileInfo(Sequences.ProjectName).fileName();
    request.filter = kProjectFilter;
    request.defaultSuffix = QStringLiteral("cdsm");
    const QString file = dialogs_.saveFile(parent_, request).fileName;
    if (!file.isEmpty())
        Sequences.SaveProjectAs(file);
}

void TProjectCommands::CloseProjectActionExecute() {
    Sequences.ProjectCloseSequence();
}

// The table is read again; the grid stays on the record it was on while the file holds it.
void TProjectCommands::CancelChangesActionExecute() {
    if (!askYesNo(QStringLiteral("Отменить все несохранённые изменения проекта?")))
        return;
    dm_.SaveRecNo();
    Sequences.CancelChanges();
    if (dm_.IsProjectOpen())
        dm_.RestoreRecNo();
    window_.refreshViews();
}

void TProjectCommands::DeleteAllRecordsActionExecute() {
    Sequences.DeleteAllRecords();
}

void TProjectCommands::AddSSMToProjActionExecute() {
    const QString start = QFileInfo(ImportPath).isDir() ? ImportPath : Sequences.ProjectPath;
    const QString folder = dialogs_.folder(parent_, QStringLiteral("Укажите папку с файлами (*.ssm)"), start);
    if (folder.isEmpty())
        return;
    ImportPath = folder;
    // Chosen one level too high: nothing to import here, and the user is told where the files are.
    if (QDir(folder)
            .entryList({QStringLiteral("*.ssm")}, QDir::AllEntries | QDir::Hidden | QDir::System)
            .isEmpty())
        if (const int below = MeasurementFilesInSubfolders(folder); below > 0) {
            dialogs_.message(parent_, title(), NoMeasurementFilesText(below), UserDialogs::Icon::Information);
            return;
        }
    {
        const ViewsSuspended suspended(dm_);
        TDownloadForm form(parent_);
        form.Path = folder;
        form.OnAddFile = [this](const TReadMeasure& file) { return dm_.AddMeasure(file); };
        dialogs_.exec(form);
    }
    // The grid stays on its record, though rows inserted before it moved it.
    window_.refreshViews();
}
