#include "RecordModel.h"

#include "DownloadUnit.h"

namespace {

struct Column {
    const char* field;
    const char* caption;
};
const Column kColumns[] = {{"DateTime", "Дата, время"}, {"SiteNumber", "№ поля"}, {"PileNumber", "№ сваи"}};

} // namespace

TRecordModel::TRecordModel(vxds::DataTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    rows_ = table_.active() ? table_.recordCount() : 0;
    table_.addObserver(this);
}

TRecordModel::~TRecordModel() {
    table_.removeObserver(this);
}

int TRecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TRecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::size(kColumns));
}

QString TRecordModel::DateTimeText(double value) {
    return fromDateTimeValue(value).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

QVariant TRecordModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ ||
        index.column() >= columnCount())
        return {};
    const int field = table_.fieldIndex(QString::fromLatin1(kColumns[index.column()].field));
    const vxds::Value& v = table_.valueAt(index.row(), field);
    if (vxds::isNull(v))
        return {};
    if (index.column() == 0)
        return DateTimeText(vxds::asDouble(v));
    return vxds::asInt(v);
}

QVariant TRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(kColumns[section].caption);
}

namespace {

struct NotifyScope {
    explicit NotifyScope(int& n) : n_(n) { ++n_; }
    ~NotifyScope() { --n_; }
    int& n_;
};

} // namespace

// The table has already changed when it tells: the begin/end pairs only carry the news.
void TRecordModel::rowInserted(int pos) {
    const NotifyScope busy(notifying_);
    beginInsertRows({}, pos, pos);
    rows_ = table_.recordCount();
    endInsertRows();
}

void TRecordModel::rowRemoved(int pos) {
    const NotifyScope busy(notifying_);
    beginRemoveRows({}, pos, pos);
    rows_ = table_.recordCount();
    endRemoveRows();
}

void TRecordModel::rowChanged(int pos) {
    emit dataChanged(index(pos, 0), index(pos, columnCount() - 1));
}

void TRecordModel::tableReset() {
    const NotifyScope busy(notifying_);
    beginResetModel();
    rows_ = table_.active() ? table_.recordCount() : 0;
    endResetModel();
}

void TRecordModel::currentChanged(int pos) {
    emit currentRowChanged(pos);
}
