#include "support/screenshot.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "support/build_dir.h"

namespace testing_support {
namespace {

QString ScreensFolder() {
    return BuildDir() + QStringLiteral("/screens");
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= kScreenTolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= kScreenTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kScreenTolerance;
}

}  // namespace

QImage SaveScreenshot(QWidget* window, const QString& name) {
    QDir().mkpath(ScreensFolder());
    const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return picture.save(ScreensFolder() + QLatin1Char('/') + name + QStringLiteral(".png"))
               ? picture
               : QImage();
}

::testing::AssertionResult MatchesReference(const QImage& picture, const QString& references,
                                            const QString& name) {
    const QString path = references + QLatin1Char('/') + name + QStringLiteral(".png");
    const QString diffPath =
        ScreensFolder() + QLatin1Char('/') + name + QStringLiteral("-diff.png");
    QFile::remove(diffPath);  // of an earlier run
    if (qEnvironmentVariableIsSet("DERRAVANCE_REMAKE_SCREENS")) {
        QDir().mkpath(references);
        // Maximum compression: the references live in the repository.
        if (picture.save(path, "PNG", 0)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
    }
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (reference.isNull()) {
        return ::testing::AssertionFailure()
               << name.toStdString() << ": no reference " << path.toStdString()
               << " (sh scripts/remake-screens)";
    }
    if (reference.size() != picture.size()) {
        return ::testing::AssertionFailure()
               << name.toStdString() << ": " << picture.width() << "x" << picture.height()
               << " pixels, the reference " << reference.width() << "x" << reference.height();
    }
    QImage difference(reference.size(), QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < reference.height(); ++y) {
        const auto* seen = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* kept = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(difference.scanLine(y));
        for (int x = 0; x < reference.width(); ++x) {
            const int faded = 192 + qGray(kept[x]) / 4;
            const bool same = Near(seen[x], kept[x]);
            out[x] = same ? qRgb(faded, faded, faded) : qRgb(255, 0, 0);
            differing += same ? 0 : 1;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    difference.save(diffPath);
    return ::testing::AssertionFailure()
           << name.toStdString() << ": " << differing << " pixels differ from the reference; see "
           << diffPath.toStdString()
           << " (a change of look that is meant: sh scripts/remake-screens)";
}

}  // namespace testing_support
