#pragma once
// The catalogue of the trace builder's first tab without the window: its controls on a widget
// that is never shown, with the filter options typed into them as a user would.

#include "CliArgs.h"
#include "tCatalogueSet.h"

namespace tracebuildercli {

class CatalogueControls {
public:
    CatalogueControls() : controls(&box_), set(controls, nullptr) {}

    // Types the filter options into the filter's controls and switches it on, as a user would;
    // nothing happens without filter options. Returns an error text for unusable values.
    QString ApplyFilter(const cli::Args& a);
    // The lines of a list control, top to bottom.
    static QStringList Lines(const QListWidget& list);

private:
    QWidget box_;

public:
    tCatalogueControls controls;
    tCatalogueSet set;
};

} // namespace tracebuildercli
