#pragma once
// A table shaped like a project's measurement table, filled with a few rows.

#include "DataTable.h"

#include <gtest/gtest.h>

inline std::vector<vxds::FieldDef> measureFields() {
    using vxds::FieldType;
    return {{"DateTime", FieldType::DateTime, 0},
            {"SiteNumber", FieldType::Int32, 0},
            {"PileNumber", FieldType::Int32, 0},
            {"Data", FieldType::Blob, 0},
            {"Comment", FieldType::Memo, 0}};
}

inline vxds::Row measureRow(double time, int site, int pile, const char* comment = "") {
    return {time, std::int32_t(site), std::int32_t(pile), QByteArray(16, char(pile)),
            QString::fromUtf8(comment)};
}

// Cell values of one field over all rows, in the table's order; leaves the cursor on the last row.
inline std::vector<int> column(vxds::DataTable& t, const QString& field) {
    std::vector<int> out;
    t.first();
    for (int i = 0; i < t.recordCount(); ++i, t.next())
        out.push_back(vxds::asInt(t.value(field)));
    return out;
}
