#include "ChartInteraction.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

TChartInteraction::TChartInteraction(QCustomPlot* chart) : QObject(chart), chart_(chart) {
    chart->setMouseTracking(true); // the pointer's shape over a line
    chart->installEventFilter(this);
}

void TChartInteraction::AddDraggable(Draggable line) {
    AddDraggables({[key = std::move(line.Key)] { return std::vector<std::optional<double>>{key()}; },
                   [moveTo = std::move(line.MoveTo)](int, double key) { moveTo(key); }});
}

void TChartInteraction::AddDraggables(Draggables lines) {
    sets_.push_back(std::move(lines));
}

std::optional<TChartInteraction::Line> TChartInteraction::DraggableAt(int x) const {
    std::optional<Line> nearest;
    double distance = kGrip + 0.5;
    for (std::size_t set = 0; set < sets_.size(); ++set) {
        const std::vector<std::optional<double>> keys = sets_[set].Keys();
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (!keys[i] || !chart_->xAxis->range().contains(*keys[i]))
                continue;
            const double d = std::abs(chart_->xAxis->coordToPixel(*keys[i]) - x);
            if (d < distance) {
                distance = d;
                nearest = Line{set, int(i)};
            }
        }
    }
    return nearest;
}

void TChartInteraction::moveTo(const Line& line, int x) {
    sets_[line.set].MoveTo(line.line, chart_->xAxis->pixelToCoord(x));
}

bool TChartInteraction::inPlotArea(const QPoint& at) const {
    return chart_->axisRect()->rect().contains(at);
}

bool TChartInteraction::eventFilter(QObject* watched, QEvent* event) {
    if (watched != chart_ || !chart_->isEnabled())
        return false;
    switch (event->type()) {
    case QEvent::Wheel:
        return wheel(static_cast<QWheelEvent&>(*event));
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        const bool handled = move(mouse); // a dragged line moved first: the pointer then reads it
        pointerAt(inPlotArea(at) || dragging_ ? std::optional(at) : std::nullopt);
        return handled;
    }
    case QEvent::Leave:
        if (!dragging_)
            pointerAt(std::nullopt);
        return false;
    case QEvent::MouseButtonRelease:
        return release(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseButtonDblClick: {
        const auto& click = static_cast<QMouseEvent&>(*event);
        if (click.button() != Qt::LeftButton)
            return false;
        if (OnDoubleClick) {
            if (inPlotArea(click.position().toPoint()))
                OnDoubleClick(click.position().toPoint());
            return true;
        }
        if (OnReset)
            OnReset();
        return false;
    }
    default:
        return false;
    }
}

void TChartInteraction::pointerAt(std::optional<QPoint> at) {
    if (at == pointer_)
        return;
    pointer_ = at;
    if (OnPointer)
        OnPointer(at);
}

bool TChartInteraction::wheel(const QWheelEvent& event) {
    const QPoint at = event.position().toPoint();
    if (!inPlotArea(at) || event.angleDelta().y() == 0)
        return false;
    const double factor = std::pow(kWheelStep, event.angleDelta().y() / 120.0);
    if (event.modifiers().testFlag(Qt::ControlModifier))
        chart_->yAxis->scaleRange(factor, chart_->yAxis->pixelToCoord(at.y()));
    else
        chart_->xAxis->scaleRange(factor, chart_->xAxis->pixelToCoord(at.x()));
    chart_->replot(QCustomPlot::rpQueuedReplot);
    if (OnPointer && pointer_) // the same place reads another key now
        OnPointer(pointer_);
    return true;
}

bool TChartInteraction::press(const QMouseEvent& event) {
    const QPoint at = event.position().toPoint();
    if (!inPlotArea(at))
        return false;
    const bool shifted = event.modifiers().testFlag(Qt::ShiftModifier);
    if (event.button() == Qt::MiddleButton || (event.button() == Qt::LeftButton && shifted)) {
        panning_ = true;
        panFrom_ = at;
        keysFrom_ = chart_->xAxis->range();
        valuesFrom_ = chart_->yAxis->range();
        chart_->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (event.button() != Qt::LeftButton)
        return false;
    dragging_ = DraggableAt(at.x());
    if (!dragging_)
        return false;
    moveTo(*dragging_, at.x());
    return true;
}

bool TChartInteraction::move(const QMouseEvent& event) {
    const QPoint at = event.position().toPoint();
    if (dragging_) {
        moveTo(*dragging_, at.x());
        return true;
    }
    if (panning_) {
        // Shifted by the distance from the press, at the scale the ranges had then.
        const QRect area = chart_->axisRect()->rect();
        const double dk = double(panFrom_.x() - at.x()) / std::max(area.width(), 1) * keysFrom_.size();
        const double dv = double(at.y() - panFrom_.y()) / std::max(area.height(), 1) * valuesFrom_.size();
        chart_->xAxis->setRange(keysFrom_.lower + dk, keysFrom_.upper + dk);
        chart_->yAxis->setRange(valuesFrom_.lower + dv, valuesFrom_.upper + dv);
        chart_->replot(QCustomPlot::rpQueuedReplot);
        return true;
    }
    const bool overLine = inPlotArea(at) && DraggableAt(at.x());
    if (overLine && !shapeSet_)
        chart_->setCursor(Qt::SizeHorCursor);
    else if (!overLine && shapeSet_)
        chart_->unsetCursor();
    shapeSet_ = overLine;
    return false;
}

bool TChartInteraction::release(const QMouseEvent&) {
    if (!dragging_ && !panning_)
        return false;
    if (panning_)
        chart_->unsetCursor();
    const bool dragged = dragging_.has_value();
    dragging_.reset();
    panning_ = false;
    shapeSet_ = false;
    if (dragged && OnDragFinished)
        OnDragFinished();
    return true;
}
