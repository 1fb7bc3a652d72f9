#pragma once
// The depth track bar beside the picture's own depth axis: the track bar is placed so that each
// of its levels 5, 10, ... 50 stands at the height of that depth in the picture drawn to 50 m.
// Only at 50 m would numbers beside those levels read as the picture does, and a handle beside
// a number of its own would contradict the picture at every other range; so the bar carries its
// ticks, and the depth range it sets stands once above it, over the picture's column headings,
// where no depth of the picture is read.

#include <QWidget>

class QSlider;

class DepthScale : public QWidget {
public:
    // Takes the track bar into the scale.
    explicit DepthScale(QSlider* track, QWidget* parent = nullptr);

    // Places the track bar for a picture whose top is at `pictureTop` (in this widget's rows),
    // with depth 0 `columnsTop` rows below it and `pixelsPerMetreAt50` rows per metre at 50 m.
    void Place(int pictureTop, int columnsTop, int pixelsPerMetreAt50);

    // The depth range the bar sets, as it stands above the bar ("25 м").
    QString RangeText() const;
    // Where that text stands, in this widget's rows.
    QRect RangeRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSlider* const track_;
    int depthZero_ = 0; // the row of the picture's depth 0
};
