#include "TracePage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "ButtonGlyphs.h"
#include "ColumnReadout.h"
#include "DepthScale.h"
#include "TracePicture.h"

namespace {

QPushButton* pictureButton(const char* name, const QIcon& glyph, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(glyph);
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(40, 40);
    button->setToolTip(hint);
    return button;
}

void addLabelled(QHBoxLayout* row, const QString& label, QWidget* field) {
    row->addSpacing(16);
    auto* text = new QLabel(label, field->parentWidget());
    text->setMinimumWidth(text->sizeHint().width());
    row->addWidget(text);
    row->addSpacing(4);
    row->addWidget(field);
}

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumHeight(label->fontMetrics().height() + 2);
    return label;
}

} // namespace

QLineEdit* numberEdit(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setFixedWidth(70);
    return edit;
}

TracePage::TracePage(QTabWidget& tabs, const QString& caption, int scrollMin, int scrollMax, int scrollPage,
                     const Names& names)
    : tab(tabs, caption, scrollMin, scrollMax, scrollPage) {
    QWidget* sheet = tab.sheet;
    sheet->setObjectName(names.sheet);
    tab.picture->setObjectName(names.image);
    tab.scroll->setObjectName(names.scroll);
    tab.track->setObjectName(names.track);
    tab.track->setTickPosition(QSlider::TicksRight);
    save =
        pictureButton(names.save, sheet->style()->standardIcon(QStyle::SP_DialogSaveButton),
                      QStringLiteral("Сохранить трассу в файл: рисунок BMP, PNG, JPEG или листы PDF"), sheet);
    print = pictureButton(names.print, printGlyph(), QStringLiteral("Напечатать трассу"), sheet);
    base = numberEdit(names.base, "1", sheet);
    velocity = numberEdit(names.velocity, "2000", sheet);
    if (names.gain)
        gain = numberEdit(names.gain, "0.0", sheet);
    source = namedLabel(names.source, sheet);
    readout = namedLabel(names.readout, sheet);
    readout->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); // a status line of its own
    readout->setIndent(4);
    depth = new DepthScale(tab.track, sheet);

    auto* top = new QHBoxLayout;
    top->addWidget(save);
    top->addWidget(print);
    auto* scrolling = new QVBoxLayout;
    scrolling->setSpacing(1);
    scrolling->addWidget(new QLabel(QStringLiteral("Прокрутка по горизонтали"), sheet));
    scrolling->addWidget(tab.scroll);
    top->addSpacing(10);
    top->addLayout(scrolling, 1);
    addLabelled(top, QStringLiteral("База"), base);
    addLabelled(top, QStringLiteral("Скорость"), velocity);
    if (gain)
        addLabelled(top, QStringLiteral("Усиление"), gain);

    auto* grid = new QGridLayout(sheet);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(source, 1, 1);
    grid->addWidget(depth, 2, 0);
    grid->addWidget(tab.picture, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Глубина"), sheet), 3, 0);
    grid->addWidget(readout, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void TracePage::Follow(tTrcColumnsCnf& layout) {
    TracePicture* picture = tab.picture;
    // Both end with the layout, which goes before the window's controls.
    QObject::connect(picture, &TracePicture::pointerMoved, &layout,
                     [this, &layout](QPoint at) { readout->setText(ColumnReadout(layout, at)); });
    picture->tooltipAt = [&layout](QPoint at) { return ColumnTooltip(layout, at); };
    QObject::connect(&layout, &QObject::destroyed, picture, [picture] { picture->tooltipAt = nullptr; });
    // The scale and the picture share a row and its top.
    layout.layoutChanged = [this, &layout] { depth->Place(0, layout.ColumnsTop(), layout.plotHeight / 50); };
    layout.layoutChanged();
}
