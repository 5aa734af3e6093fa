#include "gif_writer.h"

#include <QSaveFile>
#include <algorithm>

#include "gif_lzw.h"
#include "gif_palette.h"

namespace {

constexpr int kMaxSide = 0xFFFF;
constexpr int kMaxSubBlock = 255;

void PutWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void PutByte(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
}

QByteArray Encode(const gif::IndexedImage& image) {
    QByteArray out("GIF89a");

    // Logical screen: global colour table present, 8 bits of colour resolution.
    PutWord(out, image.width);
    PutWord(out, image.height);
    PutByte(out, 0x80 | (7 << 4) | (image.bitsPerIndex - 1));
    PutByte(out, 0);  // background colour index
    PutByte(out, 0);  // no pixel aspect ratio
    for (QRgb c : image.palette) {
        PutByte(out, qRed(c));
        PutByte(out, qGreen(c));
        PutByte(out, qBlue(c));
    }

    // One image covering the screen, not interlaced, no local colour table.
    PutByte(out, 0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, image.width);
    PutWord(out, image.height);
    PutByte(out, 0);

    const int minCodeSize = std::max(2, image.bitsPerIndex);
    PutByte(out, minCodeSize);
    const std::vector<uint8_t> data = gif::CompressLzw(image.pixels, minCodeSize);
    for (size_t at = 0; at < data.size(); at += kMaxSubBlock) {
        const size_t n = std::min<size_t>(kMaxSubBlock, data.size() - at);
        PutByte(out, static_cast<int>(n));
        out.append(reinterpret_cast<const char*>(data.data() + at), static_cast<qsizetype>(n));
    }
    PutByte(out, 0);  // end of the image data

    PutByte(out, 0x3B);  // trailer
    return out;
}

bool Fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

bool WriteGif(const QImage& image, const QString& path, QString* error) {
    if (image.isNull()) return Fail(error, QStringLiteral("the image is empty"));
    if (image.width() > kMaxSide || image.height() > kMaxSide)
        return Fail(error, QStringLiteral("a GIF side cannot exceed 65535 pixels"));

    const QByteArray bytes = Encode(gif::Quantize(image));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    if (error) error->clear();
    return true;
}
