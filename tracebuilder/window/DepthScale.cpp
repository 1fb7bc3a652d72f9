#include "DepthScale.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

DepthScale::DepthScale(QSlider* track, QWidget* parent) : QWidget(parent), track_(track) {
    setFixedWidth(fontMetrics().horizontalAdvance("50") + 4);
}

void DepthScale::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    option.initFrom(track_);
    option.orientation = track_->orientation();
    option.minimum = track_->minimum();
    option.maximum = track_->maximum();
    option.sliderPosition = track_->sliderPosition();
    option.upsideDown = !track_->invertedAppearance();
    option.tickPosition = track_->tickPosition();
    option.tickInterval = track_->tickInterval();
    const QRect groove =
        track_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, track_);
    const QRect handle =
        track_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track_);
    const int span = groove.height() - handle.height();
    const int top = track_->mapTo(parentWidget(), QPoint(0, groove.top())).y() - y();
    QPainter painter(this);
    const int half = fontMetrics().ascent() / 2;
    for (int value = option.minimum; value <= option.maximum; value += option.tickInterval) {
        const int pos =
            QStyle::sliderPositionFromValue(option.minimum, option.maximum, value, span, option.upsideDown);
        const int yCentre = top + pos + handle.height() / 2;
        const QString text = QString::number(value);
        painter.drawText(width() - 2 - fontMetrics().horizontalAdvance(text), yCentre + half, text);
    }
}
