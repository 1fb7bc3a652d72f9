#pragma once
// The commands of tracebuilder-cli. Each returns the exit status and prints its own messages.

#include "CliArgs.h"

namespace tracebuildercli {

extern const char* const kUsage;

int List(const cli::Args& a);
int Extract(const cli::Args& a);
int Traces(const cli::Args& a);

} // namespace tracebuildercli
