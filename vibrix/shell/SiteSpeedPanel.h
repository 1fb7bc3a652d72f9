#pragma once
// "Скорость волны по участку…": per site the mean wave speed and the piles it is taken from or
// leaves out, with their speeds and deviations. A pile is taken out of its site's speed by giving
// it its own speed (the one it is read at now), and back in by "Авто"; the piles selected can be
// read at the site's speed whatever their lengths give.

#include "Guarded.h"
#include "TProjectPiles.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPushButton;
class QTreeWidget;
class TPileAnalyser;
struct TPileVerdict;

class TSiteSpeedPanel : public QDialog {
    Q_OBJECT
public:
    // `store` writes a pile's verdict as the page does (the page shows it afterwards).
    TSiteSpeedPanel(TPileAnalyser& analyser, std::function<void(TPileKey, const TPileVerdict&)> store,
                    QWidget* parent = nullptr);

    QTreeWidget* SiteTree; // a site per top item, its piles under it
    QPushButton* OwnSpeedButton;
    QPushButton* AutoButton;
    QPushButton* SiteSpeedButton; // "Скорость участка — всем выделенным"

    void Fill();
    // Makes a pile the current item (the pile on show on the page).
    void Select(TPileKey key);
    // The pile of the item selected: its own speed, or the automatic choice again.
    void SetOwnSpeed();
    void SetAuto();
    // The piles selected (a site selected: all its piles) read at their site's speed: one change of
    // each pile's verdict.
    void SetSiteSpeed();

private:
    bool selected(TPileKey& key) const;
    std::vector<TPileKey> selectedPiles() const;

    TPileAnalyser& analyser_;
    std::function<void(TPileKey, const TPileVerdict&)> store_;
};
