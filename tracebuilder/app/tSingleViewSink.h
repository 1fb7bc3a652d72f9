#pragma once
// What the catalogue needs of the single-measurement view: somewhere to show a channel.

#include "tTrc__Data.h"

class tSingleViewSink {
public:
    virtual ~tSingleViewSink() = default;
    // Shows a copy of `channel`, whose points are loaded; the catalogue keeps its own.
    virtual void Show(const tTrc__Data* channel) = 0;
    // The check list now offers `offered`: a channel on show that is not among them goes.
    virtual void Withdraw(const tTrc__DataList& offered) { (void)offered; }
    // The channel asked for cannot be read: nothing is shown, and `reason` says why.
    virtual void Unreadable(const QString& reason) = 0;
};
