#include "picture_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>
#include <map>

#include "block_file.h"

namespace samplebank {
namespace {

// Colours on the GIF writer's colour cube, so that only the smoothed edges are approximated.
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(204, 0, 0);
const QColor kBlue(0, 51, 153);
const QColor kYellow(255, 204, 0);
const QColor kAsphalt(102, 102, 102);
const QColor kVerge(51, 153, 51);

// The square that a round or triangular sign fills, centred in the picture.
struct Square {
    double cx, cy, s;
    double X(double f) const { return cx + f * s; }
    double Y(double f) const { return cy + f * s; }
};

Square SignSquare(const QSize& size) {
    return {size.width() / 2.0, size.height() / 2.0, 0.9 * std::min(size.width(), size.height())};
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour) {
    p.fillPath(path, colour);
}

QPainterPath Disc(double cx, double cy, double r) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width,
            Qt::PenCapStyle cap = Qt::FlatCap) {
    p.strokePath(path, QPen(colour, width, Qt::SolidLine, cap, Qt::MiterJoin));
}

void Digits(QPainter& p, const QRectF& box, const QString& text, double pixels,
            const QColor& colour) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// An arrow that rises from below and bends to the left, ending in a head.
void LeftTurnArrow(QPainter& p, const Square& q, double width, double scale, const QColor& colour) {
    QPainterPath shaft;
    shaft.moveTo(q.X(0.08 * scale), q.Y(0.3 * scale));
    shaft.lineTo(q.X(0.08 * scale), q.Y(0.0));
    shaft.quadTo(q.X(0.08 * scale), q.Y(-0.1 * scale), q.X(-0.04 * scale), q.Y(-0.1 * scale));
    shaft.lineTo(q.X(-0.1 * scale), q.Y(-0.1 * scale));
    Stroke(p, shaft, colour, width);
    Fill(p,
         Polygon({{q.X(-0.3 * scale), q.Y(-0.1 * scale)},
                  {q.X(-0.1 * scale), q.Y(-0.27 * scale)},
                  {q.X(-0.1 * scale), q.Y(0.07 * scale)}}),
         colour);
}

// Yellow triangle, black border, black symbol.
void Warning(QPainter& p, const QSize& size, const QString& detail) {
    const Square q = SignSquare(size);
    const double h = q.s * std::sqrt(3.0) / 2;
    const QPointF centroid(q.cx, q.cy + h / 6);
    const auto triangle = [&](double scale) {
        const auto at = [&](double x, double y) {
            return QPointF(centroid.x() + (x - centroid.x()) * scale,
                           centroid.y() + (y - centroid.y()) * scale);
        };
        return Polygon({at(q.cx, q.cy - h / 2), at(q.cx + q.s / 2, q.cy + h / 2),
                        at(q.cx - q.s / 2, q.cy + h / 2)});
    };
    Fill(p, triangle(1.0), kYellow);
    Fill(p, triangle(0.93), kBlack);
    Fill(p, triangle(0.8), kYellow);

    const Square sym{q.cx, centroid.y() + 0.02 * q.s, q.s};
    const double w = 0.06 * q.s;
    if (detail == QLatin1String("exclaim")) {
        Fill(p,
             Polygon({{sym.X(-0.04), sym.Y(-0.19)},
                      {sym.X(0.04), sym.Y(-0.19)},
                      {sym.X(0.022), sym.Y(0.05)},
                      {sym.X(-0.022), sym.Y(0.05)}}),
             kBlack);
        Fill(p, Disc(sym.cx, sym.Y(0.12), 0.035 * q.s), kBlack);
    } else if (detail == QLatin1String("bend-left")) {
        LeftTurnArrow(p, sym, w, 0.75, kBlack);
    } else if (detail == QLatin1String("crossroads")) {
        QPainterPath cross;
        cross.moveTo(sym.cx, sym.Y(-0.18));
        cross.lineTo(sym.cx, sym.Y(0.17));
        cross.moveTo(sym.X(-0.16), sym.cy);
        cross.lineTo(sym.X(0.16), sym.cy);
        Stroke(p, cross, kBlack, w);
    } else if (detail == QLatin1String("narrows-right")) {
        QPainterPath road;
        road.moveTo(sym.X(-0.09), sym.Y(0.17));
        road.lineTo(sym.X(-0.09), sym.Y(-0.17));
        road.moveTo(sym.X(0.11), sym.Y(0.17));
        road.lineTo(sym.X(0.11), sym.Y(0.04));
        road.lineTo(sym.X(0.03), sym.Y(-0.05));
        road.lineTo(sym.X(0.03), sym.Y(-0.17));
        Stroke(p, road, kBlack, 0.045 * q.s);
    } else {
        throw SourceError("unknown warning sign: " + detail.toStdString());
    }
}

// Red ring on white, or the variants that fill the ring.
void Prohibition(QPainter& p, const QSize& size, const QString& detail) {
    const Square q = SignSquare(size);
    const double outer = q.s / 2;
    const double inner = outer - 0.1 * q.s;
    const QStringList parts = detail.split(QLatin1Char(':'));
    const QString what = parts.value(0);

    Fill(p, Disc(q.cx, q.cy, outer), kRed);
    if (what == QLatin1String("no-entry")) {
        Fill(p,
             Polygon({{q.X(-0.36), q.Y(-0.08)},
                      {q.X(0.36), q.Y(-0.08)},
                      {q.X(0.36), q.Y(0.08)},
                      {q.X(-0.36), q.Y(0.08)}}),
             kWhite);
        return;
    }
    Fill(p, Disc(q.cx, q.cy, inner), what == QLatin1String("no-parking") ? kBlue : kWhite);

    const double d = inner * std::sqrt(0.5);
    QPainterPath slash;
    slash.moveTo(q.cx - d, q.cy - d);
    slash.lineTo(q.cx + d, q.cy + d);
    if (what == QLatin1String("speed")) {
        Digits(p, QRectF(q.X(-0.5), q.Y(-0.5), q.s, q.s), parts.value(1), 0.42 * q.s, kBlack);
    } else if (what == QLatin1String("no-left-turn")) {
        LeftTurnArrow(p, q, 0.09 * q.s, 1.0, kBlack);
        Stroke(p, slash, kRed, 0.08 * q.s);
    } else if (what == QLatin1String("no-parking")) {
        slash.moveTo(q.cx + d, q.cy - d);
        slash.lineTo(q.cx - d, q.cy + d);
        Stroke(p, slash, kRed, 0.08 * q.s);
    } else {
        throw SourceError("unknown prohibition sign: " + detail.toStdString());
    }
}

// White symbol on a blue disc with a thin white rim.
void Mandatory(QPainter& p, const QSize& size, const QString& detail) {
    const Square q = SignSquare(size);
    Fill(p, Disc(q.cx, q.cy, q.s / 2), kWhite);
    Fill(p, Disc(q.cx, q.cy, q.s / 2 - 0.025 * q.s), kBlue);
    const QStringList parts = detail.split(QLatin1Char(':'));
    if (parts.value(0) == QLatin1String("straight")) {
        Fill(p,
             Polygon({{q.X(-0.06), q.Y(0.32)},
                      {q.X(0.06), q.Y(0.32)},
                      {q.X(0.06), q.Y(-0.06)},
                      {q.X(-0.06), q.Y(-0.06)}}),
             kWhite);
        Fill(p, Polygon({{q.cx, q.Y(-0.33)}, {q.X(0.17), q.Y(-0.06)}, {q.X(-0.17), q.Y(-0.06)}}),
             kWhite);
    } else if (parts.value(0) == QLatin1String("left")) {
        LeftTurnArrow(p, q, 0.12 * q.s, 1.0, kWhite);
    } else if (parts.value(0) == QLatin1String("min-speed")) {
        Digits(p, QRectF(q.X(-0.5), q.Y(-0.5), q.s, q.s), parts.value(1), 0.42 * q.s, kWhite);
    } else {
        throw SourceError("unknown mandatory sign: " + detail.toStdString());
    }
}

// A three-lamp signal head with one lamp lit.
void Signal(QPainter& p, const QSize& size, const QString& detail) {
    const double w = size.width();
    const double h = size.height();
    const double r = std::min(w * 0.3, h * 0.12);
    QPainterPath housing;
    housing.addRoundedRect(QRectF(w / 2 - r * 1.6, h * 0.08, r * 3.2, h * 0.84), r * 0.6, r * 0.6);
    Fill(p, housing, QColor(51, 51, 51));
    const struct {
        const char* name;
        QColor lit, dark;
    } lamps[] = {{"red", QColor(255, 0, 0), QColor(102, 0, 0)},
                 {"yellow", kYellow, QColor(102, 102, 0)},
                 {"green", QColor(0, 204, 102), QColor(0, 102, 51)}};
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        const bool on = detail == QLatin1String(lamps[i].name);
        any = any || on;
        Fill(p, Disc(w / 2, h * (0.25 + 0.25 * i), r), on ? lamps[i].lit : lamps[i].dark);
    }
    if (!any) throw SourceError("unknown signal lamp: " + detail.toStdString());
}

