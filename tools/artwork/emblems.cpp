#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

#include "paintings.h"

namespace artwork {

namespace {

// Icons are decided pixel by pixel in a 32-unit design square: a 16-colour icon has no room
// for anti-aliasing, and a hard edge stays crisp at both sizes.
using Shader = std::function<QRgb(QPointF)>;

constexpr QRgb kClear = qRgba(0, 0, 0, 0);
constexpr QRgb kNavy = qRgb(0x00, 0x00, 0x80);
constexpr QRgb kBlue = qRgb(0x00, 0x00, 0xFF);
constexpr QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);
constexpr QRgb kSilver = qRgb(0xC0, 0xC0, 0xC0);
constexpr QRgb kGrey = qRgb(0x80, 0x80, 0x80);

QImage Rasterise(int size, const Shader& shade) {
    QImage image(size, size, QImage::Format_ARGB32);
    const double unit = 32.0 / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, shade(QPointF((x + 0.5) * unit, (y + 0.5) * unit)));
    return image;
}

// A round blue sign with a white steering wheel: rim, hub and three spokes.
QRgb SteeringSign(QPointF at, double pixel) {
    const QPointF d = at - QPointF(16, 16);
    const double r = std::hypot(d.x(), d.y());
    if (r > 15.9) return kClear;
    if (r > 16.0 - pixel) return kNavy;
    const double rim = 10.5;
    const double stroke = std::max(2.6, pixel * 1.1);
    if (std::abs(r - rim) < stroke / 2) return kWhite;
    if (r < 3.2) return kWhite;
    const bool across = std::abs(d.y()) < stroke / 2 && r < rim;
    const bool down = d.y() > 0 && std::abs(d.x()) < stroke / 2 && r < rim;
    return across || down ? kWhite : kBlue;
}

// At 16 pixels the sampled wheel breaks up, so the small emblem is set by hand:
// N navy outline, B blue field, W white wheel, '.' transparent.
// clang-format off
constexpr const char* kSmallSteeringSign[16] = {
    ".....NNNNNN.....",
    "...NNBBBBBBNN...",
    "..NBBBBBBBBBBN..",
    ".NBBBWWWWWWBBBN.",
    ".NBBWBBBBBBWBBN.",
    "NBBWBBBBBBBBWBBN",
    "NBBWBBBBBBBBWBBN",
    "NBBWWWWWWWWWWBBN",
    "NBBWBBWWWWBBWBBN",
    "NBBWBBBWWBBBWBBN",
    "NBBWBBBWWBBBWBBN",
    ".NBBWBBWWBBWBBN.",
    ".NBBBWWWWWWBBBN.",
    "..NBBBBBBBBBBN..",
    "...NNBBBBBBNN...",
    ".....NNNNNN.....",
};
// clang-format on

QRgb SmallSteeringSign(QPointF at) {
    const char cell =
        kSmallSteeringSign[static_cast<int>(at.y() / 2)][static_cast<int>(at.x() / 2)];
    switch (cell) {
        case 'N':
            return kNavy;
        case 'B':
            return kBlue;
        case 'W':
            return kWhite;
        default:
            return kClear;
    }
}

QPainterPath Arrow() {
    QPainterPath arrow;
    arrow.addPolygon(
        QPolygonF{{3, 11}, {16, 11}, {16, 3}, {29.5, 16}, {16, 29}, {16, 21}, {3, 21}});
    arrow.closeSubpath();
    return arrow;
}

}  // namespace

QImage PaintAppIcon(int size) {
    if (size == 16) return Rasterise(size, SmallSteeringSign);
    const double pixel = 32.0 / size;
    return Rasterise(size, [pixel](QPointF at) { return SteeringSign(at, pixel); });
}

QImage PaintChoiceMarker(int size) {
    const QPainterPath arrow = Arrow();
    const double pixel = 32.0 / size;
    // One pixel of darker grey rims the arrow so it holds its shape on any background.
    return Rasterise(size, [&](QPointF at) {
        if (!arrow.contains(at)) return kClear;
        for (const QPointF step :
             {QPointF(pixel, 0), QPointF(-pixel, 0), QPointF(0, pixel), QPointF(0, -pixel)})
            if (!arrow.contains(at + step)) return kGrey;
        return kSilver;
    });
}

}  // namespace artwork
