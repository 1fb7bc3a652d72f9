// The main window's commands on the record shown: the report, both exports, the
// time-frequency window and the colour dialog.
#include "MainUnit.h"

#include "ExportCommands.h"
#include "FTProcessingForm.h"
#include "MainActions.h"
#include "PanelReport.h"
#include "ReportPreview.h"
#include "SetColorsUnit.h"
#include "UserDialogs.h"

#include <QAction>

#include <span>
#include <stdexcept>

namespace {

// An export of a record that could not be decoded would write an empty file.
void RequireRecord(const TChartPanel& panel, const char* what) {
    if (!panel.State().RecordShown)
        throw std::runtime_error(what);
}

} // namespace

void TMainForm::PrintReportActionExecute() {
    PostChanges(); // the comment typed last belongs in the report
    TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
    MainReportManualBuild(page, MainReportSource(*ChartPanel, CommentText()));
    ShowReportPreview(dialogs_, this, page);
}

void TMainForm::SignalExportActionExecute() {
    RequireRecord(*ChartPanel, "Запись не прочитана: экспортировать нечего");
    TExportCommands(dialogs_, this).SignalExportActionExecute(CurrentMeasure(), Spectra(), ProjectPath());
}

void TMainForm::SpectrExportActionExecute() {
    RequireRecord(*ChartPanel, "Запись не прочитана: экспортировать нечего");
    TExportCommands(dialogs_, this).SpectrExportActionExecute(Spectra(), ProjectPath());
}

void TMainForm::FTProcessingActionExecute() {
    const TViewState& s = ChartPanel->State();
    const TMeasureResult& r = s.CurrentMeasure;
    // The samples the views use; none for a record that could not be decoded.
    const std::size_t count = s.RecordShown ? std::size_t(s.SampleCount()) : 0;
    TFTProcessingForm form(dialogs_, this);
    form.SetResultInfo(r.DateTime, r.SiteNumber, r.PileNumber);
    form.SetSignals(std::span<const float>(r.Ch0Data).first(count),
                    std::span<const float>(r.Ch1Data).first(count));
    form.SetColors(ToQColor(s.Flags.ChColor[0]), ToQColor(s.Flags.ChColor[1]));
    form.SetVelocity(s.FVelocity);
    form.SetSampleFreq(r.SampleFreq);
    dialogs_.exec(form);
}

void TMainForm::ColorsActionExecute() {
    TSetColorsForm form(this);
    form.SetCount(3);
    const QAction* names[] = {Actions->Ch0SignalAction, Actions->Ch1SignalAction, Actions->HamSignalAction};
    for (int i = 0; i < 3; ++i) {
        form.SetName(i, names[i]->text());
        form.SetColor(i, Flags().ChColor[std::size_t(i)]);
    }
    if (dialogs_.exec(form) != QDialog::Accepted)
        return;
    SetChannelColors({form.GetColor(0), form.GetColor(1), form.GetColor(2)});
}
