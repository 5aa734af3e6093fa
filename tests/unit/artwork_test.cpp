#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace {

QByteArray Embedded(const char* path) {
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

unsigned Le16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t Le32(const QByteArray& b, qsizetype at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}
unsigned Be16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint8_t>(b[at]) << 8 | static_cast<std::uint8_t>(b[at + 1]);
}

struct FrameHeader {
    unsigned marker, height, width, components;
};

// Walks the marker segments in front of the first scan and returns the frame header found there.
std::optional<FrameHeader> JpegFrame(const QByteArray& b) {
    if (b.size() < 4 || Be16(b, 0) != 0xFFD8) return std::nullopt;
    std::optional<FrameHeader> frame;
    for (qsizetype at = 2; at + 4 <= b.size();) {
        const unsigned marker = Be16(b, at);
        if ((marker & 0xFF00) != 0xFF00) return std::nullopt;
        if (marker == 0xFFDA) return frame;
        const unsigned length = Be16(b, at + 2);
        if (marker >= 0xFFC0 && marker <= 0xFFCF && marker != 0xFFC4 && marker != 0xFFC8 &&
            marker != 0xFFCC && at + 10 <= b.size())
            frame = FrameHeader{marker, Be16(b, at + 5), Be16(b, at + 7),
                                static_cast<std::uint8_t>(b[at + 9])};
        at += 2 + length;
    }
    return std::nullopt;
}

TEST(Artwork, FormBackgroundIsABaselineColourJpeg) {
    const QByteArray bytes = Embedded(":/pictures/FormBackground.jpg");
    const auto frame = JpegFrame(bytes);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->marker, 0xFFC0u);
    EXPECT_EQ(frame->width, 1023u);
    EXPECT_EQ(frame->height, 605u);
    EXPECT_EQ(frame->components, 3u);
    EXPECT_EQ(Be16(bytes, bytes.size() - 2), 0xFFD9u);
}

TEST(Artwork, TitlePhotoIsAnUncompressedTwentyFourBitBitmap) {
    const QByteArray bytes = Embedded(":/pictures/TitlePhoto.bmp");
    ASSERT_EQ(bytes.size(), 921654);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(Le32(bytes, 2), 921654u);
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), 640u);
    EXPECT_EQ(Le32(bytes, 22), 480u);
    EXPECT_EQ(Le16(bytes, 28), 24u);
    EXPECT_EQ(Le32(bytes, 30), 0u);
}

class IconFile : public ::testing::TestWithParam<const char*> {};

TEST_P(IconFile, HoldsA32And16PixelImageOfSixteenColours) {
    const QByteArray bytes = Embedded(GetParam());
    ASSERT_EQ(bytes.size(), 1078);
    EXPECT_EQ(Le16(bytes, 0), 0u);
    EXPECT_EQ(Le16(bytes, 2), 1u);
    ASSERT_EQ(Le16(bytes, 4), 2u);
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const qsizetype entry = 6 + 16 * i;
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry]), sizes[i]);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 1]), sizes[i]);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 2]), 16);
        EXPECT_EQ(Le16(bytes, entry + 6), 4u);
        const std::uint32_t offset = Le32(bytes, entry + 12);
        ASSERT_LE(offset + Le32(bytes, entry + 8), 1078u);
        EXPECT_EQ(Le32(bytes, offset), 40u);
        EXPECT_EQ(Le32(bytes, offset + 4), static_cast<std::uint32_t>(sizes[i]));
        EXPECT_EQ(Le16(bytes, offset + 14), 4u);
    }
}

TEST_P(IconFile, LoadsAsTwoImages) {
    QImageReader reader(QString::fromLatin1(GetParam()));
    EXPECT_EQ(reader.imageCount(), 2);
    const QImage large = reader.read();
    ASSERT_TRUE(reader.jumpToNextImage());
    const QImage small = reader.read();
    EXPECT_EQ(large.size(), QSize(32, 32));
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_TRUE(large.hasAlphaChannel());
}

INSTANTIATE_TEST_SUITE_P(
    Artwork, IconFile, ::testing::Values(":/pictures/AppIcon.ico", ":/pictures/ChoiceMarker.ico"),
    [](const auto& info) {
        return QString::fromLatin1(info.param).section('/', -1).section('.', 0, 0).toStdString();
    });

struct Loaded {
    const char* name;
    const char* path;
    QSize size;
};

void PrintTo(const Loaded& loaded, std::ostream* out) {
    *out << loaded.path;
}

class LoadedPicture : public ::testing::TestWithParam<Loaded> {};

TEST_P(LoadedPicture, HasItsNaturalSize) {
    const QImage image(QString::fromLatin1(GetParam().path));
    EXPECT_EQ(image.size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Artwork, LoadedPicture,
    ::testing::Values(Loaded{"FormBackground", ":/pictures/FormBackground.jpg", {1023, 605}},
                      Loaded{"TitlePhoto", ":/pictures/TitlePhoto.bmp", {640, 480}},
                      Loaded{"AppIcon", ":/pictures/AppIcon.ico", {32, 32}},
                      Loaded{"ChoiceMarker", ":/pictures/ChoiceMarker.ico", {32, 32}}),
    [](const auto& info) { return std::string(info.param.name); });

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
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qGreen(pixel), qBlue(pixel));
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
