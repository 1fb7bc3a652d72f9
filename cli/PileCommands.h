#pragma once
// The pile commands of vibrix-cli: the piles of a project, one pile's analysis, the verdict
// changed from the command line, and the wave speeds of the sites.

#include "CliArgs.h"

namespace vibrixcli {

int Piles(const cli::Args& a);
int Pile(const cli::Args& a);
int PileSet(const cli::Args& a);
int Site(const cli::Args& a);

} // namespace vibrixcli
