#pragma once
// The pile table of the site report: its columns, a row's height for its wrapped texts, the rows
// that fit each page, and the table drawn into a page's "PileTable" place.

#include "ReportPage.h"

#include <QFontMetricsF>
#include <QStringList>

#include <span>
#include <vector>

struct TSiteTableRow {
    QStringList cells;
    double height = 0;
    std::vector<double> widths; // of the columns, for the font measured
};

// The captions, as a row measured with `metrics`.
TSiteTableRow SiteTableHeader(const QFontMetricsF& metrics);
// A row of these cells (one per column) measured with `metrics`.
TSiteTableRow SiteTableRow(const QFontMetricsF& metrics, QStringList cells);
// The page's font measured in layout units, as the painter sets it.
QFont SiteTableFont(const TReportPage& page);
// How many rows fit each page: the first page's table, then the continuation's.
std::vector<std::size_t> PaginateSiteTable(const std::vector<TSiteTableRow>& rows, double header,
                                           double first, double next);
// Draws the header and `rows` into the page's table place, ruled.
void AddSiteTable(TReportPage& page, const TSiteTableRow& header, std::span<const TSiteTableRow> rows);
