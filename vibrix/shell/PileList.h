#pragma once
// The left of the "Сваи" page: the piles of the project (the pile list model through a proxy that
// sorts by the model's sort role and filters by site and by what asks for attention) with the
// filters above them. Says when the current pile changes; the current pile stays current when the
// piles are listed again.

#include "TPileListModel.h"

#include <QList>
#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QTableView;
class TPileListProxy;

class TPileList : public QWidget {
    Q_OBJECT
public:
    TPileList(TPileAnalyser& analyser, QWidget* parent = nullptr);

    QComboBox* SiteFilter;    // "все участки", then each site
    QCheckBox* AttentionOnly; // "требуют внимания": only the piles whose proposal asks for a look
    QLabel* FirstPassLabel; // how far the first pass is, while it runs
    QTableView* PileList;   // one row per pile; sortable
    TPileListModel* Model;

    // A button at the end of the row of the filters.
    void AddTool(QWidget* tool);

    // The project's piles listed again, and the sites in the filter.
    void Refresh();
    // Nothing listed (no project).
    void Clear();
    // The first pass's proposals by pile, in place of those before.
    void SetProposals(std::map<TPileKey, TFirstPassResult> proposals);
    // The first pass has read `done` piles of `count`; none: it does not run.
    void ShowFirstPassProgress(std::optional<int> done, int count);

    std::optional<TPileKey> CurrentPile() const;
    // The pile listed under the current one as the list stands now; none under the last.
    std::optional<TPileKey> NextPile() const;
    // The piles chosen in the list (Ctrl or Shift and a click), in the order shown.
    std::vector<TPileKey> ChosenPiles() const;
    // Makes a pile the current one of the list; false when the list lacks it.
    bool SelectPile(TPileKey key);

    // The width that shows every column whole; the columns' widths when the engineer set them
    // (empty while they are fitted to the values), and set again.
    int FittedWidth() const;
    QList<int> ColumnWidths() const;
    void SetColumnWidths(const QList<int>& widths);

    // The class a typed key gives in `scheme`: a digit is the class's place in the scheme
    // (0 = not judged), a letter the class itself; none for any other key.
    static std::optional<QString> ClassOfKey(const QString& typed, const QString& scheme);

signals:
    void currentPileChanged();

private:
    void fillSites();
    void filterBySite();
    void keepCurrent(const std::optional<TPileKey>& key);
    void fitColumns();

    TPileAnalyser& analyser_;
    TPileListProxy* proxy_;
    QHBoxLayout* filterRow_;
    std::optional<TPileKey> beforeReset_; // the current pile while the piles are listed again
    bool quiet_ = false;                  // the current row moves without the engineer
    bool fitting_ = false;                // the widths are set by the list, not the engineer
    bool widthsSet_ = false;              // the engineer set the columns' widths
};
