#include "AxisTrackBar.h"

#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

std::pair<int, int> ShownPositions(int first, int last, const std::function<double(int)>& keyOf, double lower,
                                   double upper) {
    // A key computed once more may differ from the axis's in its last bit.
    const double slack = 1e-9 * std::max(std::abs(upper - lower), 1e-300);
    int lo = first, hi = last + 1; // first position with key >= lower
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (keyOf(mid) < lower - slack)
            lo = mid + 1;
        else
            hi = mid;
    }
    const int from = lo;
    lo = first - 1, hi = last; // last position with key <= upper
    while (lo < hi) {
        const int mid = hi - (hi - lo) / 2;
        if (keyOf(mid) > upper + slack)
            hi = mid - 1;
        else
            lo = mid;
    }
    const int to = lo;
    if (from <= to)
        return {from, to};
    const int nearest = NearestPosition(first, last, keyOf, (lower + upper) / 2);
    return {nearest, nearest};
}

int NearestPosition(int first, int last, const std::function<double(int)>& keyOf, double key) {
    int lo = first, hi = last; // the first position at or above the key, or the last
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (keyOf(mid) < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > first && std::abs(keyOf(lo - 1) - key) <= std::abs(keyOf(lo) - key))
        return lo - 1;
    return lo;
}

void PlaceSliderSpan(QSlider* slider, int from, int to) {
    // Where the style puts the handle's centre at either end of a trial length.
    QStyleOptionSlider o;
    o.initFrom(slider);
    o.orientation = slider->orientation();
    o.minimum = 0;
    o.maximum = 1;
    o.upsideDown = slider->orientation() == Qt::Horizontal ? slider->invertedAppearance()
                                                           : !slider->invertedAppearance();
    const bool horizontal = slider->orientation() == Qt::Horizontal;
    constexpr int trial = 1000;
    const int across = horizontal ? slider->height() : slider->width();
    o.rect = horizontal ? QRect(0, 0, trial, across) : QRect(0, 0, across, trial);
    const auto centre = [&](int value) {
        o.sliderPosition = o.sliderValue = value;
        const QRect h =
            slider->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, slider);
        return horizontal ? h.center().x() : h.center().y();
    };
    const bool startsLow = !o.upsideDown; // the minimum at the left or the top
    const int atMin = centre(0), atMax = centre(1);
    const int before = startsLow ? atMin : atMax;              // handle centre's distance from the start
    const int after = trial - 1 - (startsLow ? atMax : atMin); // and from the end
    const int start = std::min(from, to), end = std::max(from, to);
    const int length = end - start + before + after + 1;
    if (horizontal)
        slider->setGeometry(start - before, slider->y(), length, slider->height());
    else
        slider->setGeometry(slider->x(), start - before, slider->width(), length);
}

namespace {

// A slider whose handle stands in proportion to the keys of its positions rather than to the
// positions themselves (against depth the spectrum lines crowd at one end). Its value stays the
// position, so that the keys step one position or ten; a press or a drag takes the position
// nearest to the pointer.
class TKeySlider : public QSlider {
public:
    static constexpr int kScale = 1 << 20;

    explicit TKeySlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

    std::function<double(int)> Fraction;   // of a position: 0 ... 1 along the bar
    std::function<int(double)> PositionAt; // nearest to a fraction along the bar

protected:
    void initStyleOption(QStyleOptionSlider* o) const override {
        QSlider::initStyleOption(o);
        if (!Fraction)
            return;
        o->minimum = 0;
        o->maximum = kScale;
        o->sliderPosition = o->sliderValue = int(std::lround(Fraction(o->sliderPosition) * kScale));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton || !PositionAt || minimum() == maximum())
            return QSlider::mousePressEvent(e);
        setSliderDown(true);
        follow(e->position().toPoint());
        e->accept();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!isSliderDown() || !PositionAt)
            return QSlider::mouseMoveEvent(e);
        follow(e->position().toPoint());
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!isSliderDown() || !PositionAt)
            return QSlider::mouseReleaseEvent(e);
        setSliderDown(false);
        e->accept();
    }

