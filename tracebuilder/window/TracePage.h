#pragma once
// A trace tab of the main window: save and print buttons, the horizontal scroll bar, the edits of
// the parameters that shape the trace, a line naming what the picture was built from, the depth
// track bar with its scale beside the picture, and under the picture a line reading out the point
// under the pointer.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tTraceSet.h"

class DepthScale;

class TracePage {
public:
    // The given names of the page's controls; no gain edit when `gain` is empty.
    struct Names {
        const char *sheet, *save, *print, *scroll, *track, *image, *base, *velocity, *gain, *source, *readout,
            *title;
    };

    TracePage(QTabWidget& tabs, const QString& caption, int scrollMin, int scrollMax, int scrollPage,
              const Names& names);

    // Reads out the picture's columns and depths under the pointer, and keeps the track bar beside
    // the depth axis, as the image object lays them out.
    void Follow(tTrcColumnsCnf& layout);

    tTraceTab tab;
    QPushButton* save;
    QPushButton* print;
    QCheckBox* title; // the title block on the saved bitmap
    QLineEdit* base;
    QLineEdit* velocity;
    QLineEdit* gain = nullptr;
    QLabel* source;  // the folder and the time the picture was built from
    QLabel* readout; // depth and column under the pointer
    DepthScale* depth;
};

// A short edit for a number, named and with its initial text.
QLineEdit* numberEdit(const char* name, const QString& text, QWidget* parent);
