#pragma once
// The pile report: one page per pile with the processed average against depth and its marks, the
// mobility, the processing it was read with, the defects, the class and a place to sign. Every
// number comes from the pile's analysis.

#include "ReportPage.h"
#include "TFirstPass.h"
#include "TProjectPiles.h"
#include "TVerdictTable.h"

#include <map>
#include <optional>

#include <QString>

#include <memory>

class QCustomPlot;
class TPileAnalyser;
struct TPileAnalysis;
struct TPileKey;

// The charts a pile page draws, kept alive for as long as the page is painted.
class TPileReportCharts {
public:
    TPileReportCharts();
    ~TPileReportCharts();
    TPileReportCharts(const TPileReportCharts&) = delete;
    TPileReportCharts& operator=(const TPileReportCharts&) = delete;

    QCustomPlot& Average() { return *average_; }
    QCustomPlot& Mobility() { return *mobility_; }
    QCustomPlot& Profile() { return *profile_; }

private:
    std::unique_ptr<QCustomPlot> average_, mobility_, profile_;
};

// Who tested what, at the head of a report: every field but the signer's, who is named at the
// signature; `brief`: only the organisation and the object (each pile's page of a site report).
QString ReportHeaderText(const TReportHeader& header, bool brief = false);

// The first pass of the piles of a site, or of every site, as the page and the command-line tool
// read them (on the tables' thread: it reads the project).
std::map<TPileKey, TFirstPassResult> ReportFirstPass(TPileAnalyser& analyser, std::optional<int> site);

// Fills a page of the "PileReport" layout; `scheme` is the project's class scheme; `firstPass`:
// the pile's first pass, its profile and findings printed (none: the profile's place says so).
void PileReportBuild(TReportPage& page, const TPileAnalysis& r, const QString& scheme,
                     TPileReportCharts& charts, const TReportHeader& header, bool briefHeader = false,
                     const TFirstPassResult* firstPass = nullptr);
// A fresh "PileReport" page of the pile as the analyser sees it now.
TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts);
// The same with the pile's first pass as it is known already (the pile page's), instead of reading
// its site again.
TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts,
                           const TFirstPassResult& firstPass);
