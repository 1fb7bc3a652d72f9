#pragma once
// vibrix-cli auto: the first pass of every pile of a project (or of one site), printed as a
// table or JSON, and with --apply taken into the verdicts of the piles nobody has judged yet.

#include "CliArgs.h"

namespace vibrixcli {

int Auto(const cli::Args& a);

} // namespace vibrixcli
