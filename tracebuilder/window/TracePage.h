#pragma once
// A trace tab of the main window: save and print buttons, the horizontal scroll bar, the depth
// track bar with its scale, the picture, and the edits of the parameters that shape the trace.

#include <QLineEdit>
#include <QPushButton>

#include "tTraceSet.h"

class TracePage {
public:
    // The given names of the page's controls; no gain edit when `gain` is empty.
    struct Names {
        const char *sheet, *save, *print, *scroll, *track, *image, *base, *velocity, *gain;
    };

    TracePage(QTabWidget& tabs, const QString& caption, int scrollMin, int scrollMax, int scrollPage,
              const Names& names);

    tTraceTab tab;
    QPushButton* save;
    QPushButton* print;
    QLineEdit* base;
    QLineEdit* velocity;
    QLineEdit* gain = nullptr;
};

// A short edit for a number, named and with its initial text.
QLineEdit* numberEdit(const char* name, const QString& text, QWidget* parent);
