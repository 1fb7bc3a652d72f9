#pragma once
// The main window's pile commands: the report page of the current pile in the preview, the site
// report of the whole project written to a PDF, and the site speed panel. All read the project's
// one pile analyser.

#include "TProjectPiles.h"

class TMainForm;
class TPileAnalyser;

class TPileReportCommands {
public:
    TPileReportCommands(TMainForm& window, TPileAnalyser& analyser) : w_(window), analyser_(analyser) {}

    void PileReportActionExecute();
    void SiteReportActionExecute();
    void SiteSpeedActionExecute();
    void ReportHeaderActionExecute();

    // The pile the pile report is of: the one on the "Сваи" page when it is shown, else the
    // current record's site and pile.
    TPileKey CurrentPileKey() const;

private:
    TMainForm& w_;
    TPileAnalyser& analyser_;
};
