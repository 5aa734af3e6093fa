#include "gif_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>

namespace {

QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Scattered pixels of this many colours defeat long LZW strings and fill the code table;
// 0 colours: a smooth field of every colour.
QImage Scattered(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int i = static_cast<int>((state >> 16) % std::max(colours, 1));
            image.setPixel(x, y, colours ? qRgb(i, (i * 37) % 256, 255 - i)
                                         : qRgb(x, y, (x + 2 * y) / 3));
        }
    }
    return image;
}

// The largest squared colour distance between two images of one size; -1 otherwise.
int Farthest(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int farthest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
            farthest = std::max(farthest, dr * dr + dg * dg + db * db);
        }
    }
    return farthest;
}

// Palettes of 1 to 256 colours (every LZW code size, the code table filled and begun
// again) and long runs come back pixel for pixel; richer images no farther than half a
// step of the colour cube in each channel at once.
TEST(GifWriter, WritesImagesThatReadBackAsTheyWere) {
    QImage band = Solid(1500, 1000, qRgb(255, 255, 255));
    for (int y = 400; y < 600; ++y) {
        for (int x = 0; x < 1500; ++x) band.setPixel(x, y, qRgb(204, 0, 0));
    }
    const struct {
        const char* what;
        QImage image;
        int farthest;
    } cases[] = {
        {"1x1", Solid(1, 1, qRgb(0, 51, 153)), 0},
        {"2 colours", Scattered(64, 64, 2), 0},
        {"17 colours", Scattered(120, 90, 17), 0},
        {"256 colours", Scattered(300, 300, 256), 0},
        {"long runs", band, 0},
        {"every colour", Scattered(256, 256, 0), 3 * 26 * 26},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.gif"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_TRUE(WriteGif(c.image, path, &error)) << error.toStdString();
        const QImage back = QImage(path).convertToFormat(QImage::Format_RGB32);
        const int farthest = Farthest(back, c.image);
        EXPECT_TRUE(farthest >= 0 && farthest <= c.farthest) << farthest;
    }
}

}  // namespace
