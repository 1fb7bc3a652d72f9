#pragma once
// vibrix-cli auto: the first pass of every pile of a project (or of one site), printed as a
// table or JSON, and with --apply taken into the verdicts of the piles nobody has judged yet;
// a pile's impedance profile for vibrix-cli pile --profile.

#include "CliArgs.h"
#include "TProjectPiles.h"

namespace vibrixcli {

class ProjectAccess;

int Auto(const cli::Args& a);
// The first pass's impedance profile of a pile (its site read with it) into a CSV as the signal
// export writes it: depth; Z/Z0; the equivalent diameter (empty without a diameter).
int WriteFirstPassProfile(ProjectAccess& project, TPileKey key, const QString& file);

} // namespace vibrixcli
