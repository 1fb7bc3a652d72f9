#include "Hints.h"

#include <QAction>
#include <QWidget>

THint SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

void ApplyHint(QWidget* widget, const QString& hint) {
    const THint h = SplitHint(hint);
    widget->setToolTip(h.Short);
    widget->setStatusTip(h.Long);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        child->setToolTip(h.Short);
        child->setStatusTip(h.Long);
    }
}

void ApplyHint(QAction* action, const QString& hint) {
    const THint h = SplitHint(hint);
    if (!h.Short.isEmpty()) // otherwise Qt's own: the caption
        action->setToolTip(h.Short);
    action->setStatusTip(h.Long);
}
