#pragma once
// Draws the lines of a list as fields in aligned columns: each line's text is split at a gap,
// and every field starts where the widest field before it in any line ends, whatever the widths
// of the numbers in it; the last field of a shorter line stands in the last column. The lines'
// texts stay as they are.

#include <QStyledItemDelegate>

#include <vector>

class QListWidget;

class AlignedFields : public QStyledItemDelegate {
public:
    // Lays out the lines of `list`, whose fields are parted by `gap`.
    AlignedFields(QListWidget* list, QString gap);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where each field starts, from the text's left edge, for the list's font.
    const std::vector<int>& FieldStarts(const QFontMetrics& metrics) const;

private:
    QStringList Fields(const QModelIndex& index) const;
    int ColumnOf(int field, int fields) const;

    QListWidget* const list_;
    const QString gap_;
    mutable std::vector<int> starts_; // empty until asked for after a change of the lines
    mutable int width_ = 0;           // of the widest line
    mutable int columns_ = 0;         // fields of the longest line
};
