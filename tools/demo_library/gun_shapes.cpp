#include "demo_library/gun_shapes.h"

#include <QPainter>
#include <QPolygonF>

namespace modsetup::demo {
namespace {

constexpr double kDesignWidth = 56.0;
constexpr double kDesignHeight = 20.0;

QPolygonF polygon(std::initializer_list<QPointF> points) { return QPolygonF(QList<QPointF>(points)); }

// Parts filled with the body colour are outlined in the dark colour; parts
// filled dark are sights, muzzles and grips.
struct GunPainter {
    QPainter& painter;
    const Theme& theme;

    void body(const QRectF& rect) {
        fill(theme.body);
        painter.drawRect(rect);
    }
    void body(const QPolygonF& shape) {
        fill(theme.body);
        painter.drawPolygon(shape);
    }
    void dark(const QRectF& rect) {
        fill(theme.dark);
        painter.drawRect(rect);
    }
    void dark(const QPolygonF& shape) {
        fill(theme.dark);
        painter.drawPolygon(shape);
    }
    void round(const QRectF& rect) {
        fill(theme.body);
        painter.drawEllipse(rect);
    }
    void hollow(const QRectF& rect) {
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
    }
    void line(QPointF from, QPointF to) { painter.drawLine(from, to); }

    void fill(QRgb colour) { painter.setBrush(QColor::fromRgb(colour)); }
};

void pistol(GunPainter& g) {
    g.body(polygon({{18, 9}, {28, 9}, {26, 19}, {16, 19}}));
    g.hollow(QRectF(28, 9, 6, 5));
    g.body(QRectF(16, 3, 30, 6));
    g.dark(QRectF(13, 2, 3, 3));
    g.dark(QRectF(44, 4, 2, 3));
}

void subMachineGun(GunPainter& g) {
    g.body(QRectF(0, 5, 3, 9));
    g.body(QRectF(3, 6, 8, 3));
    g.body(polygon({{22, 11}, {28, 11}, {26, 19}, {20, 19}}));
    g.body(polygon({{33, 11}, {38, 11}, {41, 19}, {36, 19}}));
    g.body(QRectF(11, 4, 31, 7));
    g.body(QRectF(42, 6, 12, 3));
    g.dark(QRectF(14, 2, 3, 2));
    g.dark(QRectF(38, 2, 2, 2));
}

void assaultRifle(GunPainter& g) {
    g.body(polygon({{0, 7}, {12, 6}, {12, 11}, {0, 14}}));
    g.body(polygon({{15, 11}, {20, 11}, {18, 17}, {14, 17}}));
    g.body(polygon({{25, 11}, {30, 11}, {34, 19}, {29, 19}}));
    g.body(QRectF(12, 5, 22, 6));
    g.dark(QRectF(34, 5, 10, 5));
    g.body(QRectF(44, 6, 11, 2));
    g.dark(QRectF(40, 3, 2, 2));
}

void bullpup(GunPainter& g) {
    g.body(QRectF(8, 12, 5, 7));
    g.body(QRectF(20, 12, 4, 6));
    g.body(QRectF(30, 12, 4, 6));
    g.body(polygon({{0, 6}, {32, 5}, {32, 12}, {2, 13}}));
    g.body(QRectF(32, 7, 22, 2));
    g.dark(QRectF(12, 1, 14, 3));
    g.dark(QRectF(17, 4, 3, 1));
}

void shotgun(GunPainter& g) {
    g.body(polygon({{0, 6}, {10, 5}, {10, 10}, {0, 13}}));
    g.body(polygon({{14, 11}, {19, 11}, {17, 17}, {13, 17}}));
    g.body(QRectF(10, 4, 14, 7));
    g.body(QRectF(24, 4, 31, 3));
    g.body(QRectF(24, 7, 26, 2));
    g.dark(QRectF(30, 7, 12, 4));
}

void boltRifle(GunPainter& g) {
    g.body(polygon({{0, 9}, {14, 7}, {28, 8}, {28, 12}, {14, 12}, {2, 15}}));
    g.body(QRectF(28, 8, 27, 2));
    g.dark(QRectF(19, 6, 2, 2));
    g.dark(QRectF(28, 6, 2, 2));
    g.dark(QRectF(16, 3, 16, 3));
    g.dark(QRectF(22, 12, 2, 3));
}

void grenadeLauncher(GunPainter& g) {
    g.body(polygon({{0, 8}, {12, 7}, {20, 6}, {20, 12}, {12, 12}, {1, 16}}));
    g.hollow(QRectF(18, 12, 5, 4));
    g.body(QRectF(20, 5, 32, 8));
    g.dark(QRectF(52, 5, 3, 8));
    g.dark(QRectF(24, 3, 3, 2));
}

void sniperRifle(GunPainter& g) {
    g.line({40, 9}, {45, 18});
    g.line({42, 9}, {37, 18});
    g.body(polygon({{0, 6}, {10, 6}, {10, 12}, {2, 13}, {0, 10}}));
    g.body(polygon({{14, 12}, {18, 12}, {17, 18}, {13, 18}}));
    g.body(QRectF(24, 12, 6, 6));
    g.body(QRectF(10, 5, 26, 7));
    g.body(QRectF(36, 7, 14, 2));
    g.dark(QRectF(50, 6, 5, 4));
    g.dark(QRectF(18, 4, 2, 1));
    g.dark(QRectF(26, 4, 2, 1));
    g.dark(QRectF(14, 1, 16, 3));
}

void machineGun(GunPainter& g) {
    g.body(polygon({{0, 6}, {12, 5}, {12, 11}, {0, 13}}));
    g.body(polygon({{14, 11}, {19, 11}, {17, 17}, {13, 17}}));
    g.dark(QRectF(22, 11, 10, 7));
    g.body(QRectF(12, 4, 24, 7));
    g.body(QRectF(36, 6, 18, 2));
    g.body(QRectF(36, 5, 8, 4));
    g.dark(QRectF(20, 1, 8, 2));
}

void minigun(GunPainter& g) {
    g.dark(polygon({{10, 15}, {16, 15}, {12, 19}, {6, 19}}));
    g.hollow(QRectF(10, 0, 8, 3));
    g.body(QRectF(22, 3, 32, 3));
    g.body(QRectF(22, 7, 32, 3));
    g.body(QRectF(22, 11, 32, 3));
    g.dark(QRectF(30, 2, 3, 13));
    g.dark(QRectF(46, 2, 3, 13));
    g.body(QRectF(6, 3, 16, 12));
}

void knife(GunPainter& g) {
    g.body(polygon({{20, 7}, {46, 7}, {54, 10}, {46, 13}, {20, 13}}));
    g.dark(QRectF(18, 5, 2, 10));
    g.body(QRectF(4, 8, 14, 4));
    g.dark(QRectF(2, 8, 2, 4));
}

void chainsaw(GunPainter& g) {
    g.round(QRectF(46, 7, 8, 7));
    g.body(QRectF(22, 7, 28, 7));
    g.hollow(QRectF(6, 1, 12, 4));
    g.body(QRectF(2, 5, 20, 10));
    for (double x = 24; x < 50; x += 4) {
        g.dark(QRectF(x, 6, 1, 1));
        g.dark(QRectF(x + 2, 14, 1, 1));
    }
}

void rocketLauncher(GunPainter& g) {
    g.dark(QRectF(20, 13, 3, 4));
    g.dark(QRectF(30, 3, 3, 4));
    g.body(QRectF(4, 7, 46, 6));
    g.dark(QRectF(0, 6, 4, 8));
    g.dark(QRectF(50, 6, 5, 8));
}

}  // namespace

void drawGun(QImage& image, GunShape gun, const QRectF& box, const Theme& theme) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(box.topLeft());
    painter.scale(box.width() / kDesignWidth, box.height() / kDesignHeight);
    QPen outline(QColor::fromRgb(theme.dark));
    outline.setCosmetic(true);
    painter.setPen(outline);

