#include "RecordCommands.h"

#include "ExportCommands.h"
#include "FTProcessingForm.h"
#include "MainActions.h"
#include "MainUnit.h"
#include "PanelReport.h"
#include "RecordFileName.h"
#include "ReportPreview.h"
#include "SetColorsUnit.h"
#include "UserDialogs.h"
#include "ViewWindowForm.h"

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

void TRecordCommands::PrintReportActionExecute() {
    w_.PostChanges(); // the comment typed last belongs in the report
    TReportPage page = LoadReportLayout(QStringLiteral("MainReport"));
    MainReportManualBuild(page, MainReportSource(*w_.ChartPanel, w_.CommentText()));
    ShowReportPreview(w_.Dialogs(), &w_, page,
                      ReportPreviewOptions(QStringLiteral("Просмотр отчёта"), QStringLiteral("отчёт")));
}

TReportPreviewOptions TRecordCommands::ReportPreviewOptions(const QString& title, const QString& what) {
    return {title, RecordFileName(w_.CurrentMeasure(), what), w_.ExportFolder(),
            [&window = w_](const QString& folder) { window.SetExportFolder(folder); }};
}

// The folder written to is where the next export starts.
void TRecordCommands::SignalExportActionExecute() {
    RequireRecord(*w_.ChartPanel, "Запись не прочитана: экспортировать нечего");
    const QString folder =
        TExportCommands(w_.Dialogs(), &w_)
            .SignalExportActionExecute(w_.CurrentMeasure(), w_.Spectra(), w_.ExportFolder(),
                                       RecordFileName(w_.CurrentMeasure(), QStringLiteral("сигнал.csv")));
    if (!folder.isEmpty())
        w_.SetExportFolder(folder);
}

void TRecordCommands::SpectrExportActionExecute() {
    RequireRecord(*w_.ChartPanel, "Запись не прочитана: экспортировать нечего");
    const QString folder =
        TExportCommands(w_.Dialogs(), &w_)
            .SpectrExportActionExecute(w_.Spectra(), w_.ExportFolder(),
                                       RecordFileName(w_.CurrentMeasure(), QStringLiteral("спектр.csv")));
    if (!folder.isEmpty())
        w_.SetExportFolder(folder);
}

void TRecordCommands::FTProcessingActionExecute() {
    const TViewState& s = w_.ChartPanel->State();
    const TMeasureResult& r = s.CurrentMeasure;
    // The samples the views use; none for a record that could not be decoded.
    const std::size_t count = s.RecordShown ? std::size_t(s.SampleCount()) : 0;
    TFTProcessingForm form(w_.Dialogs(), &w_);
    form.SetResultInfo(r.DateTime, r.SiteNumber, r.PileNumber);
    form.SetSignals(std::span<const float>(r.Ch0Data).first(count),
                    std::span<const float>(r.Ch1Data).first(count));
    form.SetColors(ToQColor(s.Flags.ChColor[0]), ToQColor(s.Flags.ChColor[1]));
    form.SetVelocity(s.FVelocity);
    form.SetSampleFreq(r.SampleFreq);
    form.ReportOptions =
        ReportPreviewOptions(QStringLiteral("Просмотр отчёта: ЧВ-анализ"), QStringLiteral("ЧВ-анализ"));
    w_.Dialogs().exec(form);
}

void TRecordCommands::ColorsActionExecute() {
    TSetColorsForm form(&w_);
    form.SetCount(3);
    const TMainActions& a = *w_.Actions;
    const QAction* names[] = {a.Ch0SignalAction, a.Ch1SignalAction, a.HamSignalAction};
    for (int i = 0; i < 3; ++i) {
        form.SetName(i, names[i]->text());
        form.SetColor(i, w_.Flags().ChColor[std::size_t(i)]);
    }
    if (w_.Dialogs().exec(form) != QDialog::Accepted)
        return;
    w_.SetChannelColors({form.GetColor(0), form.GetColor(1), form.GetColor(2)});
}

// Switched on, the window asks for its lengths (40 ms and 50 m the first time, the last ones
// after); a cancelled question leaves it off.
void TRecordCommands::ViewWindowActionExecute(bool on) {
    TViewOptions options = w_.ChartPanel->Options();
    if (on) {
        TViewWindowForm form(options.TimeWindow, options.DepthWindow, &w_);
        if (w_.Dialogs().exec(form) != QDialog::Accepted)
            return;
        options.TimeWindow = form.TimeWindow();
        options.DepthWindow = form.DepthWindow();
    }
    options.ViewWindow = on;
    w_.ChartPanel->SetOptions(options);
}
