#pragma once
// The "Сваи" page: on the left the piles of the project with a filter by site; in the middle the
// processed average of the pile against depth with its marks and, under it, the mobility; on the
// right what the engineer sets for the pile: wave speed, design values, processing, the blows
// used, the class and the remark. Every number comes from the pile analysis; every change goes
// into the verdict table at once.

#include "Guarded.h"
#include "PileChart.h"
#include "TPileAnalyser.h"

#include <qcustomplot.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableWidget;
class TChartInteraction;
class TMainDataModule;
class TNumberEdit;
namespace vxds {
class TableObserver;
}

class TPilePage : public QWidget {
    Q_OBJECT
public:
    TPilePage(TMainDataModule& dm, THandlerRunner run, QWidget* parent = nullptr);
    ~TPilePage() override;

    TPileAnalyser& Analyser() { return *analyser_; }

    QComboBox* SiteFilter;  // "все участки", then each site
    QTableWidget* PileList; // one row per pile; sortable
    QCustomPlot* AverageChart;
    TChartInteraction* AverageInteraction;
    QCustomPlot* MobilityChart;
    QCheckBox* Sensor2Check;
    QCheckBox* HammerCheck;
    TNumberEdit* SpeedEdit;
    QLabel* SpeedSourceLabel;
    QPushButton* AutoSpeedButton;
    TNumberEdit* LengthEdit;
    TNumberEdit* DiameterEdit;
    TNumberEdit* LowPassEdit;
    TNumberEdit* AmplifyEdit;
    QLabel* ToeLabel;
    QTableWidget* BlowList; // a check box per blow: used or left out
    QComboBox* ClassCombo;
    QLineEdit* RemarkEdit;
    QSplitter* Splitter;

    // The kind of a mark added by a double click at a point of the chart: "Подошва" or a defect
    // kind; none when the engineer closes the menu. A menu at the pointer unless replaced.
    std::function<std::optional<QString>(QPoint global)> ChooseMarkKind;
    static QString ToeKind() { return QStringLiteral("Подошва"); }

    // The project's piles again (a project opened, changes cancelled, files imported): the
    // current pile stays when the project still has it.
    void Refresh();
    // Nothing shown (no project).
    void Clear();
    // Records came or went, or the tables were loaded again, since the list was made.
    bool Stale() const { return stale_; }

    std::optional<TPileKey> CurrentPile() const;
    const TPileAnalysis* Shown() const { return shown_; }
    // Makes a pile the current one of the list and shows it; false when the list lacks it.
    bool SelectPile(TPileKey key);

    // What the engineer does to the pile shown; each goes into the verdict table.
    void ChangeVerdict(const std::function<void(TPileVerdict&)>& change);
    void SetClass(const QString& cls);
    // A verdict given elsewhere (the site panel): stored, and the list and the pile shown again.
    void StoreVerdict(TPileKey key, const TPileVerdict& verdict);
    void AddMark(const QString& kind, double depth);
    void RemoveSelectedMark();
    std::optional<int> SelectedMark() const { return selectedMark_; } // -1 = the toe

    // The chart drawn again for the pile's analysis (what the mark drag costs aside).
    void Redraw();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeList();
    QWidget* makeCharts();
    QWidget* makeControls();
    void fillList();
    void fillRow(int row, const TPileAnalysis& a);
    int rowOf(TPileKey key) const;
    void showCurrent();
    void showControls(const TPileAnalysis& a);
    void showBlows(const TPileAnalysis& a);
    void afterChange();
    void doubleClicked(QPoint at);
    void markDragged(int mark, double depth);
    void dragFinished();
    void blowToggled(int row, bool used);
    void applyNumber(TNumberEdit* edit, const std::function<void(TPileVerdict&, std::optional<double>)>& set,
                     double least);

    TMainDataModule& dm_;
    THandlerRunner run_;
    std::unique_ptr<TPileAnalyser> analyser_;
    std::vector<std::unique_ptr<vxds::TableObserver>> watches_;
    const TPileAnalysis* shown_ = nullptr;
    TPileChartOptions chartOptions_;
    std::optional<int> selectedMark_;
    std::optional<std::pair<int, double>> dragged_; // the mark being dragged and its depth
    double pressDepth_ = 0;                         // where the drag took it
    QCPRange home_[2];                              // the whole curve: the axes' ranges
    bool stale_ = true;                             // the list waits for the page to be shown
    bool filling_ = false;                          // the controls are being filled, not edited
};
