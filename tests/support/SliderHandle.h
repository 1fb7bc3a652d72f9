#pragma once
// Where the style draws the centre of a slider's handle for the slider's value, in the slider's
// own pixels: what the user sees of a track bar, as the tests compare it with a chart.

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

inline QPoint SliderHandleCentre(const QSlider* s) {
    QStyleOptionSlider o;
    o.initFrom(s);
    o.orientation = s->orientation();
    o.minimum = s->minimum();
    o.maximum = s->maximum();
    o.sliderPosition = o.sliderValue = s->value();
    o.upsideDown = s->orientation() == Qt::Horizontal ? s->invertedAppearance() : !s->invertedAppearance();
    return s->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, s).center();
}
