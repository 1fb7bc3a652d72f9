#pragma once
// The pile commands of vibrix-cli: the piles of a project, one pile's analysis, the verdict
// changed from the command line, the wave speeds of the sites and the site report.

#include "CliArgs.h"

namespace vibrixcli {

int Piles(const cli::Args& a);
int Pile(const cli::Args& a);
int PileSet(const cli::Args& a);
int Site(const cli::Args& a);
int SiteReport(const cli::Args& a);
// The reports' header of a project: printed, or its fields set ("-" clears one) and saved.
int ReportInfo(const cli::Args& a);

} // namespace vibrixcli
