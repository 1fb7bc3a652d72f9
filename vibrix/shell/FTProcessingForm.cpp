#include "FTProcessingForm.h"

#include "FTReport.h"
#include "NumberEdit.h"
#include "NumberFormat.h"
#include "ParameterEdit.h"
#include "PatternTicker.h"
#include "ReportPreview.h"
#include "SpectrogramChart.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <qcustomplot.h>

namespace {

constexpr double kFreqAxisEnd = 8000; // Hz

// The wait cursor while a computation holds the window.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QCustomPlot* makeChart(QWidget* parent, const QString& name, const QString& title) {
    auto* chart = new QCustomPlot(parent);
    chart->setObjectName(name);
    chart->setLocale(QLocale());
    chart->plotLayout()->insertRow(0);
    auto* caption = new QCPTextElement(chart, title);
    caption->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    chart->plotLayout()->addElement(0, 0, caption);
    chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    return chart;
}

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

void setSeries(QCPGraph* graph, const ChartSeries& series) {
    graph->setData(series.X, series.Y, true);
}

} // namespace

TFTProcessingForm::TFTProcessingForm(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), FDialogs(dialogs) {
    setObjectName(QStringLiteral("FTProcessingForm"));
    setWindowTitle(QStringLiteral("Частотно-временной анализ"));
    setMinimumSize(1000, 768);
    // Wider where the screen allows: the picture with its axes leaves the spectrum the rest.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(minimumSize().expandedTo(QSize(1200, 820).boundedTo(screen->availableSize())));
    CreateControls();
    setMinimumSize(minimumSize().expandedTo(layout()->minimumSize()));
}

void TFTProcessingForm::CreateControls() {
    chTime = makeChart(this, QStringLiteral("chTime"), QStringLiteral("Сигнал"));
    chTime->xAxis->setLabel(QStringLiteral("t, мс"));
    SetAxisPattern(chTime->xAxis, QStringLiteral("#,##0.00"));
    chTime->yAxis->setLabel(QStringLiteral("x[t]"));
    chTime->addGraph();
    chTime->addGraph();
    chFreq = makeChart(this, QStringLiteral("chFreq"), QStringLiteral("Спектр"));
    chFreq->xAxis->setLabel(QStringLiteral("f, Гц"));
    // A narrow chart: at least three numbers in whole hertz ("0", "2 500", "5 000", ...), turned
    // upright so that each takes a line's height across; the chart keeps room for four of them
    // beside the value axis's labels ("0,0005") and title.
    SetAxisPattern(chFreq->xAxis, QStringLiteral("#,##0"));
    chFreq->xAxis->setRange(0, kFreqAxisEnd);
    chFreq->xAxis->ticker()->setTickCount(3);
    chFreq->xAxis->setTickLabelRotation(-90);
    const QFontMetrics metrics(chFreq->xAxis->tickLabelFont());
    chFreq->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0,0005")) + 10 * metrics.height());
    chFreq->yAxis->setLabel(QStringLiteral("X[f]"));
    SetAxisPattern(chFreq->yAxis, QStringLiteral("#,##0.00"));
    chFreq->addGraph()->setVisible(false);

    auto* chart = new TSpectrogramChart(FPicture.Image(), FProcessing, this);
    imgSpectrogram = chart;
    tbT = chart->tbT;
    tbF = chart->tbF;

    auto* cursor = new QGroupBox(QStringLiteral("Курсор"), this);
    lblT = named(new QLabel(QStringLiteral("t = ?"), cursor), QStringLiteral("lblT"));
    lblF = named(new QLabel(QStringLiteral("f = ?"), cursor), QStringLiteral("lblF"));
    lblH = named(new QLabel(QStringLiteral("h = ?"), cursor), QStringLiteral("lblH"));
    auto* cursorLayout = new QVBoxLayout(cursor);
    for (QLabel* l : {lblT, lblF, lblH})
        cursorLayout->addWidget(l);

    auto* params = new QGroupBox(QStringLiteral("Параметры"), this);
    rbCh0 = named(new QRadioButton(QStringLiteral("Датчик №1"), params), QStringLiteral("rbCh0"));
    rbCh1 = named(new QRadioButton(QStringLiteral("Датчик №2"), params), QStringLiteral("rbCh1"));
    rbCh0->setChecked(true);
    rbCh = new QButtonGroup(this);
    rbCh->addButton(rbCh0, 0);
    rbCh->addButton(rbCh1, 1);
    auto* velocity = new TNumberEdit(QStringLiteral("eVelocity"), params);
    eVelocity = velocity;
    cbWindowWdt = named(new QComboBox(params), QStringLiteral("cbWindowWdt"));
    sbCalc = named(new QPushButton(QStringLiteral("Вычислить"), params), QStringLiteral("sbCalc"));
    sbReport = named(new QPushButton(QStringLiteral("Отчёт"), params), QStringLiteral("sbReport"));
    auto* paramsLayout = new QVBoxLayout(params);
    paramsLayout->addWidget(rbCh0);
    paramsLayout->addWidget(rbCh1);
    paramsLayout->addWidget(new QLabel(QStringLiteral("Скорость, м/с"), params));
    paramsLayout->addWidget(eVelocity);
    paramsLayout->addWidget(new QLabel(QStringLiteral("Ширина окна"), params));
    paramsLayout->addWidget(cbWindowWdt);
    paramsLayout->addWidget(sbCalc);
    paramsLayout->addWidget(sbReport);
    sbClose = named(new QPushButton(QStringLiteral("Закрыть"), this), QStringLiteral("sbClose"));
    sbClose->setAutoDefault(false);
    sbCalc->setAutoDefault(false);
    sbReport->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(cursor);
    side->addWidget(params);
    side->addStretch();
    side->addWidget(sbClose);
    auto* lower = new QHBoxLayout;
    lower->addWidget(chFreq, 1);
    lower->addWidget(imgSpectrogram, 0, Qt::AlignTop);
    lower->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chTime, 1);
    layout->addLayout(lower);

    connect(sbCalc, &QPushButton::clicked, this, Guarded([this] { sbCalcClick(); }));
    connect(sbReport, &QPushButton::clicked, this, Guarded([this] { sbReportClick(); }));
    connect(sbClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(rbCh, &QButtonGroup::idClicked, this,
            [this](int id) { Guarded([this, id] { rbChClick(id); })(); });
    connect(cbWindowWdt, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { cbWindowWdtChange(index); })(); });
    connect(tbT, &QSlider::valueChanged, this, [this](int p) { Guarded([this, p] { tbTChange(p); })(); });
    connect(tbF, &QSlider::valueChanged, this, [this](int p) { Guarded([this, p] { tbFChange(p); })(); });
    connect(velocity, &TNumberEdit::entered, this, Guarded([this] { eVelocityEnter(); }));
}

