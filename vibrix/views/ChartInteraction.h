#pragma once
// What the mouse does on a chart: the wheel zooms the key axis about the pointer (with Ctrl the
// value axis), the middle button or Shift with the left one drags both axes along, a double
// click asks for the whole chart again, and a press near a cursor line drags that line. Every
// other press is left to the chart (its rectangle zoom). Attached to any QCustomPlot.

#include <QObject>
#include <QPoint>

#include <qcustomplot.h>

#include <functional>
#include <optional>
#include <vector>

class TChartInteraction : public QObject {
    Q_OBJECT
public:
    explicit TChartInteraction(QCustomPlot* chart);

    // A line the user may drag: where it stands on the key axis (none while it is hidden), and
    // what dragging it to a key does.
    struct Draggable {
        std::function<std::optional<double>()> Key;
        std::function<void(double key)> MoveTo;
    };
    void AddDraggable(Draggable line);

    std::function<void()> OnReset; // a double click: the whole chart again
    // When set, a double click in the plot area goes here instead of OnReset.
    std::function<void(QPoint at)> OnDoubleClick;
    // A dragged line was let go.
    std::function<void()> OnDragFinished;

    // Pixels either side of a line within which a press takes it.
    static constexpr int kGrip = 4;
    // Each notch of the wheel shows this share of the range (zooming in), or its inverse.
    static constexpr double kWheelStep = 0.85;

    // The draggable line nearest to pixel column `x` of the chart within the grip, or -1.
    int DraggableAt(int x) const;
    bool Dragging() const { return dragging_ >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(const QWheelEvent& event);
    bool press(const QMouseEvent& event);
    bool move(const QMouseEvent& event);
    bool release(const QMouseEvent& event);
    bool inPlotArea(const QPoint& at) const;

    QCustomPlot* chart_;
    std::vector<Draggable> lines_;
    int dragging_ = -1;
    bool panning_ = false;
    bool shapeSet_ = false; // the pointer shows that a line can be taken
    QPoint panFrom_;
    QCPRange keysFrom_, valuesFrom_;
};