    GunPainter g{painter, theme};
    switch (gun) {
    case GunShape::Pistol: pistol(g); break;
    case GunShape::SubMachineGun: subMachineGun(g); break;
    case GunShape::AssaultRifle: assaultRifle(g); break;
    case GunShape::Bullpup: bullpup(g); break;
    case GunShape::Shotgun: shotgun(g); break;
    case GunShape::BoltRifle: boltRifle(g); break;
    case GunShape::GrenadeLauncher: grenadeLauncher(g); break;
    case GunShape::SniperRifle: sniperRifle(g); break;
    case GunShape::MachineGun: machineGun(g); break;
    case GunShape::Minigun: minigun(g); break;
    case GunShape::Knife: knife(g); break;
    case GunShape::Chainsaw: chainsaw(g); break;
    case GunShape::RocketLauncher: rocketLauncher(g); break;
    }
}

void applyPattern(QImage& image, const Theme& theme) {
    if (theme.pattern == theme.body) return;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // Blotches about three pixels wide, the same on every run.
            const unsigned cell =
                (static_cast<unsigned>(x / 3) * 73856093u) ^ (static_cast<unsigned>(y / 2) * 19349663u);
            if (image.pixel(x, y) == theme.body && cell % 5 < 2) image.setPixel(x, y, theme.pattern);
        }
    }
}

}  // namespace modsetup::demo
