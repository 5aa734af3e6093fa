#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdint>

namespace {

QByteArray Embedded(const char* name) {
    QFile file(QStringLiteral(":/pictures/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A little-endian number of the given byte count at a position of the file.
unsigned Number(const QByteArray& b, qsizetype at, int bytes) {
    unsigned value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(b[at + i]);
    return value;
}

// Kind, byte count and the size of every image each embedded picture holds, and what its
// header tells: a baseline JPEG of three colour components, an uncompressed 24-bit bitmap
// without palette, icon files of two 16-colour images (4 bits per pixel).
TEST(Artwork, EachPictureIsOfItsKindAndSize) {
    const struct {
        const char* name;
        const char* format;
        qsizetype bytes;  // 0: any
        std::vector<QSize> images;
    } pictures[] = {
        {"FormBackground.jpg", "jpeg", 0, {{1023, 605}}},
        {"TitlePhoto.bmp", "bmp", 921654, {{640, 480}}},
        {"AppIcon.ico", "ico", 1078, {{32, 32}, {16, 16}}},
        {"ChoiceMarker.ico", "ico", 1078, {{32, 32}, {16, 16}}},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        const QByteArray b = Embedded(p.name);
        ASSERT_GT(b.size(), 54);
        EXPECT_TRUE(p.bytes == 0 || b.size() == p.bytes) << b.size();
        QImageReader reader(QStringLiteral(":/pictures/") + QLatin1String(p.name));
        EXPECT_EQ(reader.format(), QByteArray(p.format));
        std::vector<QSize> sizes;
        do {
            const QImage image = reader.read();
            if (image.isNull()) break;
            sizes.push_back(image.size());
            EXPECT_TRUE(p.images.size() == 1 || image.hasAlphaChannel()) << "an icon's mask";
        } while (reader.jumpToNextImage());
        EXPECT_EQ(sizes, p.images);
        if (p.format == std::string("jpeg")) {
            const qsizetype frame = b.indexOf("\xFF\xC0");  // no other frame kind comes first
            ASSERT_GT(frame, 0);
            EXPECT_EQ(b.indexOf("\xFF\xC2"), -1);
            EXPECT_EQ(Number(b, frame + 9, 1), 3u);
            EXPECT_EQ(b.right(2), QByteArray("\xFF\xD9"));
        } else if (p.format == std::string("bmp")) {
            EXPECT_EQ(b.left(2), QByteArray("BM"));
            EXPECT_EQ(Number(b, 2, 4), 921654u);
            EXPECT_EQ(Number(b, 10, 4), 54u) << "no palette";
            EXPECT_EQ(Number(b, 28, 2), 24u);
            EXPECT_EQ(Number(b, 30, 4), 0u) << "uncompressed";
        } else {
            EXPECT_EQ(Number(b, 2, 2), 1u) << "an icon file";
            ASSERT_EQ(Number(b, 4, 2), 2u);
            for (int entry = 6; entry < 38; entry += 16) {
                EXPECT_EQ(Number(b, entry + 2, 1), 16u) << "colours";
                const unsigned offset = Number(b, entry + 12, 4);
                ASSERT_LE(offset + Number(b, entry + 8, 4), 1078u);
                EXPECT_EQ(Number(b, offset + 14, 2), 4u) << "bits per pixel";
            }
        }
    }
    EXPECT_NE(Embedded("AppIcon.ico"), Embedded("ChoiceMarker.ico"));
}

}  // namespace
