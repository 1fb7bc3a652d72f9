#pragma once
// The main report of what a chart panel shows: the window's report and the batch report of
// the command-line tool fill their pages the same way.

#include "MainReport.h"

class TChartPanel;

// The panel's charts, record, display flags, values in force and cursor readings, with the
// record's comment as given. Without a record shown, the record is left out (the report
// then refuses to build).
TMainReportSource MainReportSource(const TChartPanel& panel, const QString& comment);
