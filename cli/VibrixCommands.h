#pragma once
// The commands of vibrix-cli. Each returns the exit status and prints its own messages.

#include "CliArgs.h"

namespace vibrixcli {

extern const char* const kUsage;

int Import(const cli::Args& a);
int List(const cli::Args& a);
int ExportSignal(const cli::Args& a);
int ExportSpectrum(const cli::Args& a);
int Spectrogram(const cli::Args& a);
int Report(const cli::Args& a);

// Writes an exported text into `file` as the export commands do; the exit status.
int WriteExport(const QString& file, const QByteArray& text);

} // namespace vibrixcli
