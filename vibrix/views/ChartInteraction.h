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
    // Lines the user may drag, as many as `Keys` gives at the time (none for a hidden one);
    // `MoveTo` is told which line.
    struct Draggables {
        std::function<std::vector<std::optional<double>>()> Keys;
        std::function<void(int line, double key)> MoveTo;
    };
    void AddDraggables(Draggables lines);

    std::function<void()> OnReset; // a double click: the whole chart again
    // When set, a double click in the plot area goes here instead of OnReset.
    std::function<void(QPoint at)> OnDoubleClick;
    // A dragged line was let go.
    std::function<void()> OnDragFinished;
    // Where the pointer is over the plot area as it moves (dragging or not); none when it left.
    std::function<void(std::optional<QPoint> at)> OnPointer;
    // The pointer's last place over the plot area, none when it is not there.
    std::optional<QPoint> Pointer() const { return pointer_; }

    // Pixels either side of a line within which a press takes it.
    static constexpr int kGrip = 4;
    // Each notch of the wheel shows this share of the range (zooming in), or its inverse.
    static constexpr double kWheelStep = 0.85;

    bool Dragging() const { return dragging_.has_value(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(const QWheelEvent& event);
    bool press(const QMouseEvent& event);
    bool move(const QMouseEvent& event);
    bool release(const QMouseEvent& event);
    bool inPlotArea(const QPoint& at) const;
    // A line of one of the sets: the set and the line in it.
    struct Line {
        std::size_t set;
        int line;
    };
    // The draggable line nearest to pixel column `x` of the chart within the grip.
    std::optional<Line> DraggableAt(int x) const;
    void moveTo(const Line& line, int x);

    QCustomPlot* chart_;
    std::vector<Draggables> sets_;
    std::optional<Line> dragging_;
    bool panning_ = false;
    bool shapeSet_ = false; // the pointer shows that a line can be taken
    std::optional<QPoint> pointer_;
    void pointerAt(std::optional<QPoint> at);
    QPoint panFrom_;
    QCPRange keysFrom_, valuesFrom_;
};
