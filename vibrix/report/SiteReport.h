#pragma once
// The site report: summary pages (the dates, the piles per class with a bar chart, the wave speed
// of each site with its spread, the processing defaults and a table of every pile, continued over
// as many pages as it needs), then the report page of every pile in pile order, in one PDF.

#include "TFirstPass.h"
#include "TPileAnalyser.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;

// Told the steps done and the steps in all; false stops the report.
using TReportProgress = std::function<bool(int done, int total)>;

enum class TSiteReportResult { Written, Cancelled, Failed };

// The report made step by step, so that a window may analyse the piles on another thread and
// paint the pages on its own between events. Each pile is analysed twice, for the table, then for
// its page (the analyser keeps only a few piles' curves).
class TSiteReport {
public:
    // On the thread of the tables: the piles of one site, or of every site, copied out of them;
    // with `only`, just those piles (the sites' speeds are still read from all their piles).
    // Throws TReportError when the project has no such site or no piles.
    TSiteReport(TPileAnalyser& analyser, std::optional<int> site, const std::vector<TPileKey>& only = {});
    ~TSiteReport();

    int PileCount() const { return int(piles_.size()); }
    int Steps() const { return 2 * PileCount(); }
    // On any thread: pile i analysed.
    std::shared_ptr<const TPileAnalysis> Analyse(int pile) const;

    // On the GUI thread, in pile order: each pile's table row, then the summary pages written
    // (after the last row), then each pile's page.
    void AddRow(const TPileAnalysis& a);
    void Begin(QIODevice& device);
    void AddPilePage(const TPileAnalysis& a);

private:
    struct Summary;
    TSiteSpeed SiteSpeedOf(int site) const;
    // The first pass of the sites' piles, read once, by whichever asks first.
    const TFirstPassResult* FirstPassOf(TPileKey key) const;

    TPileAnalyser& analyser_;
    std::vector<int> sites_;
    std::vector<TPileInput> sitePiles_; // every pile of the sites, for their speeds
    std::vector<TPileInput> piles_;     // the piles reported
    bool selection_ = false;
    std::unique_ptr<Summary> summary_;
    int pages_ = 0, written_ = 0;
};

// Writes the report of one site, or of every site, into `device`. Cancelled leaves the device with
// a part of a document. Throws TReportError when the project has no such site or no piles.
TSiteReportResult WriteSiteReport(QIODevice& device, TPileAnalyser& analyser, std::optional<int> site,
                                  const TReportProgress& progress = {},
                                  const std::vector<TPileKey>& only = {});

// Writes a report into a file through `write`: the file is replaced only when the whole report is
// written. `error` says why on failure (without the file's name).
TSiteReportResult SaveReportFile(const QString& fileName,
                                 const std::function<TSiteReportResult(QIODevice&)>& write, QString& error);

// The site report into a file, through SaveReportFile.
TSiteReportResult SaveSiteReport(const QString& fileName, TPileAnalyser& analyser, std::optional<int> site,
                                 const TReportProgress& progress, QString& error,
                                 const std::vector<TPileKey>& only = {});
