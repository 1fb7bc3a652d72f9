#pragma once
// "Скорость волны по участку…": per site the mean wave speed and the piles it is taken from or
// leaves out, with their speeds and deviations. A pile is taken out of its site's speed by giving
// it its own speed (the one it is read at now), and back in by "Авто".

#include "Guarded.h"
#include "TProjectPiles.h"

#include <QDialog>

#include <functional>

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

    void Fill();
    // Makes a pile the current item (the pile on show on the page).
    void Select(TPileKey key);
    // The pile of the item selected: its own speed, or the automatic choice again.
    void SetOwnSpeed();
    void SetAuto();

private:
    bool selected(TPileKey& key) const;

    TPileAnalyser& analyser_;
    std::function<void(TPileKey, const TPileVerdict&)> store_;
};
