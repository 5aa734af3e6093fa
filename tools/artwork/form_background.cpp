#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "paintings.h"

namespace artwork {

namespace {

constexpr int kWidth = 1023;
constexpr int kHeight = 605;
// The road motif sits right of the option column, where no caption is ever drawn.
constexpr QPointF kVanishingPoint{856.0, 236.0};

void PaintBase(QPainter& p) {
    QLinearGradient base(0, 0, kWidth, kHeight);
    base.setColorAt(0.0, QColor(6, 14, 38));
    base.setColorAt(0.55, QColor(8, 30, 58));
    base.setColorAt(1.0, QColor(5, 44, 58));
    p.fillRect(0, 0, kWidth, kHeight, base);

    QRadialGradient glow(kVanishingPoint, 520);
    glow.setColorAt(0.0, QColor(46, 104, 150, 70));
    glow.setColorAt(1.0, QColor(46, 104, 150, 0));
    p.fillRect(0, 0, kWidth, kHeight, glow);
}

void PaintGrid(QPainter& p) {
    p.setPen(QPen(QColor(110, 170, 220, 13), 1));
    for (int x = 12; x < kWidth; x += 24)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kHeight));
    for (int y = 12; y < kHeight; y += 24)
        p.drawLine(QPointF(0, y + 0.5), QPointF(kWidth, y + 0.5));
}

// Screen height below the horizon of a ground point at depth z (1 = the bottom edge).
double DropAtDepth(double z) {
    return (kHeight - kVanishingPoint.y()) / z;
}

void PaintRoad(QPainter& p) {
    const double bottomDrop = kHeight - kVanishingPoint.y();
    const double halfWidthAtBottom = 225.0;
    const auto edge = [&](double side, double drop) {
        return QPointF(kVanishingPoint.x() + side * halfWidthAtBottom * drop / bottomDrop,
                       kVanishingPoint.y() + drop);
    };

    QLinearGradient fade(0, kVanishingPoint.y(), 0, kHeight);
    fade.setColorAt(0.0, QColor(140, 200, 235, 0));
    fade.setColorAt(1.0, QColor(140, 200, 235, 26));
    QPainterPath road;
    road.moveTo(kVanishingPoint);
    road.lineTo(edge(-1, bottomDrop));
    road.lineTo(edge(1, bottomDrop));
    road.closeSubpath();
    p.fillPath(road, fade);

    p.setPen(Qt::NoPen);
    QLinearGradient lines(0, kVanishingPoint.y(), 0, kHeight);
    lines.setColorAt(0.0, QColor(160, 215, 240, 0));
    lines.setColorAt(1.0, QColor(160, 215, 240, 50));
    p.setBrush(lines);
    for (const double side : {-1.0, 1.0}) {
        QPainterPath line;
        line.moveTo(kVanishingPoint);
        line.lineTo(edge(side * 0.97, bottomDrop));
        line.lineTo(edge(side * 0.93, bottomDrop));
        line.closeSubpath();
        p.drawPath(line);
    }
    // Equal dashes along the ground shrink towards the horizon.
    for (double z = 1.0; DropAtDepth(z) > 2.0; z += 0.9) {
        const double near = DropAtDepth(z);
        const double far = DropAtDepth(z + 0.4);
        QPainterPath dash;
        dash.moveTo(edge(-0.025, near));
        dash.lineTo(edge(0.025, near));
        dash.lineTo(edge(0.025, far));
        dash.lineTo(edge(-0.025, far));
        dash.closeSubpath();
        p.drawPath(dash);
    }

    QLinearGradient horizon(0, 0, kWidth, 0);
    horizon.setColorAt(0.0, QColor(120, 180, 220, 0));
    horizon.setColorAt(0.82, QColor(120, 180, 220, 40));
    horizon.setColorAt(1.0, QColor(120, 180, 220, 10));
    p.fillRect(QRectF(0, kVanishingPoint.y() - 0.5, kWidth, 1.0), horizon);
}

void PaintVignette(QPainter& p) {
    QRadialGradient shade(QPointF(kWidth / 2.0, kHeight / 2.0), kWidth * 0.62);
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.fillRect(0, 0, kWidth, kHeight, shade);
}

}  // namespace

QImage PaintFormBackground() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBase(p);
    PaintGrid(p);
    PaintRoad(p);
    PaintVignette(p);
    return image;
}

}  // namespace artwork
