#pragma once
// The blows of the pile shown on the "Сваи" page: a check box per blow (used or left out), its time,
// its correlation with the others and why it is out, the whole reason in the row's tooltip.

#include "TPileAnalysis.h"

#include <QTableWidget>

class TBlowTable : public QTableWidget {
    Q_OBJECT
public:
    explicit TBlowTable(QWidget* parent = nullptr);

    void Show(const TPileAnalysis& a);

signals:
    // The engineer ticked or cleared the box of a blow: the row of the blow in the analysis shown.
    void toggled(int row, bool used);

private:
    bool filling_ = false; // the rows are being written, not edited
};
