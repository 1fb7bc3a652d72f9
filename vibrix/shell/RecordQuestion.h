#pragma once
// The question asked before the current record is deleted.

#include "DataTable.h"

#include <QString>

// "Удалить запись?" and, on a second line, the record it is about: site, pile, date and time.
QString DeleteRecordQuestion(const vxds::DataTable& table);
