#include "ChartPanel.h"

#include "FreqView.h"
#include "NumberFormat.h"
#include "TimeView.h"

#include <QVBoxLayout>

TChartPanel::TChartPanel(const TDisplayFlags& flags, THandlerRunner run, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartPanel"));
    if (!run)
        run = [](const std::function<void()>& handler) { handler(); };
    s_.Flags = flags;
    TimeView = new TTimeView(s_, run, this);
    FreqView = new TFreqView(s_, run, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TimeView, 1);
    layout->addWidget(FreqView, 1);
    connect(TimeView, &TTimeView::velocityAccepted, this, [this] {
        FreqView->ShowFreqDomain(true);
        FreqView->RefreshFreqCursor();
    });
    connect(TimeView, &TTimeView::flagsChanged, this, &TChartPanel::flagsChanged);
    connect(FreqView, &TFreqView::flagsChanged, this, &TChartPanel::flagsChanged);
    ClearInfo();
}

// The time view is built while sensor 2's spectrum is still on its thread. The curves of the
// last record are written over; they are cleared only when the new record cannot be shown.
void TChartPanel::ShowRecord(TMeasureResult record) {
    ClearInfo();
    s_.CurrentMeasure = std::move(record);
    s_.RecordShown = true;
    const TMeasureResult& r = s_.CurrentMeasure;
    s_.FSamplePeriod = 1.0 / r.SampleFreq;
    if (!s_.Options.KeepGainAndVelocity || !s_.ValuesInForce) {
        s_.FGain = r.Amp;
        s_.FVelocity = r.Velocity;
    }
    s_.ValuesInForce = true;
    try {
        ComputeSpectra(s_.FFFT, s_.FFFT1, r.Ch0Data, r.Ch1Data, s_.SampleCount(), r.SampleFreq, s_.Spectra,
                       [&] {
                           TimeView->ResetCursors(s_.SampleCount());
                           TimeView->ShowEdits();
                           emit infoChanged();
                           TimeView->ShowTimeDomain();
                       });
        FreqView->ResetCursor();
        FreqView->ShowFreqDomain();
        TimeView->RefreshTimeCursor();
        FreqView->RefreshFreqCursor();
    } catch (...) {
        ClearGraphics();
        throw;
    }
}

void TChartPanel::ShowNoRecord() {
    ClearInfo();
    ClearGraphics();
    s_.CurrentMeasure = TMeasureResult{};
}

void TChartPanel::ClearInfo() {
    const bool hadRecord = s_.RecordShown;
    s_.RecordShown = false;
    s_.FSamplePeriod = -1;
    s_.Spectra.Clear();
    ClearCursors();
    TimeView->ClearEdits();
    if (hadRecord)
        emit infoChanged();
}

void TChartPanel::ClearGraphics() {
    TimeView->ClearTimeDomain();
    FreqView->ClearFreqDomain();
}

void TChartPanel::ClearCursors() {
    TimeView->ResetCursors(0);
    FreqView->ResetCursor();
    TimeView->RefreshTimeCursor();
    FreqView->RefreshFreqCursor();
}

QStringList TChartPanel::ResultInfo() const {
    if (!s_.RecordShown)
        return QStringList(5, QString());
    const TMeasureResult& r = s_.CurrentMeasure;
    return {FreqToStr(r.SampleFreq), SampleLenToStr(r.SampleLen), AmpToStr(r.Amp), VelocityToStr(r.Velocity),
            BaseLenToStr(r.BaseLen)};
}

void TChartPanel::SetSignalShown(int channel, bool shown) {
    TimeView->SetSignalShown(channel, shown);
}

void TChartPanel::SetInvertSignal(bool invert) {
    TimeView->SetInvertSignal(invert);
}

void TChartPanel::SetSpectrumShown(int channel, bool shown) {
    FreqView->SetSpectrumShown(channel, shown);
}

void TChartPanel::SetSpectrumType(SpectrumAbscissa type) {
    FreqView->SetSpectrumType(type);
}

TViewOptions TChartPanel::Options() const {
    TViewOptions options = s_.Options;
    options.KeptValues = options.KeepGainAndVelocity && s_.ValuesInForce;
    options.KeptGain = options.KeptValues ? s_.FGain : 0;
    options.KeptVelocity = options.KeptValues ? s_.FVelocity : 0;
    return options;
}

void TChartPanel::SetOptions(const TViewOptions& options) {
    const TViewOptions was = s_.Options;
    s_.Options = options;
    if (options.KeepGainAndVelocity && options.KeptValues && !s_.ValuesInForce) {
        s_.FGain = options.KeptGain;
        s_.FVelocity = options.KeptVelocity;
        s_.ValuesInForce = true;
    }
    if (was.ViewWindow == options.ViewWindow && was.TimeWindow == options.TimeWindow &&
        was.DepthWindow == options.DepthWindow)
        return; // what is shown stays
    TimeView->ShowTimeDomain();
    FreqView->ShowFreqDomain();
    TimeView->RefreshTimeCursor();
    FreqView->RefreshFreqCursor();
}

void TChartPanel::SetColors(const std::array<TColor, 3>& colors) {
    s_.Flags.ChColor = colors;
    RefreshColors();
}

void TChartPanel::RefreshColors() {
    TimeView->RefreshColors();
    FreqView->RefreshColors();
}
