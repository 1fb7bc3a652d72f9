#include "VibrixScenes.h"

#include "DataPage.h"
#include "DownloadForm.h"
#include "DownloadUnit.h"
#include "FTProcessingForm.h"
#include "FreqView.h"
#include "MainReport.h"
#include "NumberEdit.h"
#include "PanelReport.h"
#include "PilePage.h"
#include "PileReport.h"
#include "RecordGrid.h"
#include "RemarkEdit.h"
#include "ReportPainter.h"
#include "SetColorsUnit.h"
#include "TPileAnalyser.h"
#include "TimeView.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <qcustomplot.h>

#include <cmath>
#include <stdexcept>

namespace {

// The record on show: site 2, pile 15 of the demo folder, a 16 m pile with a defect at 7 m.
constexpr int kShownSite = 2;
constexpr int kShownPile = 15;
constexpr double kShownPileLength = 16.0;
constexpr double kShownDefect = 7.0;
// The design lengths of the other piles of the site, as the piling records give them.
constexpr std::pair<int, double> kSiteLengths[] = {{10, 14.0}, {11, 14.0}, {12, 16.0}, {13, 16.0},
                                                   {14, 18.0}, {16, 18.0}, {17, 12.0}};

const char* const kComment = "Отражение от дефекта на глубине около 7 м, конец сваи на 16 м.";

// The index of the largest magnitude in `values[from, to)`.
template <class V> int strongest(const V& values, std::size_t from, std::size_t to) {
    std::size_t best = from;
    for (std::size_t i = from; i < std::min(to, values.size()); ++i)
        if (std::fabs(double(values[i])) > std::fabs(double(values[best])))
            best = i;
    return int(best);
}

// The chart zoomed in on the start of the record, as a rectangle dragged from the largest to
// the smallest value the channels reach there leaves it.
void zoomOnStart(QCustomPlot& chart, int channels, double until) {
    double low = 0, high = 0;
    for (int g = 0; g < channels; ++g)
        for (auto p = chart.graph(g)->data()->constBegin();
             p != chart.graph(g)->data()->constEnd() && p->key <= until; ++p) {
            low = std::min(low, p->value);
            high = std::max(high, p->value);
        }
    const double margin = 0.1 * (high - low);
    chart.xAxis->setRange(chart.xAxis->range().lower, until);
    chart.yAxis->setRange(low - margin, high + margin);
    chart.replot();
}

} // namespace

VibrixScenes::VibrixScenes(const ScreenshotPlace& place, ScreenshotDialogs& dialogs)
    : dialogs_(dialogs), root_(QDir(place.work).filePath(QStringLiteral("vibrix"))) {
    QApplication::setApplicationName(QStringLiteral("Vibrix4"));
    for (const char* sub : {"program", "config", "documents", "runtime", "data"})
        QDir().mkpath(QDir(root_).filePath(QString::fromLatin1(sub)));
    const auto at = [this](const char* sub) { return QDir(root_).filePath(QString::fromLatin1(sub)); };
    places_ = {at("program"), at("config"), at("documents"), at("runtime")};
    demo_ = QDir(at("data")).filePath(QFileInfo(place.demoSource).fileName());
    CopyFolder(place.demoSource, demo_);
}

VibrixScenes::~VibrixScenes() = default;

ScreenshotScenes VibrixScenes::Table(const std::shared_ptr<VibrixScenes>& s) {
    return {{QStringLiteral("vibrix-main.png"), [s] { return s->Main(); }},
            {QStringLiteral("vibrix-depth.png"), [s] { return s->Depth(); }},
            {QStringLiteral("vibrix-window.png"), [s] { return s->ViewWindow(); }},
            {QStringLiteral("vibrix-import.png"), [s] { return s->Import(); }},
            {QStringLiteral("vibrix-ft.png"), [s] { return s->TimeFrequency(); }},
            {QStringLiteral("vibrix-report.png"), [s] { return s->Report(); }},
            {QStringLiteral("vibrix-pile-report.png"), [s] { return s->PileReport(); }},
            {QStringLiteral("vibrix-colors.png"), [s] { return s->Colors(); }},
            {QStringLiteral("vibrix-about.png"), [s] { return s->About(); }},
            {QStringLiteral("vibrix-piles.png"), [s] { return s->Piles(); }},
            {QStringLiteral("vibrix-site-speed.png"), [s] { return s->SiteSpeed(); }}};
}

