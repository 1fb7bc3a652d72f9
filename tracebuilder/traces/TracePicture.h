#pragma once
// The picture control of a trace: a fixed-size bitmap the trace is drawn into, shown as it is.

#include <QImage>
#include <QWidget>

class TracePicture : public QWidget {
public:
    explicit TracePicture(QSize size, QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    // A blank white surface of the control's size.
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
