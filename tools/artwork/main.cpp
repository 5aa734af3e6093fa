// artwork <folder>: writes FormBackground.jpg, TitlePhoto.bmp, AppIcon.ico and
// ChoiceMarker.ico into <folder>.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <cstdio>

#include "icon_file.h"
#include "paintings.h"

namespace {

bool WriteJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    // Baseline, one scan: the form's background must stay a plain sequential JPEG.
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
}

bool WriteBitmap(const QImage& image, const QString& path) {
    // A 32-bit opaque image is stored as an uncompressed 24-bit bitmap.
    return image.convertToFormat(QImage::Format_RGB32).save(path, "BMP");
}

bool WriteIcon(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    // Image format plugins (JPEG) are found through the application's library paths.
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork <output-folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    struct Output {
        const char* name;
        bool written;
    };
    const Output outputs[] = {
        {"FormBackground.jpg",
         WriteJpeg(artwork::PaintFormBackground(), folder.filePath("FormBackground.jpg"))},
        {"TitlePhoto.bmp",
         WriteBitmap(artwork::PaintTitlePhoto(), folder.filePath("TitlePhoto.bmp"))},
        {"AppIcon.ico",
         WriteIcon(artwork::EncodeIconFile({artwork::PaintAppIcon(32), artwork::PaintAppIcon(16)}),
                   folder.filePath("AppIcon.ico"))},
        {"ChoiceMarker.ico", WriteIcon(artwork::EncodeIconFile({artwork::PaintChoiceMarker(32),
                                                                artwork::PaintChoiceMarker(16)}),
                                       folder.filePath("ChoiceMarker.ico"))},
    };
    int status = 0;
    for (const Output& output : outputs) {
        if (!output.written) {
            std::fprintf(stderr, "artwork: cannot write %s\n", output.name);
            status = 1;
        }
    }
    return status;
}
