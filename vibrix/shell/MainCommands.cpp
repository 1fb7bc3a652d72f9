// The main window's commands on the record shown: the report, both exports, the
// time-frequency window, the colour dialog and the view window.
#include "MainUnit.h"

#include "ExportCommands.h"
#include "FTProcessingForm.h"
#include "MainActions.h"
#include "PanelReport.h"
#include "RecordFileName.h"
#include "ReportPreview.h"
#include "SetColorsUnit.h"
#include "UserDialogs.h"
#include "ViewWindowForm.h"

#include <QAction>
#include <QFileInfo>

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
    ShowReportPreview(dialogs_, this, page,
                      ReportPreviewOptions(QStringLiteral("Просмотр отчёта"), QStringLiteral("отчёт")));
}

TReportPreviewOptions TMainForm::ReportPreviewOptions(const QString& title, const QString& what) {
    return {title, RecordFileName(CurrentMeasure(), what), ExportFolder(),
            [this](const QString& folder) { SetExportFolder(folder); }};
}

QString TMainForm::ExportFolder() const {
    return QFileInfo(settings_.ExportPath).isDir() ? settings_.ExportPath : ProjectPath();
}

// The folder written to is where the next export starts.
void TMainForm::SignalExportActionExecute() {
    RequireRecord(*ChartPanel, "Запись не прочитана: экспортировать нечего");
    const QString folder =
        TExportCommands(dialogs_, this)
            .SignalExportActionExecute(CurrentMeasure(), Spectra(), ExportFolder(),
                                       RecordFileName(CurrentMeasure(), QStringLiteral("сигнал.csv")));
    if (!folder.isEmpty())
        SetExportFolder(folder);
}

void TMainForm::SpectrExportActionExecute() {
    RequireRecord(*ChartPanel, "Запись не прочитана: экспортировать нечего");
    const QString folder =
        TExportCommands(dialogs_, this)
            .SpectrExportActionExecute(Spectra(), ExportFolder(),
                                       RecordFileName(CurrentMeasure(), QStringLiteral("спектр.csv")));
    if (!folder.isEmpty())
        SetExportFolder(folder);
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
    form.ReportOptions =
        ReportPreviewOptions(QStringLiteral("Просмотр отчёта: ЧВ-анализ"), QStringLiteral("ЧВ-анализ"));
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

// Switched on, the window asks for its lengths (40 ms and 50 m the first time, the last ones
// after); a cancelled question leaves it off.
void TMainForm::ViewWindowActionExecute(bool on) {
    TViewOptions options = ChartPanel->Options();
    if (on) {
        TViewWindowForm form(options.TimeWindow, options.DepthWindow, this);
        if (dialogs_.exec(form) != QDialog::Accepted)
            return;
        options.TimeWindow = form.TimeWindow();
        options.DepthWindow = form.DepthWindow();
    }
    options.ViewWindow = on;
    ChartPanel->SetOptions(options);
}
