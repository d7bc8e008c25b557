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

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    // Transparent pixels must show what lies beneath, never a filled background.
    setAutoFillBackground(false);
}

void PictureView::setPicture(const Picture& picture) {
    QImage image = toImage(picture);
    if (image.isNull()) return;  // not a picture: keep what is shown
    image_ = std::move(image);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
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
