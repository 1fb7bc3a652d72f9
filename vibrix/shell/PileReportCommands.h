#pragma once
// The main window's pile commands: the report page of the current pile in the preview, the site
// report of the whole project (or of the piles chosen) written to a PDF, and the site speed panel. All read
// the project's one pile analyser.

#include "TProjectPiles.h"

class TMainForm;
class TPileAnalyser;

class TPileReportCommands {
public:
    TPileReportCommands(TMainForm& window, TPileAnalyser& analyser) : w_(window), analyser_(analyser) {}

    void PileReportActionExecute();
    void SiteReportActionExecute();
    // The site report of the piles chosen in the page's list (the page shown to choose them when
    // none are).
    void ChosenPilesReportActionExecute();
    void SiteSpeedActionExecute();
    void ReportHeaderActionExecute();

    // The pile the pile report is of: the one on the "Сваи" page when it is shown, else the
    // current record's site and pile.
    TPileKey CurrentPileKey() const;

private:
    void writeSiteReport(const std::vector<TPileKey>& only);

    TMainForm& w_;
    TPileAnalyser& analyser_;
};
