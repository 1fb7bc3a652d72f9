#pragma once
// The main window of the trace builder. Its creation builds every object of the program and
// wires them together; its handlers only change data and marks (the build button builds), and
// its 100 ms timer has both trace servers redraw whatever is marked.

#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>

#include "DriveList.h"
#include "FailedPass.h"
#include "tAppInt.h"

class FilesTab;
class FolderNavigator;
class QLineEdit;
class QPrinter;
class QPushButton;
class TracePage;
class UserDialogs;
class tCatalogueSet;
class tDDCES;
class tSMVW;
class tSYN;
class tTraceSet;
class TraceSource;
class VelocityFields;

class TForm1 : public QWidget {
public:
    struct Places {
        QString startFolder;      // listed at start; a measurement file: its folder, the file chosen
        QString programFolder;    // the help document is looked for from here
        QList<DriveEntry> drives; // offered by the drive box
    };

    TForm1(tDDCES& engine, UserDialogs& dialogs, const Places& places, QWidget* parent = nullptr);
    // The timer stops before any trace object or control goes.
    ~TForm1() override;

    // The window's event handlers, reached by its controls as by tests.
    void DriveComboBoxChange(int index);
    void CDirectoryOutlineChange();
    void CheckListBox__Appropriate_filesClick();
    void CheckListBox__Appropriate_filesDblClick();
    // The highlighted line moved (keys, too): the single view shows it, as after a click.
    void CheckListBox__Appropriate_filesChange();
    void CheckBox__Velocity_from_filesClick();
    void Button__Make_traceClick();
    void Button__Open_folderClick();
    void Timer1Timer();
    void BitBtn__Save_seysmo_traceClick();
    void BitBtn__Save_spectr_traceClick();
    void BitBtn__Print_seysmoClick();
    void BitBtn__Print_spectrClick();
    void Button__HelpClick();

    tAppInt& app() { return *app_; }
    tSMVW& singleView() { return *view_; }
    tCatalogueSet& catalogue() { return *catalogue_; }
    tTraceSet& traces() { return *traces_; }
    FolderNavigator& navigator() { return *navigator_; }

private:
    void BuildControls();
    void FormCreate(const Places& places);
    void Bind(double* variable, std::initializer_list<QLineEdit*> edits, std::initializer_list<tSYN*> markers,
              QString (*check)(double));
    void ConnectEvents();
    // Runs a handler; an error is shown and the window goes on. False when it failed.
    bool Guarded(const std::function<void()>& handler);
    // Runs a pass of a trace server and shows its failure; after a failure, only once something
    // that `inputs` gathers has changed. False when it failed or was not due.
    bool RunPass(FailedPass& state, QByteArray (TForm1::*inputs)() const, const std::function<void()>& pass);
    // What the passes of the main server and of the single view's server read.
    QByteArray TraceInputs() const;
    QByteArray ViewInputs() const;
    // With the velocities from the files, the velocity edits and the lines above the pictures tell
    // the velocities the pictures are drawn with.
    void ShowVelocities();
    void ShowError(const QString& text);
    void Warn(const QString& text);
    // A typed value the pictures cannot use was refused: why, in the parameter's words.
    void ShowRefusal(const QString& reason);
    // The save dialog, with `filter` chosen when given (else the last one).
    void SaveTrace(bool (tTraceSet::*save)(const QString&, const char*), const QString& filter = {});
    // Without a printer the pages are offered as a PDF, saved by `save`.
    // The channel of the measurement file given at start, chosen as a click chooses it.
    void ChooseStartFile();
    void PrintTrace(bool (tTraceSet::*print)(QPrinter&),
                    bool (tTraceSet::*save)(const QString&, const char*));

    tDDCES& engine_;
    UserDialogs& dialogs_;
    const QString programFolder_;
    QString startFile_; // the measurement file given at start, by name; empty for a folder

    QTabWidget* PageControl1 = nullptr;
    FilesTab* TabSheet1 = nullptr;
    std::unique_ptr<TracePage> seismoPage_;
    std::unique_ptr<TracePage> spectroPage_;
    QPushButton* Button__Help = nullptr;
    QTimer* Timer1 = nullptr;
    FolderNavigator* navigator_ = nullptr;

    // Created by FormCreate in this order, kept to the end.
    std::unique_ptr<tAppInt> app_;
    std::unique_ptr<tSMVW> view_;
    std::unique_ptr<tCatalogueSet> catalogue_;
    std::unique_ptr<tTraceSet> traces_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<TraceSource> source_;
    std::unique_ptr<VelocityFields> velocityFields_;
    bool ready_ = false;

    int busy_ = 0; // handlers, passes and boxes under way: a tick in their event loops does nothing
    FailedPass traceErrors_;
    FailedPass viewErrors_;
    QString lastPicture_, lastPictureFilter_;
};
