#include "NumberEdit.h"

#include "ParameterEdit.h"

#include <QKeyEvent>

TNumberEdit::TNumberEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit entered();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.front().isPrint()) {
        const QChar c = FilterNumberKey(typed.front());
        if (c.isNull())
            return;
        if (c != typed.front()) {
            insert(QString(c));
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
