#pragma once
// The site report: summary pages (the dates, the piles per class with a bar chart, the wave speed
// of each site with its spread, the processing defaults and a table of every pile, continued over
// as many pages as it needs), then the report page of every pile in pile order, in one PDF.

#include <QString>

#include <functional>
#include <optional>

class QIODevice;
class TPileAnalyser;

// Told the pages done and the pages in all; false stops the report.
using TReportProgress = std::function<bool(int done, int total)>;

enum class TSiteReportResult { Written, Cancelled, Failed };

// Writes the report of one site, or of every site, into `device`. Cancelled leaves the device with
// a part of a document. Throws TReportError when the project has no such site or no piles.
TSiteReportResult WriteSiteReport(QIODevice& device, TPileAnalyser& analyser, std::optional<int> site,
                                  const TReportProgress& progress = {});

// The same into a file, which is replaced only when the whole report is written: on failure and on
// cancelling it is left as it was. `error` says why on failure (without the file's name).
TSiteReportResult SaveSiteReport(const QString& fileName, TPileAnalyser& analyser, std::optional<int> site,
                                 const TReportProgress& progress, QString& error);
