#include "gif_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

namespace {

class GifWriter : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes the image, checks the file's frame and reads it back.
    QImage RoundTrip(const QImage& image) {
        const QString path = Path(QStringLiteral("picture.gif"));
        QString error;
        EXPECT_TRUE(WriteGif(image, path, &error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("GIF89a"));
        EXPECT_TRUE(bytes.endsWith('\x3B'));
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

private:
    QTemporaryDir dir_;
};

QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Scattered pixels of this many colours defeat long LZW strings and fill the code table.
QImage Scattered(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int i = static_cast<int>((state >> 16) % colours);
            image.setPixel(x, y, qRgb(i, (i * 37) % 256, 255 - i));
        }
    }
    return image;
}

// Sizes, palettes of 1 to 256 colours (every LZW code size), long runs and transparency
// laid on white all come back pixel for pixel.
TEST_F(GifWriter, KeepsEveryPixelOfImagesOfUpTo256Colours) {
    QImage band = Solid(1500, 1000, qRgb(255, 255, 255));
    for (int y = 400; y < 600; ++y) {
        for (int x = 0; x < 1500; ++x) band.setPixel(x, y, qRgb(204, 0, 0));
    }
    QImage clear(4, 1, QImage::Format_ARGB32);
    QImage onWhite = Solid(4, 1, qRgb(255, 255, 255));
    clear.fill(Qt::transparent);
    for (QImage* image : {&clear, &onWhite}) {
        image->setPixel(1, 0, qRgb(0, 0, 0));
        image->setPixel(2, 0, qRgb(255, 0, 0));
    }

    const struct {
        const char* what;
        QImage image, expected;
    } cases[] = {
        {"1x1", Solid(1, 1, qRgb(0, 51, 153)), {}},
        {"289x250", Solid(289, 250, qRgb(0, 51, 153)), {}},
        {"997x3", Solid(997, 3, qRgb(0, 51, 153)), {}},
        {"2 colours", Scattered(64, 64, 2), {}},
        {"3 colours", Scattered(33, 17, 3), {}},
        {"17 colours", Scattered(120, 90, 17), {}},
        {"256 colours", Scattered(300, 300, 256), {}},
        {"long runs", band, {}},
        {"transparency", clear, onWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RoundTrip(c.image), c.expected.isNull() ? c.image : c.expected);
    }
}

TEST_F(GifWriter, BringsRicherImagesCloseToTheirColours) {
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgb(x, y, (x + 2 * y) / 3));
    }
    const QImage back = RoundTrip(image);
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            const int dr = qRed(a) - qRed(b);
            const int dg = qGreen(a) - qGreen(b);
            const int db = qBlue(a) - qBlue(b);
            // No farther than half a step of the colour cube in each channel at once.
            ASSERT_LE(dr * dr + dg * dg + db * db, 3 * 26 * 26) << x << "," << y;
        }
    }
}

TEST_F(GifWriter, ReportsWhatItCannotWrite) {
    const struct {
        QImage image;
        QString path;
    } cases[] = {
        {QImage(), Path(QStringLiteral("empty.gif"))},
        {Solid(4, 4, qRgb(0, 0, 0)), Path(QStringLiteral("no/such/folder/a.gif"))},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(WriteGif(c.image, c.path, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFile::exists(c.path));
    }
}

}  // namespace
