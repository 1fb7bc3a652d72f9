#include "DataTable.h"

#include <QStringList>

#include <algorithm>

namespace vxds {

namespace {

const Value kNull;

} // namespace

DataTable::DataTable(std::vector<FieldDef> fields) : fields_(std::move(fields)) {}

int DataTable::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void DataTable::setFields(std::vector<FieldDef> fields) {
    if (active())
        throw DataSetError("Cannot change the fields of an open dataset");
    close();
    fields_ = std::move(fields);
}

void DataTable::createDataSet() {
    close();
    state_ = State::Browse;
    notify([](TableObserver* o) { o->tableReset(); });
    moveTo(-1, true);
}

void DataTable::open() {
    if (active())
        return;
    state_ = State::Browse;
    notify([](TableObserver* o) { o->tableReset(); });
    moveTo(rows_.size() ? 0 : -1, true);
}

void DataTable::close() {
    rows_.clear();
    rows_.setKeyFields({});
    buffer_.clear();
    cur_ = editPos_ = -1;
    if (state_ == State::Inactive)
        return;
    state_ = State::Inactive;
    notify([](TableObserver* o) { o->tableReset(); });
}

void DataTable::requireActive() const {
    if (!active())
        throw DataSetError("Cannot perform this operation on a closed dataset");
}

void DataTable::requireRow() const {
    requireActive();
    if (cur_ < 0)
        throw DataSetError("Cannot perform this operation on an empty dataset");
}

void DataTable::fire(const Event& e) {
    if (e)
        e(*this);
}

template <typename F> void DataTable::notify(F f) {
    if (disabled_ > 0) {
        missed_ = true;
        return;
    }
    for (TableObserver* o : observers_)
        f(o);
}

void DataTable::moveTo(int pos, bool forceScroll) {
    const bool moved = pos != cur_;
    cur_ = pos;
    if (moved)
        notify([pos](TableObserver* o) { o->currentChanged(pos); });
    if (moved || forceScroll)
        fire(afterScroll);
}

void DataTable::first() {
    postIfEditing();
    moveTo(rows_.size() ? 0 : -1, true);
}

void DataTable::last() {
    postIfEditing();
    moveTo(rows_.size() - 1, true);
}

bool DataTable::next() {
    return moveBy(1) == 1;
}

bool DataTable::prior() {
    return moveBy(-1) == -1;
}

int DataTable::moveBy(int distance) {
    postIfEditing();
    if (cur_ < 0)
        return 0;
    const long target = std::clamp<long>(long(cur_) + distance, 0, rows_.size() - 1);
    const int moved = int(target - cur_);
    moveTo(int(target), false);
    return moved;
}

const Value& DataTable::value(int field) const {
    if (field < 0 || std::size_t(field) >= fields_.size())
        throw DataSetError("Field index out of range");
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_[field];
    // A view told of a removed row asks before the cursor has settled again.
    if (cur_ < 0 || cur_ >= rows_.size())
        return kNull;
    return rows_.at(cur_)[field];
}

const Value& DataTable::valueAt(int pos, int field) const {
    if (field < 0 || std::size_t(field) >= fields_.size())
        throw DataSetError("Field index out of range");
    if (pos < 0 || pos >= rows_.size())
        return kNull;
    return rows_.at(pos)[field];
}

const Value& DataTable::value(const QString& name) const {
    return value(fieldIndex(name));
}

void DataTable::setValue(int field, Value v) {
    if (state_ != State::Edit && state_ != State::Insert)
        throw DataSetError("Dataset not in edit or insert mode");
    if (field < 0 || std::size_t(field) >= fields_.size())
        throw DataSetError("Field index out of range");
    buffer_[field] = coerce(fields_[field], std::move(v));
}

void DataTable::setValue(const QString& name, Value v) {
    setValue(fieldIndex(name), std::move(v));
}

void DataTable::edit() {
    requireRow();
    if (state_ != State::Browse)
        return;
    fire(beforeEdit);
    buffer_ = rows_.at(cur_);
    editPos_ = cur_;
    state_ = State::Edit;
}

void DataTable::insert() {
    requireActive();
    postIfEditing();
    fire(beforeInsert);
    buffer_.assign(fields_.size(), Value{});
    state_ = State::Insert;
    fire(afterScroll);
}

void DataTable::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    fire(beforePost);
    const bool inserting = state_ == State::Insert;
    const int pos = inserting ? rows_.insert(buffer_) : rows_.replace(editPos_, buffer_);
    if (pos < 0)
        throw DataSetError("Key violation");
    state_ = State::Browse;
    buffer_.clear();
    if (inserting)
        notify([pos](TableObserver* o) { o->rowInserted(pos); });
    else if (pos == editPos_)
        notify([pos](TableObserver* o) { o->rowChanged(pos); });
    else
        notify([](TableObserver* o) { o->tableReset(); });
    // A post settles the cursor on the row without scrolling: views already show it.
    cur_ = pos;
    notify([pos](TableObserver* o) { o->currentChanged(pos); });
}

void DataTable::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    buffer_.clear();
}

void DataTable::postIfEditing() {
    if (state_ == State::Edit || state_ == State::Insert)
        post();
}

void DataTable::appendRecord(const Row& values) {
    insert();
    try {
        for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i)
            setValue(int(i), values[i]);
        post();
    } catch (...) {
        cancel();
        throw;
    }
}

void DataTable::deleteRecord() {
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    requireRow();
    cancel();
    fire(beforeDelete);
    const int pos = cur_;
    rows_.erase(pos);
    notify([pos](TableObserver* o) { o->rowRemoved(pos); });
    cur_ = -2;
    moveTo(std::min(pos, rows_.size() - 1), true);
}

void DataTable::emptyTable() {
    requireActive();
    cancel();
    rows_.clear();
    notify([](TableObserver* o) { o->tableReset(); });
    moveTo(-1, true);
}

void DataTable::setIndex(const QString& fieldNames) {
    postIfEditing();
    std::vector<int> keys;
    for (const QString& name : fieldNames.split(';', Qt::SkipEmptyParts)) {
        const int f = fieldIndex(name.trimmed());
        if (f < 0)
            throw DataSetError("Field '" + name.toStdString() + "' not found");
        keys.push_back(f);
    }
    if (!rows_.setKeyFields(std::move(keys)))
        throw DataSetError("Key violation");
    notify([](TableObserver* o) { o->tableReset(); });
    if (active())
        moveTo(rows_.size() ? 0 : -1, true);
}

void DataTable::dropIndex() {
    postIfEditing();
    rows_.setKeyFields({});
}

bool DataTable::findKey(const Row& keyValues) {
    requireActive();
    postIfEditing();
    const auto& keys = rows_.keyFields();
    if (keys.empty() || keyValues.size() != keys.size())
        throw DataSetError("No index for a key search");
    Row key;
    for (std::size_t i = 0; i < keys.size(); ++i)
        key.push_back(coerce(fields_[keys[i]], keyValues[i]));
    const int pos = rows_.find(key);
    if (pos < 0)
        return false;
    moveTo(pos, true);
    return true;
}

void DataTable::addObserver(TableObserver* o) {
    observers_.push_back(o);
}

void DataTable::removeObserver(TableObserver* o) {
    std::erase(observers_, o);
}

void DataTable::disableControls() {
    ++disabled_;
}

void DataTable::enableControls() {
    if (disabled_ == 0 || --disabled_ > 0 || !missed_)
        return;
    missed_ = false;
    notify([](TableObserver* o) { o->tableReset(); });
    const int pos = cur_;
    notify([pos](TableObserver* o) { o->currentChanged(pos); });
}

} // namespace vxds
