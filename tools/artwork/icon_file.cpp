#include "icon_file.h"

#include <QDataStream>
#include <QIODevice>
#include <cstdint>
#include <limits>

namespace artwork {

const std::array<QRgb, 16> kIconPalette = {
    qRgb(0x00, 0x00, 0x00), qRgb(0x80, 0x00, 0x00), qRgb(0x00, 0x80, 0x00), qRgb(0x80, 0x80, 0x00),
    qRgb(0x00, 0x00, 0x80), qRgb(0x80, 0x00, 0x80), qRgb(0x00, 0x80, 0x80), qRgb(0xC0, 0xC0, 0xC0),
    qRgb(0x80, 0x80, 0x80), qRgb(0xFF, 0x00, 0x00), qRgb(0x00, 0xFF, 0x00), qRgb(0xFF, 0xFF, 0x00),
    qRgb(0x00, 0x00, 0xFF), qRgb(0xFF, 0x00, 0xFF), qRgb(0x00, 0xFF, 0xFF), qRgb(0xFF, 0xFF, 0xFF),
};

namespace {

constexpr int kDirectoryHeaderBytes = 6;
constexpr int kDirectoryEntryBytes = 16;
constexpr int kInfoHeaderBytes = 40;
constexpr int kPaletteBytes = 16 * 4;

int ColourRowBytes(int width) {
    return (width * 4 + 31) / 32 * 4;
}
int MaskRowBytes(int width) {
    return (width + 31) / 32 * 4;
}

int ImageBytes(const QImage& image) {
    return kInfoHeaderBytes + kPaletteBytes +
           (ColourRowBytes(image.width()) + MaskRowBytes(image.width())) * image.height();
}

bool IsTransparent(QRgb pixel) {
    return qAlpha(pixel) < 128;
}

quint8 NearestPaletteIndex(QRgb pixel) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < static_cast<int>(kIconPalette.size()); ++i) {
        const int dr = qRed(pixel) - qRed(kIconPalette[i]);
        const int dg = qGreen(pixel) - qGreen(kIconPalette[i]);
        const int db = qBlue(pixel) - qBlue(kIconPalette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<quint8>(best);
}

void WriteImage(QDataStream& out, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();

    // The height counts the colour bitmap and the mask stacked on each other.
    out << quint32(kInfoHeaderBytes) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(4)
        << quint32(0) << quint32((ColourRowBytes(w) + MaskRowBytes(w)) * h) << qint32(0)
        << qint32(0) << quint32(0) << quint32(0);
    for (const QRgb colour : kIconPalette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);

    // Both bitmaps run bottom-up; transparent pixels stay black so the mask alone decides.
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(ColourRowBytes(w), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const quint8 index = IsTransparent(pixel) ? 0 : NearestPaletteIndex(pixel);
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out.writeRawData(row.constData(), static_cast<int>(row.size()));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(MaskRowBytes(w), '\0');
        for (int x = 0; x < w; ++x)
            if (IsTransparent(image.pixel(x, y)))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.writeRawData(row.constData(), static_cast<int>(row.size()));
    }
}

}  // namespace

QByteArray EncodeIconFile(const QList<QImage>& images) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);

    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = kDirectoryHeaderBytes + kDirectoryEntryBytes * images.size();
    for (const QImage& image : images) {
        const quint32 size = ImageBytes(image);
        out << quint8(image.width()) << quint8(image.height()) << quint8(16) << quint8(0)
            << quint16(1) << quint16(4) << size << offset;
        offset += size;
    }
    for (const QImage& image : images) WriteImage(out, image);
    return bytes;
}

}  // namespace artwork
