#include "RadioGroup.h"

#include <QHBoxLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    for (const QString& text : items) {
        auto* button = new QRadioButton(text, this);
        items_.addButton(button, int(items_.buttons().size()));
        row->addWidget(button);
    }
    row->addStretch();
    if (!items_.buttons().isEmpty())
        items_.buttons().first()->setChecked(true);
}

int RadioGroup::ItemIndex() const {
    return items_.checkedId();
}
