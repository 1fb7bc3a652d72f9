#include "DepthScale.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

QStyleOptionSlider SliderOption(const QSlider& track, int height) {
    QStyleOptionSlider option;
    option.initFrom(&track);
    option.rect = QRect(0, 0, track.width(), height);
    option.orientation = track.orientation();
    option.minimum = track.minimum();
    option.maximum = track.maximum();
    option.sliderPosition = track.sliderPosition();
    option.sliderValue = track.value();
    option.upsideDown = !track.invertedAppearance();
    option.tickPosition = track.tickPosition();
    option.tickInterval = track.tickInterval();
    return option;
}

QRect Part(const QSlider& track, const QStyleOptionSlider& option, QStyle::SubControl part) {
    return track.style()->subControlRect(QStyle::CC_Slider, &option, part, &track);
}

QString RangeOf(int depth) {
    return QStringLiteral("%1 м").arg(depth);
}

} // namespace

DepthScale::DepthScale(QSlider* track, QWidget* parent) : QWidget(parent), track_(track) {
    track_->setParent(this);
    connect(track_, &QSlider::valueChanged, this, [this](int depth) {
        track_->setToolTip(QStringLiteral("Глубина трассы: %1 м").arg(depth));
        update();
    });
    track_->setToolTip(QStringLiteral("Глубина трассы: %1 м").arg(track_->value()));
    const int widest = fontMetrics().horizontalAdvance(RangeOf(track_->maximum())) + 4;
    const int width = std::max(widest, track_->sizeHint().width() + 8);
    track_->move((width - track_->sizeHint().width()) / 2, 0);
    setFixedWidth(width);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void DepthScale::Place(int pictureTop, int columnsTop, int pixelsPerMetreAt50) {
    const int span = (track_->maximum() - track_->minimum()) * pixelsPerMetreAt50;
    if (span <= 0)
        return;
    // The style's groove insets and handle length, taken at any height: they do not depend on it.
    const int trial = span + 200;
    const QStyleOptionSlider option = SliderOption(*track_, trial);
    const QRect groove = Part(*track_, option, QStyle::SC_SliderGroove);
    const QRect handle = Part(*track_, option, QStyle::SC_SliderHandle);
    const int height = trial - groove.height() + handle.height() + span;
    depthZero_ = pictureTop + columnsTop;
    const int firstLevel = depthZero_ + track_->minimum() * pixelsPerMetreAt50;
    track_->setGeometry(track_->x(), firstLevel - groove.top() - handle.height() / 2,
                        track_->sizeHint().width(), height);
    update();
}

QString DepthScale::RangeText() const {
    return RangeOf(track_->value());
}

// Just above depth 0, clear of the bar.
QRect DepthScale::RangeRect() const {
    const int bottom = std::min(depthZero_, track_->y()) - 2;
    return QRect(0, bottom - fontMetrics().height(), width(), fontMetrics().height());
}

void DepthScale::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(RangeRect(), Qt::AlignCenter, RangeText());
}
