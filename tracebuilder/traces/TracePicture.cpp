#include "TracePicture.h"

#include <QPainter>

TracePicture::TracePicture(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
    Clear();
}

void TracePicture::Clear() {
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
    update();
}

void TracePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}
