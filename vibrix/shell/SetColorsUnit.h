#pragma once
// The colour dialog: one row per item, its caption and its colour, chosen from the 16
// standard colours in a drop-down over the colour cell.

#include "DisplayFlags.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QTableWidget;

class TSetColorsForm : public QDialog {
public:
    explicit TSetColorsForm(QWidget* parent = nullptr);

    void SetCount(int count);
    int GetCount() const;
    // Indexes outside 0 .. count-1 are ignored; GetColor gives black for them.
    void SetName(int index, const QString& text);
    void SetColor(int index, TColor colour);
    TColor GetColor(int index) const;

    // The drop-down's colours, in its order.
    static const std::array<TColor, 16>& StandardColors();

    // Paints one cell of the grid: the caption on white, or the colour inside a one-pixel gap.
    void ColorsDrawGridDrawCell(QPainter& painter, int column, int row, const QRect& rect) const;

private:
    bool Inside(int index) const { return index >= 0 && index < GetCount(); }
    void ColorsDrawGridSelectCell(int column, int row);
    void ColorComboBoxClick(int item);

    std::vector<QString> Names;
    std::vector<TColor> Colors;
    QTableWidget* ColorsDrawGrid = nullptr;
    QComboBox* ColorComboBox = nullptr;
};
