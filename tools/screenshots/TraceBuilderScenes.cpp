#include "TraceBuilderScenes.h"

#include "DriveList.h"
#include "SsmGenerator.h"
#include "TracePicture.h"
#include "Unit2.h"
#include "tTraceSet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <qcustomplot.h>

#include <stdexcept>

namespace {

// A number typed into an edit, then Enter.
void type(QObject& window, const char* edit, const QString& text) {
    auto* e = FindChild<QLineEdit>(window, edit);
    e->setText(text);
    QTest::keyClick(e, Qt::Key_Return);
}

// The window shown at its size, its pictures redrawn for it as the timer would.
void ShowRedrawn(TForm1& w) {
    w.show();
    Settle();
    w.Timer1Timer();
    Settle();
}

// The pointer resting over `widget` at `at`: what the read-out line then says.
void PointAt(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// The tab `sheet` of the window, shown and grabbed.
QImage GrabTab(TForm1& w, const char* sheet) {
    auto* tabs = FindChild<QTabWidget>(w, "PageControl1");
    QWidget* page = FindChild<QWidget>(w, sheet);
    if (!tabs->isTabVisible(tabs->indexOf(page)))
        FailScene(QStringLiteral("no traces were built"));
    tabs->setCurrentWidget(page);
    ShowRedrawn(w);
    return GrabShown(w);
}

} // namespace

// The demo folder as copied onto the instrument's memory card, mounted under the private folder.
TraceBuilderScenes::TraceBuilderScenes(const ScreenshotPlace& place, ScreenshotDialogs& dialogs)
    : dialogs_(dialogs), place_(place) {
    QApplication::setApplicationDisplayName(QStringLiteral("ТРАССЫ---Vibrix4"));
    const QDir work(place.work);
    const QString card = work.filePath(QStringLiteral("card"));
    const QString folder = QDir(card).filePath(QStringLiteral("site7"));
    CopyFolder(place.demoSource, folder);
    const QString program = work.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    places_ = {folder, program,
               driveEntries({{card, QStringLiteral("/dev/sdb1"), QStringLiteral("vfat"),
                              QStringLiteral("VIBRIX"), true}},
                            work.filePath(QStringLiteral("home")), false)};
}

TraceBuilderScenes::~TraceBuilderScenes() = default;

ScreenshotScenes TraceBuilderScenes::Table(const std::shared_ptr<TraceBuilderScenes>& s) {
    return {{QStringLiteral("tracebuilder-files.png"), [s] { return s->Files(); }},
            {QStringLiteral("tracebuilder-seismo.png"), [s] { return s->Seismo(); }},
            {QStringLiteral("tracebuilder-spectro.png"), [s] { return s->Spectro(); }},
            {QStringLiteral("tracebuilder-extract.png"), [s] { return s->Extract(); }},
            {QStringLiteral("tracebuilder-wide.png"), [s] { return s->Wide(); }},
            {QStringLiteral("tracebuilder-page.png"), [s] { return s->Page(); }}};
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
    ShowRedrawn(w);
    auto* chart = FindChild<QCustomPlot>(w, "Chart__Single_file__Seysmo");
    PointAt(chart, QPoint(chart->width() * 2 / 5, chart->height() / 3));
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
    QImage image = GrabTab(w, sheet);
    // The pointer over the column of pile 15 at 12 m: the read-out under the picture.
    const bool seismo = QByteArray(sheet) == "TabSheet2";
    auto* picture = FindChild<TracePicture>(w, seismo ? "Image__Seysmo_trace" : "Image__Spectr_trace");
    const tTrcColumnsCnf& layout = seismo ? w.traces().seismoImage.conf : w.traces().spectroImage.conf;
    for (int c = 0; c < layout.visible; ++c)
        if (layout.columns[std::size_t(c)].origin.pileNumber == 15)
            PointAt(picture,
                    QPoint(layout.ColumnCentre(c), layout.ColumnsTop() + 12 * layout.PixelsPerMetre()));
    image = GrabShown(w);
    FindChild<QTabWidget>(w, "PageControl1")->setCurrentIndex(0);
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

// A site of 150 piles, both channels of each: 300 columns of 10 px, the names turned up.
TForm1& TraceBuilderScenes::wideWindow() {
    if (wide_)
        return *wide_;
    const QString folder = QDir(place_.work).filePath(QStringLiteral("card/site3"));
    QDir().mkpath(folder);
    for (int i = 0; i < 150; ++i) {
        ssmgen::FileSpec s;
        s.siteNumber = 3;
        s.pileNumber = std::uint16_t(i + 1);
        s.pile.length = 9.0 + (i * 7) % 9;
        if (i % 11 == 4) // a narrowing to about half, 2 m long
            s.pile.profile = {{pilemodel::SectionKind::Narrowing, 4.5, 2.0, 0.55}};
        s.pile.seed = std::uint32_t(i + 1);
        s.fileTime = std::chrono::system_clock::time_point(std::chrono::seconds(1781500000 + 240 * i));
        std::string error;
        if (!ssmgen::write(
                (folder + QStringLiteral("/s3_%1.ssm").arg(i + 1, 3, 10, QLatin1Char('0'))).toStdString(), s,
                error))
            FailScene(QString::fromStdString(error));
    }
    TForm1::Places places = places_;
    places.startFolder = folder;
    wide_ = std::make_unique<TForm1>(wideEngine_, dialogs_, places);
    wide_->show();
    Settle();
    type(*wide_, "Edit__Velocity_on_Tab1", QStringLiteral("4000"));
    FindChild<QSlider>(*wide_, "TrackBar__Seysmo_trace")->setValue(25);
    FindChild<QAbstractButton>(*wide_, "BitBtn__Make_trace")->click();
    return *wide_;
}

QImage TraceBuilderScenes::Wide() {
    TForm1& w = wideWindow();
    QImage image = GrabTab(w, "TabSheet2");
    FindChild<QTabWidget>(w, "PageControl1")->setCurrentIndex(0);
    return image;
}

// The first of the landscape pages the wide seismo trace prints on, at 100 dots per inch.
QImage TraceBuilderScenes::Page() {
    TForm1& w = wideWindow();
    constexpr double kDotsPerMetre = 100 / 0.0254;
    QImage page(1169, 827, QImage::Format_RGB32); // A4 across
    page.setDotsPerMeterX(int(kDotsPerMetre));
    page.setDotsPerMeterY(int(kDotsPerMetre));
    page.fill(Qt::white);
    QPainter painter(&page);
    const double margin = 10 / 25.4 * 100;
    PaintPage(painter, QRectF(margin, margin, page.width() - 2 * margin, page.height() - 2 * margin),
              w.traces().seismoImage, &w.traces().seismoProcessing, 0);
    return page;
}
