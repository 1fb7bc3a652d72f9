#include "TracePicture.h"

#include <QPainter>

#include <algorithm>

TracePicture::TracePicture(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
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
