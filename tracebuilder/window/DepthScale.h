#pragma once
// The depth track bar with a label at each of its levels 5, 10, ... 50, standing beside the
// picture's own depth axis: the track bar is placed so that each of its levels stands at the
// height of that depth in the picture drawn to 50 m, and each label tells the depth the picture
// shows at that height, whatever depth range it is drawn to.

#include <QWidget>

#include <functional>

class QSlider;

class DepthScale : public QWidget {
public:
    // Takes the track bar into the scale.
    explicit DepthScale(QSlider* track, QWidget* parent = nullptr);

    // Places the track bar for a picture whose top is at `pictureTop` (in this widget's rows),
    // with depth 0 `columnsTop` rows below it and `pixelsPerMetreAt50` rows per metre at 50 m.
    void Place(int pictureTop, int columnsTop, int pixelsPerMetreAt50);

    // The label of a level: the depth the picture shows at its height; the level itself until told.
    std::function<QString(int level)> levelText;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSlider* const track_;
    int labelsWidth_;
};