private:
    // The handle's centre under the pointer, as the style lays the groove out.
    void follow(const QPoint& at) {
        QStyleOptionSlider o;
        initStyleOption(&o);
        const QRect groove = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, this);
        const int travel = groove.width() - handle.width();
        const int v = QStyle::sliderValueFromPosition(0, kScale, at.x() - handle.width() / 2 - groove.x(),
                                                      std::max(travel, 1), o.upsideDown);
        setValue(PositionAt(double(v) / kScale));
    }
};

} // namespace

TAxisTrackBar::TAxisTrackBar(const QString& name, QCPAxis* axis, QWidget* parent)
    : QWidget(parent), axis_(axis), keyOf_([](int p) { return double(p); }) {
    setObjectName(name + QStringLiteral("Panel"));
    auto* slider = new TKeySlider(this);
    slider->Fraction = [this](int p) {
        const double from = keyOf_(shown_.first), to = keyOf_(shown_.second);
        return to > from ? std::clamp((keyOf_(p) - from) / (to - from), 0.0, 1.0) : 0.0;
    };
    slider->PositionAt = [this](double fraction) {
        const double from = keyOf_(shown_.first), to = keyOf_(shown_.second);
        return NearestPosition(shown_.first, shown_.second, keyOf_, from + fraction * (to - from));
    };
    Slider = slider;
    Slider->setObjectName(name);
    Slider->setRange(0, 0);
    Slider->setPageStep(10);
    setFixedHeight(Slider->sizeHint().height());
    Slider->setGeometry(0, 0, width(), height());
    connect(Slider, &QSlider::valueChanged, this, [this](int value) {
        if (quiet_)
            return;
        position_ = value;
        emit positionChanged();
    });
    // A new range changes what the bar runs over at once; where it stands follows with the
    // chart's next layout, which a new range always brings.
    connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] { followRange(); });
    connect(axis->parentPlot(), &QCustomPlot::afterLayout, this, [this] {
        followRange();
        place();
    });
}

void TAxisTrackBar::SetPositions(int first, int last, std::function<double(int)> keyOf) {
    first_ = first;
    any_ = last >= first;
    last_ = std::max(first, last);
    position_ = first_;
    keyOf_ = std::move(keyOf);
    followRange();
    place();
}

void TAxisTrackBar::SetPosition(int position) {
    position = std::clamp(position, first_, last_);
    if (position == position_)
        return;
    position_ = position;
    showPosition();
    emit positionChanged();
}

void TAxisTrackBar::MoveToKey(double key) {
    SetPosition(NearestPosition(first_, last_, keyOf_, key));
}

void TAxisTrackBar::showPosition() {
    quiet_ = true;
    Slider->setValue(position_); // clamped to the shown positions by the bar
    quiet_ = false;
}

void TAxisTrackBar::FollowAxis() {
    followRange();
    place();
    Slider->update(); // the keys of the shown positions may have moved
}

void TAxisTrackBar::followRange() {
    const QCPRange range = axis_->range();
    shown_ =
        any_ ? ShownPositions(first_, last_, keyOf_, range.lower, range.upper) : std::pair(first_, first_);
    quiet_ = true;
    Slider->setRange(shown_.first, shown_.second);
    quiet_ = false;
    showPosition();
}

// The slider is placed again only when its ends moved.
void TAxisTrackBar::place() {
    const auto here = [this](int inChart) {
        return mapFromGlobal(axis_->parentPlot()->mapToGlobal(QPoint(inChart, 0))).x();
    };
    const auto pixel = [&](int p) {
        const double x = axis_->coordToPixel(keyOf_(p));
        return here(std::isfinite(x) ? int(std::lround(x)) : axis_->axisRect()->left());
    };
    const std::pair<int, int> ends =
        any_ ? std::pair(pixel(shown_.first), pixel(shown_.second))
             : std::pair(here(axis_->axisRect()->left()), here(axis_->axisRect()->right()));
    if (ends == placed_)
        return;
    placed_ = ends;
    PlaceSliderSpan(Slider, ends.first, ends.second);
}

void TAxisTrackBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placed_.reset();
    FollowAxis();
}

void TAxisTrackBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placed_.reset();
    FollowAxis();
}
