#pragma once
// The "Сваи" page: on the left the piles of the project with a filter by site; in the middle the
// processed average of the pile against depth with its marks and, under it, the mobility; on the
// right what the engineer sets for the pile. Three parts, which the page wires: every change goes
// into the verdict table at once through the analyser, and the page follows the list's model.
// The first pass reads the project's piles off the GUI thread whenever what it reads changes; its
// proposals go to the list and to the pile shown as they come.

#include "Guarded.h"
#include "PileCurvePanel.h"
#include "PileList.h"
#include "PileVerdictPanel.h"
#include "TFirstPassSite.h"
#include "TVerdictHistory.h"
#include "VibrixSettings.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTableView;
class QTableWidget;
class QToolButton;
class TChartInteraction;
class TNumberEdit;
class TRemarkEdit;

class TPilePage : public QWidget {
    Q_OBJECT
public:
    // `analyser` is the project's one.
    TPilePage(TPileAnalyser& analyser, THandlerRunner run, QWidget* parent = nullptr);
    ~TPilePage() override;

    TPileAnalyser& Analyser() { return analyser_; }

    TPileList* List;
    TPileCurvePanel* Curves;
    TPileVerdictPanel* Verdict;
    QSplitter* Splitter;
    // The parts' controls, by their names.
    QComboBox* SiteFilter;
    QTableView* PileList;
    QCustomPlot* AverageChart;
    QCheckBox* Sensor2Check;
    TNumberEdit* SpeedEdit;
    QComboBox* SpeedSourceCombo;
    QLabel* SpeedSourceLabel;
    QPushButton* AutoSpeedButton;
    TNumberEdit* LengthEdit;
    QLabel* ToeLabel;
    QTableWidget* BlowList;
    QComboBox* ClassCombo;
    TRemarkEdit* RemarkEdit;
    QToolButton* RemarkPhrasesButton;
    QLabel* ProposalLabel;
    QPushButton* AcceptButton;
    // "Шаг назад" / "Шаг вперёд" through the verdict edits since the last save (Ctrl+Alt+Z /
    // Ctrl+Alt+Y), and their buttons above the list; the window puts them in its menu too.
    QAction* UndoAction;
    QAction* RedoAction;
    QToolButton* UndoButton;
    QToolButton* RedoButton;
    // The kind of a mark added by a double click (the curve panel's).
    std::function<std::optional<QString>(QPoint global)>& ChooseMarkKind;
    static QString ToeKind() { return TPileCurvePanel::ToeKind(); }

    // The project's piles again (a project opened, changes cancelled, files imported): the
    // current pile stays when the project still has it. Done when the page is shown next.
    void Refresh();
    // Nothing shown (no project).
    void Clear();
    // Records came or went, or the tables were loaded again, since the list was made.
    bool Stale() const { return List->Model->Stale(); }

    // The splitters and the list's columns as the engineer left them, and set back.
    TPilePlace Place() const;
    void SetPlace(const TPilePlace& place);

    std::optional<TPileKey> CurrentPile() const { return List->CurrentPile(); }
    std::vector<TPileKey> ChosenPiles() const { return List->ChosenPiles(); }
    const TPileAnalysis* Shown() const { return shown_.get(); }
    // Makes a pile the current one of the list and shows it; false when the list lacks it.
    bool SelectPile(TPileKey key) { return List->SelectPile(key); }

    // What the engineer does to the pile shown; each goes into the verdict table.
    void ChangeVerdict(const std::function<void(TPileVerdict&)>& change);
    void SetClass(const QString& cls);
    // A class typed in the list or over the chart then moves to the pile listed under this one
    // before the class was set (a list sorted by class may move the pile judged).
    bool NextPileAfterClass = true;
    // A verdict given elsewhere (the site panel): stored, and followed as every other change.
    void StoreVerdict(TPileKey key, const TPileVerdict& verdict);
    void AddMark(const QString& kind, double depth) { Curves->AddMark(kind, depth); }
    std::optional<int> SelectedMark() const { return Curves->SelectedMark(); } // -1 = the toe
    // The edit made last undone (redone): the pile's verdict before (after) it stored again, and that
    // pile shown.
    void Undo();
    void Redo();
    // Nothing to step back or forward to: the project was saved, its changes cancelled, opened or closed.
    void ClearHistory();

    // The first pass's proposal taken into the verdict of the pile shown.
    void AcceptProposal() { Verdict->AcceptProposal(); }

    // The first pass: running now (its proposals are not those of the project as it is), and the
    // proposal for a pile, null while none is computed.
    bool FirstPassRunning() const { return running_ || again_.isActive(); }
    const TFirstPassResult* Proposal(TPileKey key) const { return List->Model->Proposal(key); }

signals:
    // The first pass's proposals for the project as it is are in the list.
    void firstPassDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void show(bool whole);
    void rowsChanged(const QModelIndex& first, const QModelIndex& last);
    // The first pass started again when what it reads has changed; `force`: the records may be
    // others even where they lie where they did.
    void firstPass(bool force);
    void startFirstPass(std::vector<TFirstPassPile> piles, const QString& scheme);
    // A verdict stored as an edit the engineer can step back from.
    void store(TPileKey key, const TPileVerdict& before, const TPileVerdict& after);
    // A step's verdict stored again, its pile shown.
    void restore(TPileKey key, const TPileVerdict& verdict);
    void showHistory();
    // The list as wide as its columns (as far as the curves' least width allows), the verdict as
    // narrow as it can be, the curves between them; not once the engineer has moved the splitter.
    void fitSplitter();

    TPileAnalyser& analyser_;
    THandlerRunner run_;
    TVerdictHistory history_;
    std::shared_ptr<const TPileAnalysis> shown_;
    QTimer again_;                 // the first pass started once a burst of changes is over
    bool recordsMoved_ = false;    // the records changed since the first pass last started
    std::uint64_t generation_ = 0; // of the first pass started last; older results are dropped
    QString read_;                 // what the first pass started last reads
    bool running_ = false;         // the proposals are not yet those of the project as it is
    bool inFlight_ = false;        // a pass runs on the pool
    bool splitterSet_ = false;     // the engineer placed the splitter (now or when last here)
    bool chartsSet_ = false;       // the same for the charts' splitter
};
