#pragma once
// The record grid: read-only, whole rows, one current row that follows the table's and moves
// it when the user picks another (arrows, Page Up/Down, Home, End, a click).

#include "Guarded.h"
#include "RecordModel.h"

#include <QTableView>

class TRecordGrid : public QTableView {
    Q_OBJECT
public:
    // Moves of the table's current row run through `run`.
    TRecordGrid(vxds::DataTable& table, THandlerRunner run, QWidget* parent = nullptr);

    TRecordModel* Model() const { return model_; }

protected:
    // Home and End go to the first and last record, not to the row's ends.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void showTableRow(int row);
    void userMoved(const QModelIndex& current);

    vxds::DataTable& table_;
    TRecordModel* model_;
    THandlerRunner run_;
    bool following_ = false; // the grid follows the table: no move back
};
