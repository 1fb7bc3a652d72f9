#include "PileReportCommands.h"

#include "MainUnit.h"
#include "PilePage.h"
#include "PileReport.h"
#include "ReportHeaderDialog.h"
#include "ReportPreview.h"
#include "SiteReportRun.h"
#include "SiteSpeedPanel.h"
#include "TPileAnalyser.h"
#include "UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTabWidget>

TPileKey TPileReportCommands::CurrentPileKey() const {
    if (w_.PageControl && w_.PageControl->currentWidget() == w_.PilePage)
        if (const std::optional<TPileKey> shown = w_.PilePage->CurrentPile())
            return *shown;
    const TMeasureResult& r = w_.CurrentMeasure();
    return {r.SiteNumber, r.PileNumber};
}

void TPileReportCommands::PileReportActionExecute() {
    w_.PostChanges();
    TPileReportCharts charts;
    const TPileKey key = CurrentPileKey();
    // The page's first pass when it is up to date: a large site is not read again on this thread.
    const TFirstPassResult* known =
        w_.PilePage && !w_.PilePage->FirstPassRunning() ? w_.PilePage->Proposal(key) : nullptr;
    const TReportPage page =
        known ? PileReportPage(analyser_, key, charts, *known) : PileReportPage(analyser_, key, charts);
    ShowReportPreview(w_.Dialogs(), &w_, page,
                      {QStringLiteral("Отчёт по свае"),
                       QStringLiteral("участок %1, свая %2 - отчёт").arg(key.site).arg(key.pile),
                       w_.ExportFolder(),
                       [&window = w_](const QString& folder) { window.SetExportFolder(folder); }});
}

void TPileReportCommands::SiteReportActionExecute() {
    writeSiteReport({});
}

void TPileReportCommands::ChosenPilesReportActionExecute() {
    const std::vector<TPileKey> chosen =
        w_.PageControl->currentWidget() == w_.PilePage ? w_.PilePage->ChosenPiles() : std::vector<TPileKey>();
    if (chosen.empty()) {
        w_.PageControl->setCurrentWidget(w_.PilePage);
        w_.Dialogs().message(
            &w_, QGuiApplication::applicationDisplayName(),
            QStringLiteral("Выделите сваи для отчёта в списке страницы «Сваи» (Ctrl или Shift "
                           "и щелчок мышью) и выберите команду снова."),
            UserDialogs::Icon::Information);
        return;
    }
    writeSiteReport(chosen);
}

void TPileReportCommands::writeSiteReport(const std::vector<TPileKey>& only) {
    w_.PostChanges();
    const QString what = only.empty() ? QStringLiteral("Отчёт по участку") : QStringLiteral("Отчёт по сваям");
    UserDialogs::FileRequest request;
    request.title = only.empty() ? what : QStringLiteral("Отчёт по выделенным сваям");
    request.folder = w_.ExportFolder();
    request.fileName =
        QStringLiteral("%1 - %2.pdf").arg(QFileInfo(w_.ProjectName()).completeBaseName(), what.toLower());
    request.filter = QStringLiteral("Документ PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const UserDialogs::FileChoice choice = w_.Dialogs().saveFile(&w_, request);
    if (!choice.chosen())
        return;
    QString error;
    const TSiteReportResult result = RunSiteReport(analyser_, choice.fileName, &w_, error, only);
    if (result == TSiteReportResult::Failed)
        w_.Dialogs().message(&w_, QGuiApplication::applicationDisplayName(),
                             QStringLiteral("%1 не записан в файл «%2»: %3")
                                 .arg(what, QDir::toNativeSeparators(choice.fileName), error),
                             UserDialogs::Icon::Error);
    else if (result == TSiteReportResult::Written) {
        w_.SetExportFolder(QFileInfo(choice.fileName).absolutePath());
        w_.statusBar()->showMessage(
            QStringLiteral("%1 записан в файл «%2»").arg(what, QDir::toNativeSeparators(choice.fileName)));
    }
}

void TPileReportCommands::SiteSpeedActionExecute() {
    TPilePage& page = *w_.PilePage;
    TSiteSpeedPanel panel(
        analyser_, [&](TPileKey key, const TPileVerdict& v) { w_.Guard([&] { page.StoreVerdict(key, v); }); },
        &w_);
    if (const std::optional<TPileKey> shown = page.CurrentPile())
        panel.Select(*shown);
    w_.Dialogs().exec(panel);
}

void TPileReportCommands::ReportHeaderActionExecute() {
    TReportHeaderDialog dialog(analyser_.Verdicts().Header(), &w_);
    if (w_.Dialogs().exec(dialog) == QDialog::Accepted)
        analyser_.Verdicts().SetHeader(dialog.Header()); // an unchanged header changes nothing
}
