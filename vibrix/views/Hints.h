#pragma once
// Hints in the form "short|long": the short part is the tool tip, the long part is what the
// status bar shows while the mouse is over the control. Without '|' both are the whole text.

#include <QString>

class QAction;
class QWidget;

struct THint {
    QString Short, Long;
};

THint SplitHint(const QString& hint);

// What the mouse does on a record chart.
inline const QString kChartHint = QStringLiteral(
    "|Колесо: масштаб (Ctrl — по высоте); средняя кнопка или Shift: сдвиг; двойной щелчок: весь график");

// The hint of a control and of every control inside it.
void ApplyHint(QWidget* widget, const QString& hint);
void ApplyHint(QAction* action, const QString& hint);
