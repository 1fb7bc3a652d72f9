#pragma once
// What a view bound to a table (a Qt item model, a grid) hears about its changes.
// Notifications stop while the table's views are suspended; resuming sends one reset.

namespace vxds {

class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void rowInserted(int pos) = 0;
    virtual void rowRemoved(int pos) = 0;
    virtual void rowChanged(int pos) = 0;
    virtual void tableReset() = 0;
    virtual void currentChanged(int pos) = 0; // -1: no current row
};

} // namespace vxds
