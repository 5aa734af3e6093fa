#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "paintings.h"

namespace artwork {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kHorizon = 262.0;
constexpr double kRoadX = 332.0;
constexpr double kBottomDrop = kHeight - kHorizon;
constexpr double kRoadHalfWidth = 290.0;  // at the bottom edge

// Screen height below the horizon of a ground point at depth z (1 = the bottom edge).
double DropAtDepth(double z) {
    return kBottomDrop / z;
}

// A ground point `side` road half-widths from the centre line, `drop` pixels below the horizon.
QPointF Ground(double side, double drop) {
    return {kRoadX + side * kRoadHalfWidth * drop / kBottomDrop, kHorizon + drop};
}

void PaintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0.0, QColor(58, 110, 170));
    sky.setColorAt(0.55, QColor(128, 170, 210));
    sky.setColorAt(1.0, QColor(236, 226, 200));
    p.fillRect(QRectF(0, 0, kWidth, kHorizon + 1), sky);

    QRadialGradient sun(QPointF(468, 206), 190);
    sun.setColorAt(0.0, QColor(255, 248, 220, 230));
    sun.setColorAt(0.08, QColor(255, 240, 200, 200));
    sun.setColorAt(0.35, QColor(255, 226, 170, 70));
    sun.setColorAt(1.0, QColor(255, 226, 170, 0));
    p.fillRect(QRectF(0, 0, kWidth, kHorizon + 1), sun);
}

void PaintCloud(QPainter& p, QPointF centre, double scale) {
    const QPointF puffs[] = {{-46, 6}, {-22, -8}, {4, -14}, {30, -6}, {52, 6}, {0, 8}};
    const double radii[] = {22, 26, 30, 24, 18, 26};
    for (int i = 0; i < 6; ++i) {
        const QPointF at = centre + puffs[i] * scale;
        const double r = radii[i] * scale;
        QRadialGradient puff(at, r);
        puff.setColorAt(0.0, QColor(255, 255, 255, 120));
        puff.setColorAt(0.7, QColor(250, 250, 255, 60));
        puff.setColorAt(1.0, QColor(250, 250, 255, 0));
        p.setBrush(puff);
        p.setPen(Qt::NoPen);
        p.drawEllipse(at, r * 1.8, r);
    }
}

// A ridge line from gently overlaid waves, so the hills look irregular yet stay smooth.
QPainterPath Ridge(double base, double amplitude, double phase, double bottom) {
    QPainterPath path;
    path.moveTo(0, bottom);
    for (int x = 0; x <= kWidth; x += 4) {
        const double t = x / static_cast<double>(kWidth) * 2.0 * M_PI;
        const double y = base - amplitude * (0.6 * std::sin(1.3 * t + phase) +
                                             0.3 * std::sin(3.1 * t + 2.0 * phase) +
                                             0.1 * std::sin(7.0 * t + phase));
        path.lineTo(x, y);
    }
    path.lineTo(kWidth, bottom);
    path.closeSubpath();
    return path;
}

void PaintHills(QPainter& p) {
    struct Layer {
        double base, amplitude, phase;
        QColor top, bottom;
    };
    const Layer layers[] = {
        {214, 26, 0.4, QColor(150, 168, 196), QColor(176, 186, 200)},
        {236, 16, 2.1, QColor(112, 146, 132), QColor(150, 172, 150)},
        {252, 9, 4.0, QColor(92, 136, 88), QColor(124, 158, 98)},
    };
    p.setPen(Qt::NoPen);
    for (const Layer& layer : layers) {
        QLinearGradient shade(0, layer.base - layer.amplitude, 0, kHorizon);
        shade.setColorAt(0.0, layer.top);
        shade.setColorAt(1.0, layer.bottom);
        p.setBrush(shade);
        p.drawPath(Ridge(layer.base, layer.amplitude, layer.phase, kHorizon + 1));
    }
}