// A saved project in the data folder: empty, or holding every measurement of the demo folder.
QString VibrixScenes::makeProject(const QString& name, bool withDemo) {
    const QString file = QDir(root_).filePath(QStringLiteral("data/") + name);
    TMainDataModule dm;
    if (!dm.CreateProject(file) || !dm.OpenProject(file))
        FailScene(QStringLiteral("cannot create the project %1").arg(file));
    if (withDemo)
        for (const QFileInfo& f :
             QDir(demo_).entryInfoList({QStringLiteral("*.ssm")}, QDir::Files, QDir::Name))
            dm.AddMeasureFile(f.filePath(), toDateTimeValue(f.lastModified())); // the broken one is left out
    if (!dm.CloseProject())
        FailScene(QStringLiteral("cannot save the project %1").arg(file));
    return file;
}

void VibrixScenes::trigger(const QString& action) {
    QAction* a = window_->findChild<QAction*>(action);
    if (!a)
        FailScene(QStringLiteral("no action %1").arg(action));
    a->trigger();
    Settle();
}

TMainForm& VibrixScenes::window() {
    if (!window_) {
        window_ =
            std::make_unique<TMainForm>(dialogs_, places_, makeProject(QStringLiteral("объект7.cdsm"), true));
        window_->show();
        Settle();
        showRecord(*window_);
    }
    window_->PageControl->setCurrentWidget(window_->DataPage);
    trigger(QStringLiteral("FreqSpectrumAction"));
    window_->ChartPanel->FreqView->f0TrackBar->setValue(f0Line_);
    Settle();
    return *window_;
}

// The user picks the pile's first blow in the grid, writes a comment, puts t0 on the blow and t1
// on the echo from the toe, and f0 on the strongest line of the low spectrum.
void VibrixScenes::showRecord(TMainForm& w) {
    TRecordGrid* grid = w.DataPage->DBGrid;
    for (int row = grid->model()->rowCount() - 1; row >= 0; --row)
        if (grid->model()->index(row, 1).data().toInt() == kShownSite &&
            grid->model()->index(row, 2).data().toInt() == kShownPile)
            grid->setCurrentIndex(grid->model()->index(row, 0));
    Settle();
    const TMeasureResult& record = w.CurrentMeasure();
    if (record.SiteNumber != kShownSite || record.PileNumber != kShownPile || record.HamData.empty())
        FailScene(
            QStringLiteral("the record of site %1, pile %2 is not on show").arg(kShownSite).arg(kShownPile));

    w.DataPage->CommentDBMemo->setPlainText(QString::fromUtf8(kComment));
    w.PostChanges();

    const int blow = strongest(record.HamData, 0, record.HamData.size());
    const int echo = blow + int(std::lround(2 * kShownPileLength / w.FVelocity() * record.SampleFreq));
    w.ChartPanel->TimeView->t0TrackBar->setValue(blow);
    w.ChartPanel->TimeView->t1TrackBar->setValue(echo);
    const TSpectra& spectra = w.Spectra();
    const auto line = [&](double hz) { return std::size_t(std::lround(hz / spectra.FreqStep)); };
    f0Line_ = strongest(spectra.Spectrum0, line(60), line(600));
    w.ChartPanel->FreqView->f0TrackBar->setValue(f0Line_);
    // The blow and the echo from the toe, without the noise that the gain lifts late in the record.
    timeZoom_ = 2.5 * (echo - blow) / record.SampleFreq * 1000;
    zoomOnStart(*w.TimeChart(), 3, timeZoom_);
    if (w.TimeCursorText().contains(QLatin1Char('?')) || w.FreqCursorText().contains(QLatin1Char('?')))
        FailScene(QStringLiteral("the cursors read nothing"));
}

QImage VibrixScenes::Main() {
    return GrabShown(window());
}

QImage VibrixScenes::Depth() {
    window();
    trigger(QStringLiteral("DepthSpectrumAction"));
    // The depth axis counts the lines from its other end; the user sets f0 on the same peak
    // and zooms in on the depths a pile can have.
    const TSpectra& spectra = window_->Spectra();
    window_->ChartPanel->FreqView->f0TrackBar->setValue(int(spectra.Spectrum0.size()) - f0Line_);
    zoomOnStart(*window_->FreqChart(), 2, 3 * kShownPileLength);
    const QImage image = GrabShown(*window_);
    trigger(QStringLiteral("FreqSpectrumAction"));
    return image;
}

