#pragma once
// The rows of a table in their current order: by a unique composite key when one is set,
// otherwise in the order they were added. Position lookups, key searches, inserts and
// erases all take logarithmic time.

#include "Value.h"

#include <memory>
#include <vector>

namespace vxds {

class RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(RowStore&&) noexcept;
    RowStore& operator=(RowStore&&) noexcept;

    int size() const;
    const Row& at(int pos) const;

    // Adds a row and returns its position, or -1 (nothing added) when its key exists.
    int insert(Row row);
    // Replaces the row at `pos`; returns its new position, or -1 (row kept) on a key clash.
    int replace(int pos, Row row);
    void erase(int pos);
    void clear();

    // Orders the rows by these fields (empty: keep the present order, add at the end).
    // Returns false and changes nothing when two rows share a key.
    bool setKeyFields(std::vector<int> fields);
    const std::vector<int>& keyFields() const;

    // Position of the row with exactly this key (values in key-field order), or -1.
    int find(const Row& key) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace vxds
