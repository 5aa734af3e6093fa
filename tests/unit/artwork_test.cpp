#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdint>

namespace {

QByteArray Embedded(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

unsigned Byte(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint8_t>(b[at]);
}
unsigned Le16(const QByteArray& b, qsizetype at) {
    return Byte(b, at) | Byte(b, at + 1) << 8;
}
unsigned Le32(const QByteArray& b, qsizetype at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}
unsigned Be16(const QByteArray& b, qsizetype at) {
    return Byte(b, at) << 8 | Byte(b, at + 1);
}

// The frame marker and the number of colour components of the first frame header in front of
// the first scan; zeros when there is none.
std::pair<unsigned, unsigned> JpegFrame(const QByteArray& b) {
    if (b.size() < 4 || Be16(b, 0) != 0xFFD8) return {};
    for (qsizetype at = 2; at + 10 <= b.size() && Byte(b, at) == 0xFF; at += 2 + Be16(b, at + 2)) {
        const unsigned marker = Be16(b, at);
        if (marker == 0xFFDA) break;
        const bool frame = marker >= 0xFFC0 && marker <= 0xFFCF && marker != 0xFFC4 &&
                           marker != 0xFFC8 && marker != 0xFFCC;
        if (frame) return {marker, Byte(b, at + 9)};
    }
    return {};
}

// Kind, byte count (0: any) and the size of every image each embedded picture holds.
TEST(Artwork, EachPictureIsOfItsKindAndSize) {
    const struct {
        const char* name;
        const char* format;
        qsizetype bytes;
        std::vector<QSize> images;
    } pictures[] = {
        {"FormBackground.jpg", "jpeg", 0, {{1023, 605}}},
        {"TitlePhoto.bmp", "bmp", 921654, {{640, 480}}},
        {"AppIcon.ico", "ico", 1078, {{32, 32}, {16, 16}}},
        {"ChoiceMarker.ico", "ico", 1078, {{32, 32}, {16, 16}}},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        const QString path = QStringLiteral(":/pictures/") + QLatin1String(p.name);
        const QByteArray bytes = Embedded(path);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(p.bytes == 0 || bytes.size() == p.bytes) << bytes.size();
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray(p.format));
        std::vector<QSize> sizes;
        do {
            const QImage image = reader.read();
            if (image.isNull()) break;
            sizes.push_back(image.size());
            EXPECT_TRUE(p.images.size() == 1 || image.hasAlphaChannel()) << "an icon's mask";
        } while (reader.jumpToNextImage());
        EXPECT_EQ(sizes, p.images);
    }
}

TEST(Artwork, HeadersTellABaselineJpegA24BitBitmapAndSixteenColourIcons) {
    const QByteArray jpeg = Embedded(QStringLiteral(":/pictures/FormBackground.jpg"));
    EXPECT_EQ(JpegFrame(jpeg), std::pair(0xFFC0u, 3u)) << "baseline, three colour components";
    EXPECT_EQ(Be16(jpeg, jpeg.size() - 2), 0xFFD9u);

    const QByteArray bmp = Embedded(QStringLiteral(":/pictures/TitlePhoto.bmp"));
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(Le32(bmp, 2), 921654u);
    EXPECT_EQ(Le32(bmp, 10), 54u) << "no palette in front of the pixels";
    EXPECT_EQ(Le16(bmp, 28), 24u);
    EXPECT_EQ(Le32(bmp, 30), 0u) << "uncompressed";

    for (const char* name : {":/pictures/AppIcon.ico", ":/pictures/ChoiceMarker.ico"}) {
        SCOPED_TRACE(name);
        const QByteArray ico = Embedded(QString::fromLatin1(name));
        ASSERT_EQ(ico.size(), 1078);
        EXPECT_EQ(Le16(ico, 2), 1u) << "an icon file";
        ASSERT_EQ(Le16(ico, 4), 2u);
        for (int i = 0; i < 2; ++i) {
            const qsizetype entry = 6 + 16 * i;
            EXPECT_EQ(Byte(ico, entry + 2), 16u) << "colours of image " << i;
            const unsigned offset = Le32(ico, entry + 12);
            ASSERT_LE(offset + Le32(ico, entry + 8), 1078u);
            EXPECT_EQ(Le16(ico, offset + 14), 4u) << "bits per pixel of image " << i;
        }
    }
    EXPECT_NE(Embedded(QStringLiteral(":/pictures/AppIcon.ico")),
              Embedded(QStringLiteral(":/pictures/ChoiceMarker.ico")));
}

TEST(Artwork, ChoiceMarkerIsAGreyArrowPointingRight) {
    const QImage marker =
        QImage(":/pictures/ChoiceMarker.ico").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(marker.size(), QSize(32, 32));
    int tipColumn = -1;
    int tallestColumn = -1;
    int tallest = 0;
    for (int x = 0; x < marker.width(); ++x) {
        int opaque = 0;
        for (int y = 0; y < marker.height(); ++y) {
            const QRgb pixel = marker.pixel(x, y);
            if (qAlpha(pixel) < 128) continue;
            ++opaque;
            EXPECT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
        }
        if (opaque > 0) tipColumn = x;
        if (opaque > tallest) {
            tallest = opaque;
            tallestColumn = x;
        }
    }
    EXPECT_GT(tipColumn, 24);
    EXPECT_GT(tallestColumn, 12);
    EXPECT_LT(tallestColumn, tipColumn);
    EXPECT_EQ(qAlpha(marker.pixel(0, 0)), 0);
    EXPECT_GE(qAlpha(marker.pixel(tipColumn, 15)) + qAlpha(marker.pixel(tipColumn, 16)), 255);
}

}  // namespace
