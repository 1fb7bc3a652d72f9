#include "PanelReport.h"

#include "ChartPanel.h"
#include "FreqView.h"
#include "RecordChart.h"
#include "TimeView.h"

#include <QLabel>

TMainReportSource MainReportSource(const TChartPanel& panel, const QString& comment) {
    const TViewState& s = panel.State();
    TMainReportSource r;
    r.TimeChart = panel.TimeView->TimeChart;
    r.FreqChart = panel.FreqView->FreqChart;
    r.Record = s.RecordShown ? &s.CurrentMeasure : nullptr;
    r.ChSignalShow = s.Flags.ChSignalShow;
    r.InvertSignal = s.Flags.InvertSignal;
    r.ChSpectrumShow = s.Flags.ChSpectrumShow;
    r.SpectrumType = s.Flags.SpectrumType;
    for (std::size_t i = 0; i < r.ChColor.size(); ++i)
        r.ChColor[i] = ToQColor(s.Flags.ChColor[i]);
    r.Gain = s.FGain;
    r.Velocity = s.FVelocity;
    r.TimeCursorText = panel.TimeView->TimeCursorLabel->text();
    r.FreqCursorText = panel.FreqView->FreqCursorLabel->text();
    r.Comment = comment;
    return r;
}
