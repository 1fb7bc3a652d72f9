// The main window's pile reports: the report page of the current pile in the preview, and the
// site report of the whole project written to a PDF with a progress dialog that can cancel.
#include "MainUnit.h"

#include "PilePage.h"
#include "PileReport.h"
#include "ReportPreview.h"
#include "SiteReport.h"
#include "TPileAnalyser.h"
#include "UserDialogs.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QTabWidget>

TPileKey TMainForm::CurrentPileKey() const {
    if (PageControl && PageControl->currentWidget() == PilePage)
        if (const std::optional<TPileKey> shown = PilePage->CurrentPile())
            return *shown;
    const TMeasureResult& r = CurrentMeasure();
    return {r.SiteNumber, r.PileNumber};
}

void TMainForm::PileReportActionExecute() {
    PostChanges();
    TPileAnalyser analyser(MainDataModule);
    TPileReportCharts charts;
    const TPileKey key = CurrentPileKey();
    const TReportPage page = PileReportPage(analyser, key, charts);
    ShowReportPreview(dialogs_, this, page,
                      {QStringLiteral("Отчёт по свае"),
                       QStringLiteral("участок %1, свая %2 - отчёт").arg(key.site).arg(key.pile),
                       ExportFolder(), [this](const QString& folder) { SetExportFolder(folder); }});
}

void TMainForm::SiteReportActionExecute() {
    PostChanges();
    UserDialogs::FileRequest request;
    request.title = QStringLiteral("Отчёт по участку");
    request.folder = ExportFolder();
    request.fileName =
        QStringLiteral("%1 - отчёт по участку.pdf").arg(QFileInfo(ProjectName()).completeBaseName());
    request.filter = QStringLiteral("Документ PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const UserDialogs::FileChoice choice = dialogs_.saveFile(this, request);
    if (!choice.chosen())
        return;

    QProgressDialog progress(QStringLiteral("Готовится отчёт по участку…"), QStringLiteral("Отмена"), 0, 1,
                             this);
    progress.setWindowTitle(QStringLiteral("Отчёт по участку"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    TPileAnalyser analyser(MainDataModule);
    QString error;
    const TSiteReportResult result = SaveSiteReport(
        choice.fileName, analyser, std::nullopt,
        [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        error);
    progress.close();
    if (result == TSiteReportResult::Failed)
        dialogs_.message(
            this, QGuiApplication::applicationDisplayName(),
            QStringLiteral("Отчёт по участку не записан в файл «%1»: %2").arg(choice.fileName, error),
            UserDialogs::Icon::Error);
    else if (result == TSiteReportResult::Written)
        SetExportFolder(QFileInfo(choice.fileName).absolutePath());
}
