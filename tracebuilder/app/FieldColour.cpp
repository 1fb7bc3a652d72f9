#include "FieldColour.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void setFieldEnabled(QWidget* field, bool enabled) {
    field->setEnabled(enabled);
    QPalette palette = field->palette();
    const QPalette system = QApplication::palette(field);
    const QColor background = enabled ? system.color(QPalette::Active, QPalette::Base)
                                      : system.color(QPalette::Active, QPalette::Button);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, background);
    field->setPalette(palette);
}
