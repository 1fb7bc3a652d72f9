#pragma once
// The piles of a project as a table for views (the page's list): a row per pile with its blows,
// design length, wave speed and its source, toe depth and class, read from the analyser. Follows
// the analyser: a pile's verdict stored changes its row, a site speed that moves changes every
// row of the site, and piles that come or go list the piles again as soon as the event loop turns
// while the list is followed (its view on show), else when asked. Beside the engineer's class it
// shows the first pass's proposal, once one is handed to it. Sorting and filtering by site are a
// proxy's job, through the roles below.

#include "TFirstPass.h"
#include "TPileAnalyser.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <map>
#include <optional>
#include <vector>

class TPileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kSite, kPile, kBlows, kLength, kSpeed, kSource, kToe, kClass, kProposed, kColumns };
    enum Role {
        SortRole = Qt::UserRole + 1, // a number (-1e300 where there is none) or the text
        KeyRole,                     // the pile's TPileKey
        SiteRole,                    // the pile's site
        AttentionRole,               // true: the proposal asks the engineer to look first
    };

    explicit TPileListModel(TPileAnalyser& analyser, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The project's piles listed again, each analysed.
    void Refresh();
    // Nothing listed (no project).
    void Clear();
    // While followed, piles that come or go are listed again as soon as the event loop turns;
    // otherwise they wait for Refresh.
    void SetFollowed(bool followed);
    // The piles came or went since they were listed.
    bool Stale() const { return stale_; }

    // The first pass's proposals by pile, in place of those before.
    void SetProposals(std::map<TPileKey, TFirstPassResult> proposals);
    // The proposal for a pile; null while none is computed.
    const TFirstPassResult* Proposal(TPileKey key) const;

    std::optional<int> RowOf(TPileKey key) const;
    TPileKey KeyAt(int row) const { return rows_[std::size_t(row)].key; }

private:
    // What a row shows of a pile's analysis.
    struct Row {
        TPileKey key;
        int used = 0, blows = 0;
        std::optional<double> length, speed, toeDepth;
        TSpeedSource source = TSpeedSource::Record;
        QString cls;
    };
    static Row Facts(const TPileAnalysis& a);
    QVariant display(const Row& row, int column) const;
    QVariant toolTip(const Row& row, int column) const;
    QVariant sortKey(const Row& row, int column) const;
    void pileChanged(TPileKey key);
    void siteSpeedChanged(int site);
    void pilesChanged();

    TPileAnalyser& analyser_;
    std::vector<Row> rows_;
    std::map<TPileKey, TFirstPassResult> proposals_;
    bool stale_ = true;
    bool followed_ = false;
    QTimer relist_; // the piles listed again once the change is over
};
