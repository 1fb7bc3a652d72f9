#include "DepthScale.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

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

} // namespace

DepthScale::DepthScale(QSlider* track, QWidget* parent)
    : QWidget(parent), track_(track), labelsWidth_(fontMetrics().horizontalAdvance("48,8") + 4) {
    track_->setParent(this);
    // A new depth range draws the picture at another scale: the labels follow it.
    connect(track_, &QSlider::valueChanged, this, [this](int depth) {
        track_->setToolTip(QStringLiteral("Глубина трассы: %1 м").arg(depth));
        update();
    });
    track_->setToolTip(QStringLiteral("Глубина трассы: %1 м").arg(track_->value()));
    track_->move(labelsWidth_, 0);
    setFixedWidth(labelsWidth_ + track_->sizeHint().width());
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
    const int firstLevel = pictureTop + columnsTop + track_->minimum() * pixelsPerMetreAt50;
    track_->setGeometry(labelsWidth_, firstLevel - groove.top() - handle.height() / 2,
                        track_->sizeHint().width(), height);
    update();
}

void DepthScale::paintEvent(QPaintEvent*) {
    const QStyleOptionSlider option = SliderOption(*track_, track_->height());
    const QRect groove = Part(*track_, option, QStyle::SC_SliderGroove);
    const QRect handle = Part(*track_, option, QStyle::SC_SliderHandle);
    const int span = groove.height() - handle.height();
    QPainter painter(this);
    const int half = fontMetrics().ascent() / 2;
    for (int value = option.minimum; value <= option.maximum; value += option.tickInterval) {
        const int pos =
            QStyle::sliderPositionFromValue(option.minimum, option.maximum, value, span, option.upsideDown);
        const int yCentre = track_->y() + groove.top() + pos + handle.height() / 2;
        const QString text = levelText ? levelText(value) : QString::number(value);
        painter.drawText(labelsWidth_ - 2 - fontMetrics().horizontalAdvance(text), yCentre + half, text);
    }
}
