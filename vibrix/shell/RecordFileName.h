#pragma once
// The name proposed for a file made of a record: site, pile and the time of the measurement,
// then what the file holds ("П2_С15_2026-06-15_073900_сигнал.csv").

#include <QString>

struct TMeasureResult;

// `what` ends the name: "сигнал.csv", or "отчёт" for a report saved in more than one format.
QString RecordFileName(const TMeasureResult& record, const QString& what);
