#pragma once
// Change marker: a node of the tree through which parameter and control changes reach the
// trace objects. A child reports one unit to its parent while its own flag is set and one
// while anything below it is pending; the root needs an update while any unit is reported.

#include <cstdint>
#include <vector>

class tSYN {
public:
    tSYN() = default;
    ~tSYN();
    tSYN(const tSYN&) = delete;
    tSYN& operator=(const tSYN&) = delete;

    // Hangs `child` below this node; a child already hanging elsewhere is moved here.
    void Attach(tSYN* child);

    void SetChanged();
    void ResetChanged();
    void ChildChanged();
    void ChildCleared();

    // Something at or below this node, or an ancestor, changed.
    bool NeedsUpdate() const;
    // This node or an ancestor changed.
    bool IsChanged() const;

    tSYN* parent() const { return parent_; }
    const std::vector<tSYN*>& children() const { return children_; }
    bool changed() const { return changed_; }
    std::uint16_t pending() const { return pending_; }

private:
    // Units this node reports to its parent (0, 1 or 2).
    int reportedUnits() const { return int(changed_) + int(pending_ != 0); }
    void Detach();

    tSYN* parent_ = nullptr;
    std::vector<tSYN*> children_;
    bool changed_ = false;
    std::uint16_t pending_ = 0;
};
