#pragma once
// The picture control of a trace: a bitmap the trace is drawn into, shown as it is, as large as
// the window gives it room. It tells where the pointer moves, and shows the tooltip it is given
// for the point under the pointer.

#include <QImage>
#include <QWidget>

#include <functional>

class TracePicture : public QWidget {
    Q_OBJECT
public:
    // `size` is the picture's size until a layout gives it another.
    explicit TracePicture(QSize size, QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    // A blank white surface of the control's size.
    void Clear();

    QSize sizeHint() const override { return preferred_; }

    // The tooltip at a point of the picture; none where it gives an empty text.
    std::function<QString(QPoint)> tooltipAt;

signals:
    void resized(QSize size);
    // The pointer moved to `at`; left the picture when `at` is outside it.
    void pointerMoved(QPoint at);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage image_;
    QSize preferred_;
};
