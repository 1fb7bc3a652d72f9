#pragma once
// What an empty main window tells the user to do: without a project, create or open one; in a
// project without records, add measurement files. The hint stands above the pages and takes the
// whole window while they are hidden.

#include <QLabel>

class TEmptyWindowHint : public QLabel {
public:
    // `pages` and the hint above them in one widget, which the window takes as its centre.
    static QWidget* Around(QWidget* pages, TEmptyWindowHint*& hint);

    void Show(bool projectOpen, bool hasRecords);

private:
    explicit TEmptyWindowHint(QWidget* parent);
};
