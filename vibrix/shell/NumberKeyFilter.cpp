#include "NumberKeyFilter.h"

#include "ParameterEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

TNumberKeyFilter::TNumberKeyFilter(QLineEdit* edit, std::function<void()> onEnter)
    : QObject(edit), FEdit(edit), FOnEnter(std::move(onEnter)) {
    edit->installEventFilter(this);
}

bool TNumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FEdit || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        FOnEnter();
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false; // cursor keys, Backspace, Delete, shortcuts
    const QChar typed = FilterNumberKey(text.at(0));
    if (typed.isNull())
        return true;
    if (typed != text.at(0)) {
        FEdit->insert(QString(typed));
        return true;
    }
    return false;
}
