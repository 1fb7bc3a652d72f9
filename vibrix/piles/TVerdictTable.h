#pragma once
// The verdicts of a project's piles in the data module's verdict table: one row per pile, and
// the row of site and pile -1 for the project's own choices (the class scheme, the reports' header).

#include "TPileVerdict.h"

#include "DataTable.h"

#include <QJsonObject>
#include <QStringList>

#include <optional>
#include <vector>

// Who tested what, printed at the head of the reports. Empty fields are not printed.
struct TReportHeader {
    QString organisation, object, customer, instrument, operatorName, method, signer;
    bool operator==(const TReportHeader&) const = default;
    bool Empty() const { return *this == TReportHeader{}; }
};

// A field of the header: its name in the project and on the command line, and in the user's words.
struct TReportHeaderField {
    const char* key;
    QString TReportHeader::*field;
    QString name;
};
// In the order the dialog and the reports give them.
const std::vector<TReportHeaderField>& ReportHeaderFields();

class TVerdictTable {
public:
    explicit TVerdictTable(vxds::DataTable& table) : table_(table) {}

    // The verdict of a pile, or none when the engineer has not judged it yet.
    std::optional<TPileVerdict> Find(int site, int pile) const;
    // When the pile's verdict was last changed (a date-time), or none.
    std::optional<double> Changed(int site, int pile) const;
    // Writes the verdict of a pile, stamped with the local time now (a change of the project).
    // Writing what is there already changes nothing.
    void Store(int site, int pile, const TPileVerdict& verdict);

    // The piles that have a verdict, ordered by site and pile.
    std::vector<std::pair<int, int>> Piles() const;
    // The remarks the piles have, each once: the most frequent first, then in alphabetical order.
    QStringList Remarks() const;

    QString Scheme() const; // "I-IV" until the engineer chooses
    void SetScheme(const QString& scheme);
    TReportHeader Header() const;
    void SetHeader(const TReportHeader& header);

private:
    QJsonObject ProjectRow() const;
    void WriteProjectRow(const QJsonObject& o);
    bool Seek(int site, int pile) const;
    void Write(int site, int pile, const QString& json);

    vxds::DataTable& table_;
};
