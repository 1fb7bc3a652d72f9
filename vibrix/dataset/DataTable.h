#pragma once
// An in-memory table with typed fields, a current row, the browse/edit/insert states, an
// optional unique ascending index that orders the rows, row events and views to notify.

#include "RowStore.h"
#include "TableObserver.h"
#include "Value.h"

#include <QIODevice>

#include <functional>
#include <vector>

namespace vxds {

class DataTable {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Event = std::function<void(DataTable&)>;

    explicit DataTable(std::vector<FieldDef> fields = {});

    const std::vector<FieldDef>& fields() const { return fields_; }
    // New field definitions for a closed table (its rows are released).
    void setFields(std::vector<FieldDef> fields);
    int fieldIndex(const QString& name) const; // -1 when absent

    // Activates the table empty, with its field definitions.
    void createDataSet();
    // Activates the data loaded by loadPacket (or kept since createDataSet).
    void open();
    // Deactivates the table and releases its rows; an edit in progress is lost.
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    int recordCount() const { return rows_.size(); }
    int recNo() const { return cur_ + 1; } // 0 when the table is empty
    bool isEmpty() const { return rows_.size() == 0; }
    void first();
    void last();
    bool next();
    bool prior();
    int moveBy(int distance); // returns the distance actually moved

    // Cell of the current row (of the edit buffer while editing or inserting).
    const Value& value(int field) const;
    const Value& value(const QString& name) const;
    void setValue(int field, Value v);
    void setValue(const QString& name, Value v);
    // Cell of the stored row at `pos` (0-based, in the current order), for views that list
    // every row; an edit in progress is not seen here. Null for a position out of range.
    const Value& valueAt(int pos, int field) const;

    void edit();
    void insert(); // the new row takes its place by the index when posted
    void post();
    void cancel();
    void postIfEditing();
    // insert + values in field order + post; the table is unchanged when it fails.
    void appendRecord(const Row& values);
    void deleteRecord();
    void emptyTable(); // no events: the caller decides what it means

    // A unique ascending index over fields named "A;B;C" becomes the row order; throws
    // DataSetError (index not set) when two rows share a key.
    void setIndex(const QString& fieldNames);
    void dropIndex(); // keep the present order
    bool hasIndex() const { return !rows_.keyFields().empty(); }
    // Exact search on the index; a hit becomes the current row.
    bool findKey(const Row& keyValues);

    // Binary packet: the field definitions and the rows. The table may be inactive.
    qint64 packetSize() const;
    bool savePacket(QIODevice& out, QString* error = nullptr) const;
    // Reads exactly `length` bytes; on any fault, or a row `accept` refuses, the table stays exactly
    // as it was. Rows are checked as they are read, so a refused packet never takes more memory.
    bool loadPacket(QIODevice& in, qint64 length, QString* error = nullptr, const RowCheck& accept = {});
    QByteArray packet() const;
    bool loadPacket(const QByteArray& bytes, QString* error = nullptr);

    Event beforeInsert, beforeEdit, beforePost, beforeDelete, afterScroll;

    void addObserver(TableObserver* o);
    void removeObserver(TableObserver* o);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

private:
    void requireActive() const;
    void requireRow() const;
    void moveTo(int pos, bool forceScroll);
    void fire(const Event& e);
    template <typename F> void notify(F f);

    std::vector<FieldDef> fields_;
    RowStore rows_;
    State state_ = State::Inactive;
    int cur_ = -1;
    int editPos_ = -1;
    Row buffer_;
    std::vector<TableObserver*> observers_;
    int disabled_ = 0;
    bool missed_ = false;
};

} // namespace vxds
