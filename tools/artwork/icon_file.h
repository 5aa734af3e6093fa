// Writes classic 16-colour icon files: every image 4 bits per pixel over one fixed palette,
// with an AND mask for transparency.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <array>

namespace artwork {

// The standard 16 colours of the classic Windows palette, in palette order.
extern const std::array<QRgb, 16> kIconPalette;

// Pixels with alpha below one half become transparent; the rest take the nearest palette colour.
// Every image must be square with an edge of at most 255 pixels.
QByteArray EncodeIconFile(const QList<QImage>& images);

}  // namespace artwork
