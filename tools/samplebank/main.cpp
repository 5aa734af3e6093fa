// samplebank SOURCE_FOLDER OUTPUT_FOLDER
// Builds the sample program folder contents: korva.mdb, dsyjdc.ini and tp2/*.gif.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "bank_writer.h"
#include "block_file.h"
#include "gif_writer.h"
#include "papers.h"
#include "picture_painter.h"
#include "sample_sources.h"

namespace {

using namespace samplebank;

void WritePictures(const std::vector<Picture>& pictures, const QDir& out) {
    QDir folder(out.filePath(QStringLiteral("tp2")));
    if (!folder.removeRecursively() || !out.mkpath(QStringLiteral("tp2")))
        throw SourceError("cannot lay out " + folder.path().toStdString());
    for (const Picture& picture : pictures) {
        QString error;
        if (!WriteGif(PaintPicture(picture), folder.filePath(picture.name + QStringLiteral(".gif")),
                      &error))
            throw SourceError(error.toStdString());
    }
}

void CopySettings(const QDir& source, const QDir& out) {
    const QString target = out.filePath(QStringLiteral("dsyjdc.ini"));
    QFile::remove(target);
    if (!QFile::copy(source.filePath(QStringLiteral("dsyjdc.ini")), target))
        throw SourceError("cannot copy dsyjdc.ini to " + out.path().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    // Draws into images only; no screen is needed, not even at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: samplebank SOURCE_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    try {
        const auto kinds = LoadKinds(source.filePath(QStringLiteral("kinds.txt")));
        const auto pictures = LoadPictures(source.filePath(QStringLiteral("pictures.txt")));
        const auto pool = LoadQuestions(source.filePath(QStringLiteral("questions.txt")), pictures);
        const auto papers = ComposePapers(kinds, pool);

        if (!out.mkpath(QStringLiteral(".")))
            throw SourceError("cannot create " + out.path().toStdString());
        WritePictures(pictures, out);
        WriteBank(out.filePath(QStringLiteral("korva.mdb")), kinds, papers);
        CopySettings(source, out);
        std::printf("sample bank: %zu kinds, %zu papers, %zu questions, %zu pictures\n",
                    kinds.size(), papers.size(), pool.size(), pictures.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "samplebank: %s\n", e.what());
        return 1;
    }
    return 0;
}