// The view window switched on in "Вид", its question answered with what it offers (40 ms, 50 m),
// the spectrum against depth with f0 on the same peak; everything as it was afterwards.
QImage VibrixScenes::ViewWindow() {
    window();
    dialogs_.onExec = [](QDialog&) { return int(QDialog::Accepted); };
    trigger(QStringLiteral("ViewWindowAction"));
    dialogs_.onExec = nullptr;
    if (!window_->ChartPanel->Options().ViewWindow)
        FailScene(QStringLiteral("the view window is not on"));
    trigger(QStringLiteral("DepthSpectrumAction"));
    const TSpectra& spectra = window_->Spectra();
    window_->ChartPanel->FreqView->f0TrackBar->setValue(int(spectra.Spectrum0.size()) - f0Line_);
    Settle();
    const QImage image = GrabShown(*window_);
    trigger(QStringLiteral("ViewWindowAction"));
    trigger(QStringLiteral("FreqSpectrumAction"));
    zoomOnStart(*window_->TimeChart(), 3, timeZoom_); // as the other pictures have it
    return image;
}

// The demo folder with a folder among the files that looks like one, through "Добавить файлы"
// into a new project; the window is taken when its button reads "ОК".
QImage VibrixScenes::Import() {
    const QString folder = QDir(root_).filePath(QStringLiteral("card/site7"));
    CopyFolder(demo_, folder);
    QDir(folder).mkdir(QStringLiteral("f4_400.ssm"));
    TMainForm w(dialogs_, places_, makeProject(QStringLiteral("новый.cdsm"), false));
    w.show();
    Settle();
    QImage image;
    QString trouble;
    dialogs_.folders = {folder};
    dialogs_.onExec = [&](QDialog& dialog) {
        auto* form = dynamic_cast<TDownloadForm*>(&dialog);
        if (!form) {
            trouble = QStringLiteral("another window opened: %1").arg(dialog.windowTitle());
            return int(QDialog::Rejected);
        }
        form->show();
        if (!WaitUntil([form] { return form->MainSpeedButton->text() == QStringLiteral("ОК"); }, 300000))
            trouble = QStringLiteral("the import did not end");
        else if (form->FailuresMemo->isHidden())
            trouble = QStringLiteral("no unreadable file is listed");
        else
            image = GrabShown(*form);
        form->MainSpeedButton->click();
        return form->result();
    };
    QAction* add = w.findChild<QAction*>(QStringLiteral("AddSSMToProjAction"));
    if (add)
        add->trigger();
    dialogs_.onExec = nullptr;
    dialogs_.folders.clear();
    if (!add || !trouble.isEmpty())
        FailScene(add ? trouble : QStringLiteral("no action AddSSMToProjAction"));
    return image;
}

// A dialog the main window's command opens, made ready and grabbed by `scene`.
TPilePage& VibrixScenes::pilePage() {
    TMainForm& w = window();
    TPilePage& page = *w.PilePage;
    w.PageControl->setCurrentWidget(&page);
    Settle();
    const auto type = [&page](TNumberEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->entered();
        Settle();
    };
    for (const auto& [pile, length] : kSiteLengths)
        if (page.SelectPile({kShownSite, pile}) && !page.Shown()->verdict.length)
            type(page.LengthEdit, QLocale().toString(length));
    if (!page.SelectPile({kShownSite, kShownPile}))
        FailScene(QStringLiteral("the pile of the record on show is not listed"));
    Settle();
    if (!page.Shown()->verdict.length) {
        type(page.LengthEdit, QLocale().toString(kShownPileLength));
        page.AddMark(DefectKinds().front(), kShownDefect);
        page.SetClass(QStringLiteral("III"));
        page.RemarkEdit->setText(QStringLiteral("Сужение ствола на глубине около 7 м"));
        emit page.RemarkEdit->editingFinished();
        page.Sensor2Check->setChecked(true);
        Settle();
    }
    if (!page.Shown()->toeTime || page.Shown()->verdict.defects.empty())
        FailScene(QStringLiteral("the pile on show has no toe or no defect"));
    page.PileList->setFocus();
    Settle();
    return page;
}