void Car(QPainter& p, const QRectF& body, const QColor& colour) {
    QPainterPath path;
    const double round = std::min(body.width(), body.height()) * 0.2;
    path.addRoundedRect(body, round, round);
    Fill(p, path, colour);
    // Windscreen toward the direction of travel: the longer side's leading end.
    const bool horizontal = body.width() > body.height();
    const QRectF glass =
        horizontal ? QRectF(body.right() - body.width() * 0.3, body.top() + body.height() * 0.15,
                            body.width() * 0.12, body.height() * 0.7)
                   : QRectF(body.left() + body.width() * 0.15, body.top() + body.height() * 0.18,
                            body.width() * 0.7, body.height() * 0.12);
    p.fillRect(glass, QColor(153, 204, 255));
}

void DashedLine(QPainter& p, QPointF from, QPointF to, double width, const QColor& colour) {
    QPen pen(colour, width, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({4, 3});
    p.setPen(pen);
    p.drawLine(from, to);
}

// Top views of a road, traffic moving left to right or upward.
void Road(QPainter& p, const QSize& size, const QString& detail) {
    const double w = size.width();
    const double h = size.height();
    p.fillRect(QRectF(0, 0, w, h), kVerge);

    if (detail == QLatin1String("double-yellow")) {
        const double left = w * 0.2;
        const double right = w * 0.8;
        p.fillRect(QRectF(left, 0, right - left, h), kAsphalt);
        p.fillRect(QRectF(left + w * 0.02, 0, w * 0.012, h), kWhite);
        p.fillRect(QRectF(right - w * 0.032, 0, w * 0.012, h), kWhite);
        p.fillRect(QRectF(w / 2 - w * 0.022, 0, w * 0.012, h), kYellow);
        p.fillRect(QRectF(w / 2 + w * 0.01, 0, w * 0.012, h), kYellow);
        Car(p, QRectF(w * 0.58, h * 0.5, w * 0.12, h * 0.3), kRed);
        Car(p, QRectF(w * 0.3, h * 0.12, w * 0.12, h * 0.3), QColor(255, 255, 153));
        return;
    }

    const double top = h * 0.12;
    const double bottom = h * 0.88;
    p.fillRect(QRectF(0, top, w, bottom - top), kAsphalt);
    const double edge = std::max(2.0, h * 0.015);
    p.fillRect(QRectF(0, top + edge, w, edge), kWhite);
    p.fillRect(QRectF(0, bottom - 2 * edge, w, edge), kWhite);

    if (detail == QLatin1String("emergency-lane")) {
        const double lane = (bottom - top) / 4;
        for (int i = 1; i < 3; ++i)
            DashedLine(p, {0, top + lane * i}, {w, top + lane * i}, edge, kWhite);
        p.fillRect(QRectF(0, top + lane * 3 - edge / 2, w, edge), kWhite);
        const QColor colours[] = {QColor(255, 255, 153), kRed, kBlue};
        for (int i = 0; i < 3; ++i)
            Car(p, QRectF(w * (0.12 + 0.3 * i), top + lane * (i + 0.2), w * 0.13, lane * 0.6),
                colours[i]);
    } else if (detail == QLatin1String("breakdown")) {
        const double lane = (bottom - top) / 2;
        DashedLine(p, {0, top + lane}, {w, top + lane}, edge, kWhite);
        const QRectF car(w * 0.72, top + lane * 1.2, w * 0.16, lane * 0.6);
        Car(p, car, kBlue);
        Fill(p, Disc(car.left() + 2, car.top() + 3, edge * 1.5), QColor(255, 153, 0));
        Fill(p, Disc(car.left() + 2, car.bottom() - 3, edge * 1.5), QColor(255, 153, 0));
        const double tx = w * 0.18;
        const double ty = top + lane * 1.5;
        const double ts = lane * 0.5;
        Fill(p,
             Polygon({{tx, ty - ts / 2}, {tx + ts / 2, ty + ts / 2}, {tx - ts / 2, ty + ts / 2}}),
             kRed);
        Fill(p,
             Polygon({{tx, ty - ts / 5}, {tx + ts / 4, ty + ts / 3}, {tx - ts / 4, ty + ts / 3}}),
             kWhite);
        // The distance between the triangle and the car, measured on the verge below.
        const double my = (bottom + h) / 2;
        QPainterPath measure;
        measure.moveTo(tx, my);
        measure.lineTo(car.left(), my);
        measure.moveTo(tx, my - h * 0.04);
        measure.lineTo(tx, my + h * 0.04);
        measure.moveTo(car.left(), my - h * 0.04);
        measure.lineTo(car.left(), my + h * 0.04);
        Stroke(p, measure, kWhite, std::max(1.5, h * 0.012));
    } else {
        throw SourceError("unknown road view: " + detail.toStdString());
    }
}

// Diamond-shaped danger labels of dangerous goods.
void Hazard(QPainter& p, const QSize& size, const QString& detail) {
    const Square q = SignSquare(size);
    const double r = q.s / 2;
    const auto diamond = [&](double f) {
        return Polygon({{q.cx, q.cy - r * f},
                        {q.cx + r * f, q.cy},
                        {q.cx, q.cy + r * f},
                        {q.cx - r * f, q.cy}});
    };
    const QStringList parts = detail.split(QLatin1Char(':'));
    const QRectF numberBox(q.X(-0.15), q.Y(0.22), 0.3 * q.s, 0.16 * q.s);
    if (parts.value(0) == QLatin1String("flame")) {
        Fill(p, diamond(1.0), kRed);
        // A main tongue with a smaller one on each side, over a rounded base.
        QPainterPath flame;
        flame.moveTo(q.cx, q.Y(-0.36));
        flame.cubicTo(q.X(0.03), q.Y(-0.25), q.X(0.08), q.Y(-0.2), q.X(0.07), q.Y(-0.12));
        flame.cubicTo(q.X(0.11), q.Y(-0.15), q.X(0.13), q.Y(-0.19), q.X(0.13), q.Y(-0.23));
        flame.cubicTo(q.X(0.18), q.Y(-0.13), q.X(0.17), q.Y(-0.02), q.X(0.13), q.Y(0.03));
        flame.cubicTo(q.X(0.08), q.Y(0.08), q.X(-0.08), q.Y(0.08), q.X(-0.13), q.Y(0.03));
        flame.cubicTo(q.X(-0.18), q.Y(-0.04), q.X(-0.16), q.Y(-0.17), q.X(-0.12), q.Y(-0.26));
        flame.cubicTo(q.X(-0.11), q.Y(-0.19), q.X(-0.09), q.Y(-0.15), q.X(-0.06), q.Y(-0.13));
        flame.cubicTo(q.X(-0.07), q.Y(-0.22), q.X(-0.03), q.Y(-0.28), q.cx, q.Y(-0.36));
        Fill(p, flame, kBlack);
        p.fillRect(QRectF(q.X(-0.2), q.Y(0.09), 0.4 * q.s, 0.035 * q.s), kBlack);
    } else if (parts.value(0) == QLatin1String("stripes")) {
        Fill(p, diamond(1.0), kWhite);
        p.save();
        p.setClipPath(diamond(1.0));
        const double stripe = q.s / 14;
        for (int i = 0; i < 7; ++i)
            p.fillRect(QRectF(q.X(-0.5) + stripe * (2 * i + 0.5), q.Y(-0.5), stripe, 0.5 * q.s),
                       kBlack);
        p.restore();
    } else {
        throw SourceError("unknown danger label: " + detail.toStdString());
    }
    Stroke(p, diamond(0.9), kBlack, 0.012 * q.s);
    Digits(p, numberBox, parts.value(1), 0.14 * q.s, kBlack);
}

}  // namespace

QImage PaintPicture(const Picture& picture) {
    using Painter = std::function<void(QPainter&, const QSize&, const QString&)>;
    static const std::map<QString, Painter> painters = {
        {QStringLiteral("warning"), Warning},     {QStringLiteral("prohibition"), Prohibition},
        {QStringLiteral("mandatory"), Mandatory}, {QStringLiteral("signal"), Signal},
        {QStringLiteral("road"), Road},           {QStringLiteral("hazard"), Hazard},
    };
    const auto painter = painters.find(picture.shape);
    if (painter == painters.end())
        throw SourceError("unknown picture shape: " + picture.shape.toStdString());

    QImage image(picture.size, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    painter->second(p, picture.size, picture.detail);
    p.end();
    return image;
}

}  // namespace samplebank
