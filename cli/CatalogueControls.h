#pragma once
// The first tab of the trace builder window without the window: the file list, the check list,
// the filter's controls and the two buttons, with the filter and the catalogue on them.

#include "CliArgs.h"
#include "tFLF.h"
#include "tTrcFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tracebuildercli {

// The controls with the values the window gives them before the filter takes them over.
struct FirstTabControls {
    FirstTabControls();

    QListWidget allFiles, appropriate;
    QCheckBox filterOn, channel1, channel2;
    QLineEdit siteEdit, pileEdit;
    QPushButton makeTrace, extract;
};

class CatalogueControls : public FirstTabControls {
public:
    CatalogueControls();

    // Types the filter options into the filter's controls and switches it on, as a user would;
    // nothing happens without filter options. Returns an error text for unusable values.
    QString ApplyFilter(const cli::Args& a);
    // Clear, Scan and FillCheckList, as the window does when a folder is selected.
    void List(const QString& folder);
    // The lines of a list control, top to bottom.
    static QStringList Lines(const QListWidget& list);

    tFLF filter;
    tTrcFiles catalogue;
};

} // namespace tracebuildercli
