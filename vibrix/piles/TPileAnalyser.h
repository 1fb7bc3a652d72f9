#pragma once
// The analysis of a project's piles, the one that the pile page, the site panel, the reports and
// the command-line tool all ask. A pile's analysis is a snapshot the caller owns (TPileAnalysis);
// what does not depend on other piles is computed once per signature of the pile's rows and
// verdict and shared. The tables are read on the thread that owns them (the GUI thread); the
// computation behind a snapshot may run on any thread, several at once.

#include "TPileAnalysis.h"
#include "TProjectPiles.h"
#include "TVerdictTable.h"
#include "TWaveSpeed.h"

#include <QObject>

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <span>

class TMainDataModule;

class TPileAnalyser : public QObject {
    Q_OBJECT
public:
    explicit TPileAnalyser(TMainDataModule& dm, QObject* parent = nullptr);
    ~TPileAnalyser() override;

    // --- On the thread of the tables.
    const std::vector<TPileRows>& Piles() const { return piles_.Piles(); }
    // Null when the project has no such pile (neither blows nor a verdict).
    const TPileRows* Find(TPileKey key) const { return piles_.Find(key); }
    std::vector<int> Sites() const;
    TVerdictTable& Verdicts() { return verdicts_; }
    TMainDataModule& DataModule() const { return dm_; }
    // The project's measurements, the blows' records.
    const vxds::DataTable& Measurements() const;

    // The pile's verdict as stored, or the defaults of a pile not yet judged.
    TPileVerdict VerdictOf(TPileKey key) const;
    // Stores a verdict (a change of the project when it differs from the stored one), then
    // says so: pileChanged, and siteSpeedChanged when the site's speed moves with it.
    void SetVerdict(TPileKey key, const TPileVerdict& verdict);

    // The pile's rows and verdict, copied for a computation on any thread.
    TPileInput Input(TPileKey key) const;
    std::vector<TPileInput> SiteInputs(int site) const;

    // The analysis of a pile with its stored verdict. A pile the project does not have gives an
    // analysis without blows. May compute the other piles of its site (for the site's speed).
    std::shared_ptr<const TPileAnalysis> Analyse(TPileKey key);
    // The wave speed of a site: computes every pile of the site not computed since it last
    // changed (its toe gives its speed by its length).
    TSiteSpeed SiteSpeed(int site);

    // --- On any thread, from rows copied before.
    // `siteSpeed` is asked only when the pile has neither its own speed nor one by its length.
    std::shared_ptr<const TPileAnalysis> Analyse(const TPileInput& pile,
                                                 const std::function<std::optional<double>()>& siteSpeed);
    TSiteSpeed SiteSpeed(std::span<const TPileInput> sitePiles);

signals:
    // Records came or went, or a table was loaded again: the piles may be others.
    void pilesChanged();
    // A pile's verdict was stored.
    void pileChanged(TPileKey key);
    // The wave speed of a site moved: every pile read at it reads differently.
    void siteSpeedChanged(int site);

private:
    std::shared_ptr<const TPileComputation> Computation(const TPileInput& input);
    std::optional<TSiteSpeed> KnownSiteSpeed(int site) const;

    TMainDataModule& dm_;
    TProjectPiles piles_;
    TVerdictTable verdicts_;
    bool storing_ = false; // a verdict is being written

    // Guards everything below: the computations kept and what the site speeds read of them.
    mutable std::mutex mutex_;
    struct Kept {
        TPileKey key;
        std::shared_ptr<const TPileComputation> computation;
        // The last snapshot made of it, and the site speed and verdict time it was made with.
        std::shared_ptr<const TPileAnalysis> last;
        std::optional<double> lastSite, lastChanged;
    };
    std::list<Kept> recent_; // the last piles computed, newest first
    // What the site speed needs of each pile, kept for every pile computed.
    struct Summary {
        QString signature;
        std::optional<double> lengthSpeed;
    };
    std::map<TPileKey, Summary> summaries_;
};
