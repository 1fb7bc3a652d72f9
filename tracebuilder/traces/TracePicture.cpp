#include "TracePicture.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr QSize kSmallest(320, 240);

} // namespace

TracePicture::TracePicture(QSize size, QWidget* parent) : QWidget(parent), preferred_(size) {
    setMinimumSize(kSmallest);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    resize(size);
    Clear();
}

void TracePicture::Clear() {
    // Emptied in place: the picture is cleared before every redraw, a scroll included.
    if (image_.size() != size() || image_.format() != QImage::Format_RGB32)
        image_ = QImage(size(), QImage::Format_RGB32);
    // Row by row: one fill of the whole picture is large enough for the C library to write it
    // past the cache, and the drawing that follows at once would have to fetch it back.
    for (int y = 0; y < image_.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image_.scanLine(y)), image_.width(), QRgb(0xFFFFFFFF));
    update();
}

void TracePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void TracePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized(size());
}

void TracePicture::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(event->position().toPoint());
}

void TracePicture::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit pointerMoved(QPoint(-1, -1));
}

bool TracePicture::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = tooltipAt ? tooltipAt(help->pos()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}
