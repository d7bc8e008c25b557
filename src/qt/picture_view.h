#pragma once
// A preview picture: shows the last picture loaded into it at its own size
// times the window's scale (each pixel a block, kept sharp) from its top-left
// corner, clipped to its bounds. It paints no background, so the
// transparent pixels let the window and the pictures beneath show through.
// A click on it is forwarded as a signal.

#include <QImage>
#include <QWidget>

#include "core/formats/picture.h"

namespace modsetup::qt {

class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr, double scale = 1.0);

    // Replaces what the view shows (a whole picture: see MainWindowView).
    void setPicture(const Picture& picture);

    // Each pixel of a picture becomes a block of scale by scale pixels.
    void setScale(double scale) {
        scale_ = scale;
        update();
    }

    // What the view shows; a null image before the first picture.
    const QImage& image() const { return image_; }

signals:
    void clicked();  // the left mouse button pressed on it

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
    double scale_;
};

// The core's pixels (0xAARRGGBB, top row first) as an image.
QImage toImage(const Picture& picture);

}  // namespace modsetup::qt
