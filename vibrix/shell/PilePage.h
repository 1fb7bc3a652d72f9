#pragma once
// The "Сваи" page: on the left the piles of the project with a filter by site; in the middle the
// processed average of the pile against depth with its marks and, under it, the mobility; on the
// right what the engineer sets for the pile. Three parts, which the page wires: every change goes
// into the verdict table at once through the analyser, and the page follows the list's model.

#include "Guarded.h"
#include "PileCurvePanel.h"
#include "PileList.h"
#include "PileVerdictPanel.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QTableWidget;
class TChartInteraction;
class TNumberEdit;

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
    QLabel* SpeedSourceLabel;
    QPushButton* AutoSpeedButton;
    TNumberEdit* LengthEdit;
    QLabel* ToeLabel;
    QTableWidget* BlowList;
    QComboBox* ClassCombo;
    QLineEdit* RemarkEdit;
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

    std::optional<TPileKey> CurrentPile() const { return List->CurrentPile(); }
    const TPileAnalysis* Shown() const { return shown_.get(); }
    // Makes a pile the current one of the list and shows it; false when the list lacks it.
    bool SelectPile(TPileKey key) { return List->SelectPile(key); }

    // What the engineer does to the pile shown; each goes into the verdict table.
    void ChangeVerdict(const std::function<void(TPileVerdict&)>& change);
    void SetClass(const QString& cls);
    // A verdict given elsewhere (the site panel): stored, and followed as every other change.
    void StoreVerdict(TPileKey key, const TPileVerdict& verdict);
    void AddMark(const QString& kind, double depth) { Curves->AddMark(kind, depth); }
    std::optional<int> SelectedMark() const { return Curves->SelectedMark(); } // -1 = the toe

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void show(bool whole);
    void rowsChanged(const QModelIndex& first, const QModelIndex& last);

    TPileAnalyser& analyser_;
    THandlerRunner run_;
    std::shared_ptr<const TPileAnalysis> shown_;
};
