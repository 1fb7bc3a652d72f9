#include "TracePage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "ButtonGlyphs.h"
#include "DepthScale.h"

namespace {

QPushButton* pictureButton(const char* name, const QIcon& glyph, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(glyph);
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(40, 40);
    return button;
}

void addLabelled(QHBoxLayout* row, const QString& label, QWidget* field) {
    row->addSpacing(10);
    row->addWidget(new QLabel(label, field->parentWidget()));
    row->addWidget(field);
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
    save = pictureButton(names.save, sheet->style()->standardIcon(QStyle::SP_DialogSaveButton), sheet);
    print = pictureButton(names.print, printGlyph(), sheet);
    base = numberEdit(names.base, "1", sheet);
    velocity = numberEdit(names.velocity, "2000", sheet);
    if (names.gain)
        gain = numberEdit(names.gain, "0.0", sheet);

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
    grid->setHorizontalSpacing(2);
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(new DepthScale(tab.track, sheet), 1, 0);
    grid->addWidget(tab.track, 1, 1);
    grid->addWidget(tab.picture, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("Глубина"), sheet), 2, 0, 1, 2);
    grid->setColumnStretch(2, 1);
}
