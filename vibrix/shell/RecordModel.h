#pragma once
// The record grid's model: the measurement table's key columns, read from the table itself
// (no row is copied here), following the table's notifications.

#include "DataTable.h"
#include "TableObserver.h"

#include <QAbstractTableModel>

class TRecordModel : public QAbstractTableModel, private vxds::TableObserver {
    Q_OBJECT
public:
    explicit TRecordModel(vxds::DataTable& table, QObject* parent = nullptr);
    ~TRecordModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // True while the views hear of a table change: the selection they adjust then is no move.
    bool Notifying() const { return notifying_ > 0; }

    // The grid's text of a date-time value.
    static QString DateTimeText(double value);

signals:
    // The table's current row moved (-1: none).
    void currentRowChanged(int row);

private:
    void rowInserted(int pos) override;
    void rowRemoved(int pos) override;
    void rowChanged(int pos) override;
    void tableReset() override;
    void currentChanged(int pos) override;

    vxds::DataTable& table_;
    int notifying_ = 0;
    int rows_ = 0; // what the views were told; the table may hold other rows while its views are suspended
};
