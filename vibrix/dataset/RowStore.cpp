#include "RowStore.h"

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

namespace vxds {

namespace {

// Key values first; the sequence number orders rows of an unkeyed table and makes each
// entry distinct.
struct SortKey {
    Row key;
    std::uint64_t seq = 0;
};

struct SortKeyLess {
    bool operator()(const SortKey& a, const SortKey& b) const {
        if (const int c = compareRows(a.key, b.key))
            return c < 0;
        return a.seq < b.seq;
    }
};

using Tree = __gnu_pbds::tree<SortKey, Row, SortKeyLess, __gnu_pbds::rb_tree_tag,
                              __gnu_pbds::tree_order_statistics_node_update>;

} // namespace

struct RowStore::Impl {
    Tree tree;
    std::vector<int> keyFields;
    std::uint64_t nextSeq = 0;

    SortKey keyOf(const Row& row) {
        SortKey k;
        k.key.reserve(keyFields.size());
        for (int f : keyFields)
            k.key.push_back(row[f]);
        k.seq = nextSeq++;
        return k;
    }

    bool keyExists(const Row& key) const {
        if (keyFields.empty())
            return false;
        const auto it = tree.lower_bound(SortKey{key, 0});
        return it != tree.end() && compareRows(it->first.key, key) == 0;
    }

    Tree::iterator at(int pos) { return tree.find_by_order(std::size_t(pos)); }
};

RowStore::RowStore() : d(std::make_unique<Impl>()) {}
RowStore::~RowStore() = default;
RowStore::RowStore(RowStore&&) noexcept = default;
RowStore& RowStore::operator=(RowStore&&) noexcept = default;

int RowStore::size() const {
    return int(d->tree.size());
}

const Row& RowStore::at(int pos) const {
    return d->at(pos)->second;
}

int RowStore::insert(Row row) {
    SortKey k = d->keyOf(row);
    if (d->keyExists(k.key))
        return -1;
    const auto it = d->tree.insert({std::move(k), std::move(row)}).first;
    return int(d->tree.order_of_key(it->first));
}

int RowStore::replace(int pos, Row row) {
    const auto old = d->at(pos);
    SortKey k = d->keyOf(row);
    if (compareRows(k.key, old->first.key) == 0) {
        old->second = std::move(row);
        return pos;
    }
    if (d->keyExists(k.key))
        return -1;
    d->tree.erase(old);
    const auto it = d->tree.insert({std::move(k), std::move(row)}).first;
    return int(d->tree.order_of_key(it->first));
}

void RowStore::erase(int pos) {
    d->tree.erase(d->at(pos));
}

void RowStore::clear() {
    d->tree.clear();
}

bool RowStore::setKeyFields(std::vector<int> fields) {
    Impl next;
    next.keyFields = std::move(fields);
    for (auto& entry : d->tree) {
        SortKey k = next.keyOf(entry.second);
        if (next.keyExists(k.key))
            return false;
        next.tree.insert({std::move(k), entry.second});
    }
    d->tree.swap(next.tree);
    d->keyFields = std::move(next.keyFields);
    d->nextSeq = next.nextSeq;
    return true;
}

const std::vector<int>& RowStore::keyFields() const {
    return d->keyFields;
}

int RowStore::find(const Row& key) const {
    if (!d->keyExists(key))
        return -1;
    return int(d->tree.order_of_key(SortKey{key, 0}));
}

} // namespace vxds
