#pragma once
// The depth track bar with its fixed labels 5, 10, ... 50, standing beside the picture's own
// depth axis: the track bar is placed so that each of its levels stands at the height of that
// depth in the picture drawn to 50 m, and each label beside its level.

#include <QWidget>

class QSlider;

class DepthScale : public QWidget {
public:
    // Takes the track bar into the scale.
    explicit DepthScale(QSlider* track, QWidget* parent = nullptr);

    // Places the track bar for a picture whose top is at `pictureTop` (in this widget's rows),
    // with depth 0 `columnsTop` rows below it and `pixelsPerMetreAt50` rows per metre at 50 m.
    void Place(int pictureTop, int columnsTop, int pixelsPerMetreAt50);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSlider* const track_;
    int labelsWidth_;
};
