#pragma once
// The pile report: one page per pile with the processed average against depth and its marks, the
// mobility, the processing it was read with, the defects, the class and a place to sign. Every
// number comes from the pile's analysis.

#include "ReportPage.h"

#include <QString>

#include <memory>
#include <optional>

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

// Fills a page of the "PileReport" layout; `scheme` is the project's class scheme.
void PileReportBuild(TReportPage& page, const TPileAnalysis& r, const QString& scheme,
                     TPileReportCharts& charts);
// A fresh "PileReport" page of the pile as the analyser sees it now.
TReportPage PileReportPage(TPileAnalyser& analyser, TPileKey key, TPileReportCharts& charts);

// Texts the pile report and the site report share.
namespace pilereport {
QString Length(const std::optional<double>& metres); // "12,00 м" or "—"
QString Speed(const TPileAnalysis& r);               // "3950,0 м/с (по длине)" or "—"
QString Defects(const TPileAnalysis& r);             // "4,50 м сужение; 7,00 м трещина" or ""
QString Date(double dateTime);                       // "15.06.2026"
} // namespace pilereport
