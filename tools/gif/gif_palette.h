// Reduces an image to at most 256 colours and one palette index per pixel.
#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace gif {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;    // 2 to 256 entries, a power of two
    std::vector<uint8_t> pixels;  // row by row, top to bottom
    int bitsPerIndex = 1;         // log2 of the palette size
};

IndexedImage Quantize(const QImage& image);

}  // namespace gif
