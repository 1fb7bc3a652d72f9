#pragma once
// The fixed labels 5, 10, ... 50 beside a depth track bar, each level with its tick.

#include <QWidget>

class QSlider;

class DepthScale : public QWidget {
public:
    DepthScale(QSlider* track, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSlider* const track_;
};