std::function<void()> TFTProcessingForm::Guarded(std::function<void()> handler) {
    return [this, handler = std::move(handler)] { RunGuarded(FDialogs, this, handler); };
}

void TFTProcessingForm::SetResultInfo(double dateTime, int siteNumber, int pileNumber) {
    FDateTime = dateTime;
    FSiteNumber = siteNumber;
    FPileNumber = pileNumber;
}

void TFTProcessingForm::SetSignals(std::span<const float> ch0, std::span<const float> ch1) {
    FProcessing.SetSignals(ch0, ch1);
    FillWindowWidths();
}

void TFTProcessingForm::FillWindowWidths() {
    const QSignalBlocker block(cbWindowWdt);
    cbWindowWdt->clear();
    cbWindowWdt->addItems(FProcessing.WindowWidths());
    cbWindowWdt->setCurrentIndex(int(cbWindowWdt->count()) - 1);
    // Without a width to offer there is nothing to compute.
    sbCalc->setEnabled(!FReady && FProcessing.CanCalculate());
}

void TFTProcessingForm::SetColors(const QColor& ch0, const QColor& ch1) {
    FColors = {ch0, ch1};
    chTime->graph(0)->setPen(QPen(ch0));
    chTime->graph(1)->setPen(QPen(ch1));
}

void TFTProcessingForm::SetVelocity(double velocity) {
    FProcessing.SetVelocity(velocity);
    eVelocity->setText(FormatFloat(QStringLiteral("0.0"), velocity));
}

void TFTProcessingForm::SetSampleFreq(double sampleFreq) {
    FProcessing.SetSampleFreq(sampleFreq);
}

void TFTProcessingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TFTProcessingForm::FormShow() {
    FPicture.DrawCaptions(font());
    ShowSignals();
    FReady = true;
    ResetResult();
}

void TFTProcessingForm::ShowSignals() {
    const auto series = FProcessing.ShowSignals();
    setSeries(chTime->graph(0), series[0]);
    setSeries(chTime->graph(1), series[1]);
    chTime->rescaleAxes();
    chTime->replot(QCustomPlot::rpQueuedReplot);
}

