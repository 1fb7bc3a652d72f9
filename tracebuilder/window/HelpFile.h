#pragma once
// The help document of the trace builder, a PDF: beside the program (an installed program lives
// in one folder with its help files), else in the documentation folder of an installation under
// a prefix (program in <prefix>/bin).

#include <QString>
#include <QStringList>

extern const QString kHelpFileName;

// The places looked at, in order.
QStringList helpFileCandidates(const QString& programFolder);
// The first candidate that is a file; empty when there is none.
QString findHelpFile(const QString& programFolder);
