#include "AlignedFields.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kFieldGap = 14; // px between the widest field of a column and the next column

} // namespace

AlignedFields::AlignedFields(QListWidget* list, QString gap)
    : QStyledItemDelegate(list), list_(list), gap_(std::move(gap)) {
    QAbstractItemModel* model = list->model();
    const auto forget = [this] { starts_.clear(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(model, &QAbstractItemModel::modelReset, this, forget);
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    starts_.clear();
            });
}

QStringList AlignedFields::Fields(const QModelIndex& index) const {
    QStringList fields = index.data(Qt::DisplayRole).toString().split(gap_, Qt::SkipEmptyParts);
    for (QString& f : fields)
        f = f.trimmed();
    return fields;
}

// The column of field f of a line of n fields: a line shorter than the longest ends in the last
// column (a file of unknown format has no site and pile, but its type stands with the others').
int AlignedFields::ColumnOf(int f, int n) const {
    return f == n - 1 ? columns_ - 1 : f;
}

const std::vector<int>& AlignedFields::FieldStarts(const QFontMetrics& metrics) const {
    if (!starts_.empty())
        return starts_;
    std::vector<QStringList> lines;
    columns_ = 0;
    for (int row = 0; row < list_->count(); ++row) {
        lines.push_back(Fields(list_->model()->index(row, 0)));
        columns_ = std::max(columns_, int(lines.back().size()));
    }
    std::vector<int> widths(std::size_t(columns_), 0);
    for (const QStringList& fields : lines)
        for (int f = 0; f < fields.size(); ++f) {
            int& width = widths[std::size_t(ColumnOf(f, int(fields.size())))];
            width = std::max(width, metrics.horizontalAdvance(fields[f]));
        }
    starts_.assign(1, 0);
    for (std::size_t f = 0; f + 1 < widths.size(); ++f)
        starts_.push_back(starts_.back() + widths[f] + kFieldGap);
    width_ = widths.empty() ? 0 : starts_.back() + widths.back();
    return starts_;
}

void AlignedFields::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStringList fields = Fields(index);
    item.text.clear(); // the check mark, the selection and the focus, without the text
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const std::vector<int>& starts = FieldStarts(item.fontMetrics);
    painter->save();
    painter->setFont(item.font);
    // The colours of the state the style drew the row in: a list without focus in its window or
    // in an inactive window shows its selection in the inactive colours.
    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : item.state & QStyle::State_Active   ? QPalette::Active
                                                                             : QPalette::Inactive;
    painter->setPen(item.palette.color(group, item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                  : QPalette::Text));
    for (int f = 0; f < fields.size() && std::size_t(f) < starts.size(); ++f)
        painter->drawText(text.adjusted(starts[std::size_t(f)] + 2, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, fields[f]);
    painter->restore();
}

QSize AlignedFields::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    FieldStarts(option.fontMetrics);
    const int checkRoom = size.width() - option.fontMetrics.horizontalAdvance(index.data().toString());
    size.setWidth(std::max(0, checkRoom) + width_ + 4);
    return size;
}
