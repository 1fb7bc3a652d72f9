#include "RecordGrid.h"

#include <QHeaderView>

TRecordGrid::TRecordGrid(vxds::DataTable& table, THandlerRunner run, QWidget* parent)
    : QTableView(parent), table_(table), model_(new TRecordModel(table, this)), run_(std::move(run)) {
    setObjectName(QStringLiteral("DBGrid"));
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(56);
    horizontalHeader()->resizeSection(1, 60);
    horizontalHeader()->resizeSection(2, 60);
    horizontalHeader()->setHighlightSections(false);
    connect(model_, &TRecordModel::currentRowChanged, this, &TRecordGrid::showTableRow);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { showTableRow(table_.recNo() - 1); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { userMoved(current); });
    showTableRow(table_.recNo() - 1);
}

void TRecordGrid::showTableRow(int row) {
    following_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
    } else {
        const QModelIndex at = model_->index(row, std::max(currentIndex().column(), 0));
        selectionModel()->setCurrentIndex(at,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(at);
    }
    following_ = false;
}

void TRecordGrid::userMoved(const QModelIndex& current) {
    if (following_ || model_->Notifying() || !current.isValid())
        return;
    const int row = current.row();
    run_([this, row] {
        if (table_.active() && row != table_.recNo() - 1)
            table_.moveBy(row - (table_.recNo() - 1));
    });
    // A move the table refused leaves the grid where the table is.
    if (table_.recNo() - 1 != row)
        showTableRow(table_.recNo() - 1);
}

QModelIndex TRecordGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int column = std::max(currentIndex().column(), 0);
    if (action == MoveHome && model_->rowCount() > 0)
        return model_->index(0, column);
    if (action == MoveEnd && model_->rowCount() > 0)
        return model_->index(model_->rowCount() - 1, column);
    return QTableView::moveCursor(action, modifiers);
}
