#pragma once
// The site report written into a file while a progress dialog shows how far it is and can cancel
// it: the piles' rows copied out of the tables first, the piles analysed on a worker thread, the
// table rows and pages painted on the GUI thread a step at a time between events (the charts are
// widgets). The dialog's own event loop runs meanwhile.

#include "SiteReport.h"

#include <QString>

class QWidget;

// Writes the report of every site (with `only`, of just those piles) into `fileName`, replaced only
// when the whole report is written. `error` says why on failure.
TSiteReportResult RunSiteReport(TPileAnalyser& analyser, const QString& fileName, QWidget* parent,
                                QString& error, const std::vector<TPileKey>& only = {});