void TFTProcessingForm::ShowCursorSpectrum() {
    if (!FReady)
        return;
    QCPGraph* graph = chFreq->graph(0);
    graph->setPen(QPen(FColors[std::size_t(FProcessing.Channel())]));
    setSeries(graph, FProcessing.CursorSpectrum(tbT->value()));
    graph->setVisible(true);
    chFreq->yAxis->rescale(true);
    chFreq->replot(QCustomPlot::rpQueuedReplot);
}

void TFTProcessingForm::SetTimeCursor(int column) {
    FPicture.SetTimeCursor(column);
    lblT->setText(FProcessing.TimeText(column));
    imgSpectrogram->update();
}

void TFTProcessingForm::SetFreqCursor(int row) {
    FPicture.SetFreqCursor(row);
    lblF->setText(FProcessing.FreqText(row));
    lblH->setText(FProcessing.DepthText(row));
    imgSpectrogram->update();
}

void TFTProcessingForm::ResetResult() {
    if (!FReady)
        return;
    FReady = false;
    chFreq->graph(0)->setVisible(false);
    chFreq->xAxis->setRange(0, kFreqAxisEnd);
    chFreq->replot(QCustomPlot::rpQueuedReplot);
    for (QSlider* bar : {tbT, tbF}) {
        const QSignalBlocker block(bar);
        bar->setEnabled(false);
        bar->setValue(bar == tbT ? bar->minimum() : bar->maximum());
    }
    sbCalc->setEnabled(FProcessing.CanCalculate());
    sbReport->setEnabled(false);
    FPicture.ClearArea();
    SetTimeCursor(-1);
    SetFreqCursor(-1);
}

void TFTProcessingForm::SetResultReady() {
    if (FReady)
        return;
    FReady = true;
    sbCalc->setEnabled(false);
    sbReport->setEnabled(true);
    tbT->setEnabled(true);
    tbF->setEnabled(true);
    chFreq->graph(0)->setVisible(true);
}

void TFTProcessingForm::sbCalcClick() {
    if (FReady || !FProcessing.CanCalculate())
        return;
    const BusyCursor busy;
    FProcessing.CalcSpectrogram();
    FPicture.DrawSpectrogram(FProcessing.Spectrogram(), FProcessing.SpectrogramLines(),
                             FProcessing.SpectrogramMaximum());
    SetResultReady();
    ShowCursorSpectrum();
    SetTimeCursor(tbT->minimum());
    SetFreqCursor(tbF->maximum());
}

void TFTProcessingForm::sbReportClick() {
    TReportPage page = LoadReportLayout(QStringLiteral("FTReport"));
    FTReportManualBuild(page);
    ShowReportPreview(FDialogs, this, page, ReportOptions);
}

void TFTProcessingForm::FTReportManualBuild(TReportPage& page) const {
    TFTReportSource source;
    source.DateTime = FDateTime;
    source.SiteNumber = FSiteNumber;
    source.PileNumber = FPileNumber;
    source.Picture = FPicture.Image();
    source.TimeText = lblT->text();
    source.FreqText = lblF->text();
    source.DepthText = lblH->text();
    source.Channel = FProcessing.Channel();
    source.SampleCount = FProcessing.SampleCount();
    source.Velocity = FProcessing.Velocity();
    source.WindowWidth = FProcessing.WindowWidth();
    ::FTReportManualBuild(page, source);
}

void TFTProcessingForm::rbChClick(int tag) {
    if (FProcessing.SetChannel(tag))
        ResetResult();
}

void TFTProcessingForm::cbWindowWdtChange(int index) {
    if (FProcessing.SelectWindowWidth(index))
        ResetResult();
    imgSpectrogram->update(); // the axes of the width in force
}

void TFTProcessingForm::eVelocityEnter() {
    const EditOutcome outcome = AcceptVelocity(eVelocity->text(), FProcessing.Velocity());
    eVelocity->setText(outcome.Text);
    if (!outcome.Accepted)
        return;
    FProcessing.SetVelocity(outcome.Value);
    imgSpectrogram->update(); // the depths beside the frequencies
    if (FReady)
        SetFreqCursor(tbF->value());
}

void TFTProcessingForm::tbTChange(int position) {
    if (!FReady)
        return;
    ShowCursorSpectrum();
    SetTimeCursor(position);
}

void TFTProcessingForm::tbFChange(int position) {
    if (FReady)
        SetFreqCursor(position);
}
