#pragma once
// The middle of the "Сваи" page: the processed average of the pile shown against depth with its
// marks, and the mobility under it. A double click adds a mark (the toe or a defect, as many as
// the engineer likes), a mark is dragged along the depth axis, Delete removes the one taken
// last; over the chart Space puts the toe on the echo at the pointer and Shift+1...5 a defect
// there. Each change goes to the page as a change of the pile's verdict. The depth and time under
// the pointer (of a mark, when it holds one) are read out in the chart's upper left corner.

#include "Guarded.h"
#include "PileChart.h"

#include <qcustomplot.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QSplitter;
class TChartInteraction;

class TPileCurvePanel : public QWidget {
    Q_OBJECT
public:
    using Change = std::function<void(TPileVerdict&)>;

    TPileCurvePanel(THandlerRunner run, QWidget* parent = nullptr);

    QCustomPlot* AverageChart;
    TChartInteraction* AverageInteraction;
    QCustomPlot* ProfileChart; // the first pass's impedance profile, under the average
    QCustomPlot* MobilityChart;
    QSplitter* ChartSplitter; // the three charts above one another
    QCheckBox* Sensor2Check;
    QCheckBox* HammerCheck;
    QCheckBox* BlowsCheck; // each blow used, faint behind the average
    QLabel* ReadoutLabel;  // the depth and time under the pointer

    // The kind of a mark added by a double click at a point of the chart: "Подошва" or a defect
    // kind; none when the engineer closes the menu. A menu at the pointer unless replaced.
    std::function<std::optional<QString>(QPoint global)> ChooseMarkKind;
    static QString ToeKind() { return QStringLiteral("Подошва"); }
    // Where the changes go: the page stores them as the pile's verdict.
    std::function<void(const Change&)> OnChange;

    // A pile shown: whole when `whole`, else (the same pile changed) a chart zoomed into stays
    // zoomed.
    void Show(std::shared_ptr<const TPileAnalysis> a, bool whole,
              std::optional<TFirstPassResult> proposal = std::nullopt);
    // The first pass's result of the pile shown came (or went): its findings and its profile drawn
    // again, the average as it is.
    void ShowProposal(std::optional<TFirstPassResult> proposal);
    // The chart drawn again for the pile's analysis, the whole curve.
    void Redraw();

    void AddMark(const QString& kind, double depth);
    // A key over the chart: Space, the toe on the nearest echo at the pointer; Shift with a digit
    // 1...5 (whatever the layout makes of it), a mark of that kind of DefectKinds() at the
    // pointer. False when the key is none of these or the pointer is not over the chart.
    bool ChartKey(const QKeyEvent& key);
    // The toe on the positive extremum of sensor 1 nearest to a depth.
    void PutToeNear(double depth);
    void RemoveSelectedMark();
    std::optional<int> SelectedMark() const { return selectedMark_; } // -1 = the toe

private:
    QWidget* makeBoxes();
    std::vector<std::optional<double>> markDepths() const;
    void doubleClicked(QPoint at);
    void markDragged(int mark, double depth);
    void dragFinished();
    void showSelection();
    // The read-out (and the note of the mark the pointer holds) for the pointer's place.
    void readOut(bool replot = true);

    THandlerRunner run_;
    void drawProposal();

    std::shared_ptr<const TPileAnalysis> shown_;
    std::optional<TFirstPassResult> proposal_;
    TPileChartOptions chartOptions_;
    std::optional<int> selectedMark_;
    std::optional<std::pair<int, double>> dragged_; // the mark being dragged and its depth
    double pressDepth_ = 0;                         // where the drag took it
    QCPRange home_[2];                              // the whole curve: the axes' ranges
};
