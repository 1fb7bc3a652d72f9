#include "TraceBuilderScenes.h"

#include "DriveList.h"
#include "Unit2.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

namespace {

// A number typed into an edit, then Enter.
void type(QObject& window, const char* edit, const QString& text) {
    auto* e = FindChild<QLineEdit>(window, edit);
    e->setText(text);
    QTest::keyClick(e, Qt::Key_Return);
}

} // namespace

// The demo folder as copied onto the instrument's memory card, mounted under the private folder.
TraceBuilderScenes::TraceBuilderScenes(const ScreenshotPlace& place, ScreenshotDialogs& dialogs)
    : dialogs_(dialogs) {
    QApplication::setApplicationDisplayName(QStringLiteral("ТРАССЫ---Vibrix4"));
    const QDir work(place.work);
    const QString card = work.filePath(QStringLiteral("card"));
    const QString folder = QDir(card).filePath(QStringLiteral("site7"));
    CopyFolder(place.demoSource, folder);
    const QString program = work.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    places_ = {
        folder, program,
        driveEntries({{card, QStringLiteral("/dev/sdb1"), QStringLiteral("vfat"), QStringLiteral("VIBRIX")}},
                     work.filePath(QStringLiteral("home")))};
}

TraceBuilderScenes::~TraceBuilderScenes() = default;

ScreenshotScenes TraceBuilderScenes::Table(const std::shared_ptr<TraceBuilderScenes>& s) {
    return {{QStringLiteral("tracebuilder-files.png"), [s] { return s->Files(); }},
            {QStringLiteral("tracebuilder-seismo.png"), [s] { return s->Seismo(); }},
            {QStringLiteral("tracebuilder-spectro.png"), [s] { return s->Spectro(); }},
            {QStringLiteral("tracebuilder-extract.png"), [s] { return s->Extract(); }}};
}

// The user clicks the line of the first blow of site 2, pile 15, channel 1 (a pile with a defect).
TForm1& TraceBuilderScenes::window() {
    if (window_)
        return *window_;
    window_ = std::make_unique<TForm1>(engine_, dialogs_, places_);
    window_->show();
    Settle();
    auto* lines = FindChild<QListWidget>(*window_, "CheckListBox__Appropriate_files");
    const auto found = lines->findItems(QStringLiteral("f2_015_1.ssm"), Qt::MatchContains);
    if (found.isEmpty())
        FailScene(QStringLiteral("f2_015_1.ssm is not listed"));
    lines->setCurrentItem(found.front());
    window_->CheckListBox__Appropriate_filesClick();
    window_->Timer1Timer();
    Settle();
    return *window_;
}

QImage TraceBuilderScenes::Files() {
    TForm1& w = window();
    FindChild<QTabWidget>(w, "PageControl1")->setCurrentIndex(0);
    return GrabShown(w);
}

QImage TraceBuilderScenes::tracesOn(const char* sheet) {
    TForm1& w = window();
    if (!built_) {
        FindChild<QAbstractButton>(w, "CheckBox__Filter_On_Off")->click();
        type(w, "Edit__Filter_Field_N", QStringLiteral("2"));
        FindChild<QAbstractButton>(w, "CheckBox__Filter_Ch_2_Sel")->click();
        FindChild<QAbstractButton>(w, "BitBtn__Make_trace")->click();
        // The piles are at most 18 m long and the demo's waves run at about 4000 m/s.
        type(w, "Edit__Velocity_on_Tab1", QStringLiteral("4000"));
        for (const char* track : {"TrackBar__Seysmo_trace", "TrackBar__Spectr_trace"})
            FindChild<QSlider>(w, track)->setValue(25);
        w.Timer1Timer();
        built_ = true;
    }
    auto* tabs = FindChild<QTabWidget>(w, "PageControl1");
    QWidget* page = FindChild<QWidget>(w, sheet);
    if (!tabs->isTabVisible(tabs->indexOf(page)))
        FailScene(QStringLiteral("no traces were built"));
    tabs->setCurrentWidget(page);
    const QImage image = GrabShown(w);
    tabs->setCurrentIndex(0);
    return image;
}

QImage TraceBuilderScenes::Seismo() {
    return tracesOn("TabSheet2");
}

QImage TraceBuilderScenes::Spectro() {
    return tracesOn("TabSheet3");
}

// "Извлечь в папку" pressed; the dialog is taken as it opens and closed without a choice.
QImage TraceBuilderScenes::Extract() {
    TForm1& w = window();
    QImage image;
    dialogs_.onExec = [&image](QDialog& dialog) {
        if (dynamic_cast<TForm2*>(&dialog))
            image = GrabShown(dialog);
        return int(QDialog::Rejected);
    };
    FindChild<QAbstractButton>(w, "Button__Extract")->click();
    dialogs_.onExec = nullptr;
    return image;
}
