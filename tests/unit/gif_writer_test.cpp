#include "gif_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class GifWriter : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QImage RoundTrip(const QImage& image) {
        const QString path = Path(QStringLiteral("picture.gif"));
        QString error;
        EXPECT_TRUE(WriteGif(image, path, &error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

private:
    QTemporaryDir dir_;
};

// Scattered pixels of a given palette defeat long LZW strings and fill the code table.
QImage Scattered(int width, int height, const std::vector<QRgb>& palette) {
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            image.setPixel(x, y, palette[(state >> 16) % palette.size()]);
        }
    return image;
}

std::vector<QRgb> Colours(int count) {
    std::vector<QRgb> colours;
    for (int i = 0; i < count; ++i) colours.push_back(qRgb(i, (i * 37) % 256, 255 - i));
    return colours;
}

TEST_F(GifWriter, KeepsTheSize) {
    const QSize sizes[] = {{1, 1}, {2, 3}, {120, 90}, {289, 250}, {500, 200}, {420, 360}, {997, 3}};
    for (const QSize& size : sizes) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(0, 51, 153));
        EXPECT_EQ(RoundTrip(image).size(), size) << size.width() << "x" << size.height();
    }
}

TEST_F(GifWriter, KeepsUpTo256ColoursExactly) {
    struct Case {
        int colours, width, height;
    } cases[] = {{1, 7, 5}, {2, 64, 64}, {3, 33, 17}, {17, 120, 90}, {256, 300, 300}};
    for (const Case& c : cases) {
        const QImage image = Scattered(c.width, c.height, Colours(c.colours));
        EXPECT_EQ(RoundTrip(image), image) << c.colours << " colours";
    }
}

TEST_F(GifWriter, KeepsLongRunsOfOneColour) {
    QImage image(1500, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 400; y < 600; ++y)
        for (int x = 0; x < 1500; ++x) image.setPixel(x, y, qRgb(204, 0, 0));
    EXPECT_EQ(RoundTrip(image), image);
}

TEST_F(GifWriter, BringsRicherImagesCloseToTheirColours) {
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgb(x, y, (x + 2 * y) / 3));
    const QImage back = RoundTrip(image);
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < 256; ++y)
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

TEST_F(GifWriter, LaysTransparencyOnWhite) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));
    image.setPixel(2, 0, qRgba(255, 0, 0, 255));
    image.setPixel(3, 0, qRgba(0, 0, 0, 0));
    const QImage back = RoundTrip(image);
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(back.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(2, 0), qRgb(255, 0, 0));
}

TEST_F(GifWriter, WritesAGif89aFile) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::black);
    ASSERT_TRUE(WriteGif(image, Path(QStringLiteral("a.gif"))));
    QFile file(Path(QStringLiteral("a.gif")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_EQ(bytes.back(), '\x3B');
}

TEST_F(GifWriter, ReportsWhatItCannotWrite) {
    QString error;
    EXPECT_FALSE(WriteGif(QImage(), Path(QStringLiteral("empty.gif")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("empty.gif"))));

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::black);
    error.clear();
    EXPECT_FALSE(WriteGif(image, Path(QStringLiteral("no/such/folder/a.gif")), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
