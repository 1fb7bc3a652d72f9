#pragma once
// The catalogue of the first tab: its controls with the window's initial values, and the filter
// and the catalogue built on them in the window's order. The window lays the controls out; the
// command-line tool keeps them on a widget that is never shown.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "tFLF.h"
#include "tTrcFiles.h"

struct tCatalogueControls {
    // The controls, children of `parent`, named as the window names them.
    explicit tCatalogueControls(QWidget* parent);

    QListWidget* allFiles;
    QListWidget* appropriate;
    QCheckBox* filterOn;
    QLineEdit* siteEdit;
    QLineEdit* pileEdit;
    QCheckBox* channel1;
    QCheckBox* channel2;
    QPushButton* makeTrace;
    QPushButton* extract;
};

class tCatalogueSet {
public:
    // The filter, then the catalogue, which links the filter back to itself.
    tCatalogueSet(const tCatalogueControls& controls, tSingleViewSink* singleView);

    // Clear, Scan and FillCheckList, as on every change of the selected folder.
    void List(const QString& folder);

    tFLF filter;
    tTrcFiles catalogue;
};