// The pile with the narrowing at 7 m: its length typed, the defect marked, judged.
QImage VibrixScenes::Piles() {
    pilePage();
    return GrabShown(*window_);
}

// The site panel opened from the page: the pile on show is its current item.
QImage VibrixScenes::SiteSpeed() {
    pilePage();
    return FromCommand(QStringLiteral("SiteSpeedAction"), [](QDialog& panel) { return GrabShown(panel); });
}

QImage VibrixScenes::FromCommand(const QString& action, const std::function<QImage(QDialog&)>& scene) {
    window(); // the project open, the record on show
    QImage image;
    dialogs_.onExec = [&](QDialog& dialog) {
        dialog.show();
        Settle();
        image = scene(dialog);
        return int(QDialog::Rejected);
    };
    trigger(action);
    dialogs_.onExec = nullptr;
    if (image.isNull())
        FailScene(QStringLiteral("%1 opened no window").arg(action));
    return image;
}

// The window as the main window opens it for the record on show, computed, both cursors moved.
QImage VibrixScenes::TimeFrequency() {
    const double f0 = f0Line_ * window().Spectra().FreqStep;
    return FromCommand(QStringLiteral("FTProcessingAction"), [f0](QDialog& form) {
        FindChild<QPushButton>(form, "sbCalc")->click();
        Settle();
        const auto* ft = dynamic_cast<TFTProcessingForm*>(&form);
        if (!ft || !ft->Ready())
            FailScene(QStringLiteral("nothing computed"));
        // The time cursor just before the blow, the frequency cursor on the row nearest to f0.
        QSlider* time = FindChild<QSlider>(form, "tbT");
        time->setValue(time->minimum() + 10);
        QSlider* frequency = FindChild<QSlider>(form, "tbF");
        // The rows are read as the window labels them, "f = 262,5 Гц".
        const auto rowFrequency = [ft](int r) {
            return QLocale().toDouble(ft->Processing().FreqText(r).section(QLatin1Char(' '), 2, 2));
        };
        int row = frequency->maximum();
        for (int r = frequency->minimum(); r <= frequency->maximum(); ++r)
            if (std::fabs(rowFrequency(r) - f0) < std::fabs(rowFrequency(row) - f0))
                row = r;
        frequency->setValue(row);
        return GrabShown(form);
    });
}

// The page the report command previews, from what the window shows.
QImage VibrixScenes::Report() {
    TMainForm& w = window();
    w.PostChanges();
    TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
    MainReportManualBuild(page, MainReportSource(*w.ChartPanel, w.CommentText()));
    return ReportImage(page, 96);
}

// The report page of pile 3 of field 1 as an engineer signs it: the design length typed in, the
// narrowing at 4.5 m marked, the class and a remark given.
QImage VibrixScenes::PileReport() {
    const QString file = makeProject(QStringLiteral("сваи.cdsm"), true);
    TMainDataModule dm;
    if (!dm.OpenProject(file))
        FailScene(QStringLiteral("cannot open the project %1").arg(file));
    TPileAnalyser analyser(dm);
    const TPileKey key{1, 3};
    TPileVerdict v = analyser.VerdictOf(key);
    v.length = 12;
    v.diameter = 0.6;
    analyser.SetVerdict(key, v);
    v.defects = {{analyser.Analyse(key)->Time(4.5), QStringLiteral("сужение")}};
    v.cls = QStringLiteral("III");
    v.remark = QStringLiteral("Сужение ствола на глубине около 4,5 м; рекомендуется вскрытие.");
    analyser.SetVerdict(key, v);
    TPileReportCharts charts;
    return ReportImage(PileReportPage(analyser, key, charts), 96);
}

// The colour command's dialog, the colour of "Датчик №2" clicked: the box of the 16 colours
// opens over the cell.
QImage VibrixScenes::Colors() {
    return FromCommand(QStringLiteral("ColorsAction"), [](QDialog& form) {
        auto* grid = FindChild<QTableWidget>(form, "ColorsDrawGrid");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(1, 1)).center());
        auto* box = FindChild<QComboBox>(form, "ColorComboBox");
        if (!box->isVisible())
            FailScene(QStringLiteral("the colour box did not open"));
        return GrabShown(form);
    });
}

QImage VibrixScenes::About() {
    return FromCommand(QStringLiteral("AboutMenuItem"), [](QDialog& dialog) { return GrabShown(dialog); });
}