void PaintFields(QPainter& p) {
    QLinearGradient ground(0, kHorizon, 0, kHeight);
    ground.setColorAt(0.0, QColor(134, 164, 92));
    ground.setColorAt(0.4, QColor(96, 140, 64));
    ground.setColorAt(1.0, QColor(58, 104, 42));
    p.fillRect(QRectF(0, kHorizon, kWidth, kHeight - kHorizon), ground);

    // Soft bands of ploughed and grassed strips, spaced evenly along the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 100, 40, 40));
    for (double z = 1.4; DropAtDepth(z) > 3.0; z *= 1.35) {
        const double near = DropAtDepth(z);
        const double far = DropAtDepth(z * 1.15);
        p.drawRect(QRectF(0, kHorizon + far, kWidth, near - far));
    }
}

void PaintRoad(QPainter& p) {
    p.setPen(Qt::NoPen);
    QPainterPath verge;
    verge.moveTo(kRoadX, kHorizon);
    verge.lineTo(Ground(-1.12, kBottomDrop));
    verge.lineTo(Ground(1.12, kBottomDrop));
    verge.closeSubpath();
    QLinearGradient sand(0, kHorizon, 0, kHeight);
    sand.setColorAt(0.0, QColor(196, 184, 150));
    sand.setColorAt(1.0, QColor(168, 150, 112));
    p.fillPath(verge, sand);

    QPainterPath road;
    road.moveTo(kRoadX, kHorizon);
    road.lineTo(Ground(-1, kBottomDrop));
    road.lineTo(Ground(1, kBottomDrop));
    road.closeSubpath();
    QLinearGradient asphalt(0, kHorizon, 0, kHeight);
    asphalt.setColorAt(0.0, QColor(160, 162, 168));
    asphalt.setColorAt(0.3, QColor(112, 114, 122));
    asphalt.setColorAt(1.0, QColor(72, 74, 82));
    p.fillPath(road, asphalt);

    const QColor paint(238, 238, 230);
    for (const double side : {-1.0, 1.0}) {
        QPainterPath line;
        line.moveTo(kRoadX, kHorizon);
        line.lineTo(Ground(side * 0.95, kBottomDrop));
        line.lineTo(Ground(side * 0.91, kBottomDrop));
        line.closeSubpath();
        p.fillPath(line, paint);
    }
    // Equal dashes along the ground shrink towards the horizon.
    for (double z = 0.8; DropAtDepth(z) > 1.0; z += 0.75) {
        const double near = DropAtDepth(z);
        const double far = DropAtDepth(z + 0.35);
        QPainterPath dash;
        dash.moveTo(Ground(-0.022, near));
        dash.lineTo(Ground(0.022, near));
        dash.lineTo(Ground(0.022, far));
        dash.lineTo(Ground(-0.022, far));
        dash.closeSubpath();
        p.fillPath(dash, paint);
    }
}

void PaintTree(QPainter& p, QPointF foot, double height) {
    const double trunkWidth = height * 0.08;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(84, 62, 40));
    p.drawRect(
        QRectF(foot.x() - trunkWidth / 2, foot.y() - height * 0.4, trunkWidth, height * 0.4));

    const QPointF crown(foot.x(), foot.y() - height * 0.62);
    QRadialGradient leaves(crown + QPointF(height * 0.1, -height * 0.12), height * 0.42);
    leaves.setColorAt(0.0, QColor(92, 140, 66));
    leaves.setColorAt(1.0, QColor(36, 78, 36));
    p.setBrush(leaves);
    p.drawEllipse(crown, height * 0.27, height * 0.36);
}

void PaintTrees(QPainter& p) {
    // Far trees first so nearer ones overlap them.
    for (double z = 9.0; z >= 1.1; z /= 1.45) {
        const double drop = DropAtDepth(z);
        PaintTree(p, Ground(-1.7, drop), 300.0 / z);
    }
    for (double z = 11.0; z >= 1.3; z /= 1.6) {
        const double drop = DropAtDepth(z);
        PaintTree(p, Ground(2.05, drop), 270.0 / z);
    }
}

}  // namespace

QImage PaintTitlePhoto() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintSky(p);
    PaintCloud(p, QPointF(140, 70), 1.1);
    PaintCloud(p, QPointF(420, 48), 0.8);
    PaintCloud(p, QPointF(580, 120), 0.6);
    PaintHills(p);
    PaintFields(p);
    PaintRoad(p);
    PaintTrees(p);
    return image;
}

}  // namespace artwork
