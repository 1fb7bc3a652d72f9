#pragma once
// The spectrogram of the time-frequency window read like a chart: the picture's 512 x 512 area
// with a time axis in ms under it and a frequency axis beside it whose labels give the depth in
// brackets, as the readings do; the time track bar under the axis and the frequency track bar
// beside it, each handle standing at the column or row its cursor line is drawn on.

#include "PatternTicker.h"

#include <QWidget>

class QSlider;
class TFTProcessing;

class TSpectrogramChart : public QWidget {
    Q_OBJECT
public:
    // Shows `picture` as it is and places its axes by `processing`; both are the window's own.
    TSpectrogramChart(const QImage& picture, const TFTProcessing& processing, QWidget* parent = nullptr);

    QSlider* tbT; // columns 0 ... 511
    QSlider* tbF; // rows 1 ... 511, row 1 at the top

    // Where the picture's area lies in the widget.
    QRect Area() const { return area_; }
    // The labelled ticks of both axes for the width, sample frequency and velocity in force.
    std::vector<TTick> TimeTicks() const;
    std::vector<TTick> FreqTicks() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeControls();

    const QImage& picture_;
    const TFTProcessing& processing_;
    QRect area_;
    int labelWidth_ = 0; // the widest frequency label the axis may have
};
