#include "qt/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace modsetup::qt {

QImage toImage(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return {};
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, rowBytes);
    return image;
}

PictureView::PictureView(QWidget* parent, double scale) : QWidget(parent), scale_(scale) {
    // Transparent pixels must show what lies beneath, never a filled background.
    setAutoFillBackground(false);
}

void PictureView::setPicture(const Picture& picture) {
    image_ = toImage(picture);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    if (scale_ == 1.0) {
        painter.drawImage(0, 0, image_);
        return;
    }
    // Nearest-neighbour sampling (the painter's default): pixel art stays sharp.
    painter.drawImage(QRectF(0, 0, image_.width() * scale_, image_.height() * scale_), image_);
}

}  // namespace modsetup::qt

namespace modsetup::qt {

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit clicked();
}

}  // namespace modsetup::qt
