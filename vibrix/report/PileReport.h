#pragma once
// The pile report: one page per pile with the processed average against depth and its marks, the
// mobility, the processing it was read with, the defects, the class and a place to sign. Every
// number comes from the pile's analysis.

#include "ReportPage.h"
#include "TVerdictTable.h"

#include <QString>

#include <memory>

class QCustomPlot;
class TPileAnalyser;
struct TPileAnalysis;
struct TPileKey;

// The two charts a pile page draws, kept alive for as long as the page is painted.
class TPileReportCharts {
public:
    TPileReportCharts();
    ~TPileReportCharts();
    TPileReportCharts(const TPileReportCharts&) = delete;
    TPileReportCharts& operator=(const TPileReportCharts&) = delete;

    QCustomPlot& Average() { return *average_; }
    QCustomPlot& Mobility() { return *mobility_; }

private:
    std::unique_ptr<QCustomPlot> average_, mobility_;
};

// Who tested what, at the head of a report: every field but the signer's, who is named at the
// signature; `brief`: only the organisation and the object (each pile's page of a site report).
QString ReportHeaderText(const TReportHeader& header, bool brief = false);

// Fills a page of the "PileReport" layout; `scheme` is the project's class scheme.
void PileReportBuild(TReportPage& page, const TPileAnalysis& r, const QString& scheme,
                     TPileReportCharts& charts, const TReportHeader& header, bool briefHeader = false);
// A fresh "PileReport" page of the pile as the analyser sees it now.
TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts);
