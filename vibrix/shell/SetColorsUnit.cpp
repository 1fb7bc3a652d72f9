#include "SetColorsUnit.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 126;
constexpr int kRowHeight = 20;
constexpr int kMaxNameLength = 255;

// Every cell is painted by the form.
class TCellPainter : public QStyledItemDelegate {
public:
    TCellPainter(const TSetColorsForm& form, QObject* parent) : QStyledItemDelegate(parent), FForm(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        FForm.ColorsDrawGridDrawCell(*painter, index.column(), index.row(), option.rect);
    }

private:
    const TSetColorsForm& FForm;
};

QIcon swatch(TColor colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(ToQColor(colour));
    QPainter(&pixmap).drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

} // namespace

const std::array<TColor, 16>& TSetColorsForm::StandardColors() {
    static const std::array<TColor, 16> colours{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                                0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                                0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return colours;
}

TSetColorsForm::TSetColorsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetColorsForm"));
    setWindowTitle(QStringLiteral("Цвета"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(274, 175);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    ColorsDrawGrid = new QTableWidget(1, 2, frame);
    ColorsDrawGrid->setObjectName(QStringLiteral("ColorsDrawGrid"));
    ColorsDrawGrid->horizontalHeader()->hide();
    ColorsDrawGrid->verticalHeader()->hide();
    ColorsDrawGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    ColorsDrawGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    ColorsDrawGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ColorsDrawGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ColorsDrawGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ColorsDrawGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ColorsDrawGrid->setItemDelegate(new TCellPainter(*this, ColorsDrawGrid));
    ColorsDrawGrid->setFixedWidth(2 * kColumnWidth + 2 * ColorsDrawGrid->frameWidth());
    ColorsDrawGrid->setCurrentCell(0, 1);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(ColorsDrawGrid);

    ColorComboBox = new QComboBox(ColorsDrawGrid->viewport());
    ColorComboBox->setObjectName(QStringLiteral("ColorComboBox"));
    const QSize swatchSize(kColumnWidth - 40, 12);
    ColorComboBox->setIconSize(swatchSize);
    for (TColor c : StandardColors())
        ColorComboBox->addItem(swatch(c, swatchSize), QString(), QVariant::fromValue(c));
    ColorComboBox->hide();

    auto* apply = new QPushButton(QStringLiteral("Применить"), this);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    apply->setObjectName(QStringLiteral("ApplyButton"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    apply->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    // The client area is only a little wider than the grid's two columns.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ColorsDrawGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { ColorsDrawGridSelectCell(column, row); });
    connect(ColorsDrawGrid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { ColorsDrawGridSelectCell(column, row); });
    connect(ColorComboBox, &QComboBox::activated, this, [this](int item) { ColorComboBoxClick(item); });
}

void TSetColorsForm::SetCount(int count) {
    count = std::max(count, 0);
    Names.resize(std::size_t(count));
    Colors.resize(std::size_t(count), 0);
    ColorsDrawGrid->setRowCount(count);
}

int TSetColorsForm::GetCount() const {
    return int(Colors.size());
}

void TSetColorsForm::SetName(int index, const QString& text) {
    if (Inside(index))
        Names[std::size_t(index)] = text.left(kMaxNameLength);
    ColorsDrawGrid->viewport()->update();
}

void TSetColorsForm::SetColor(int index, TColor colour) {
    if (Inside(index))
        Colors[std::size_t(index)] = colour;
    ColorsDrawGrid->viewport()->update();
}

TColor TSetColorsForm::GetColor(int index) const {
    return Inside(index) ? Colors[std::size_t(index)] : 0;
}

void TSetColorsForm::ColorsDrawGridDrawCell(QPainter& painter, int column, int row, const QRect& rect) const {
    if (column == 0) {
        painter.fillRect(rect, Qt::white);
        if (!Inside(row))
            return;
        const QFontMetrics metrics(painter.font());
        const int x = rect.left() + metrics.horizontalAdvance(QLatin1Char('A'));
        const int y = rect.top() + (rect.height() - metrics.height()) / 2;
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x, y + metrics.ascent()), Names[std::size_t(row)]);
    } else if (Inside(row)) {
        painter.fillRect(rect.adjusted(1, 1, -1, -1), ToQColor(Colors[std::size_t(row)]));
    }
}

void TSetColorsForm::ColorsDrawGridSelectCell(int column, int row) {
    if (column != 1 || !Inside(row)) {
        ColorComboBox->hide();
        return;
    }
    // A colour that is none of the 16 shows as no selection.
    ColorComboBox->setCurrentIndex(ColorComboBox->findData(QVariant::fromValue(GetColor(row))));
    ColorComboBox->setGeometry(ColorsDrawGrid->visualRect(ColorsDrawGrid->model()->index(row, column)));
    ColorComboBox->show();
    ColorComboBox->setFocus();
}

void TSetColorsForm::ColorComboBoxClick(int item) {
    const int row = ColorsDrawGrid->currentRow();
    // Only a colour actually chosen, and only for a row of the list.
    if (item >= 0 && Inside(row))
        SetColor(row, ColorComboBox->itemData(item).value<TColor>());
    ColorComboBox->hide();
    ColorsDrawGrid->setFocus();
}
