#include "support/screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "support/build_dir.h"

namespace testing_support {

QString SaveScreenshot(QWidget* window, const QString& name) {
    const QString folder = BuildDir() + QStringLiteral("/screens");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    return window->grab().save(path) ? path : QString();
}

}  // namespace testing_support
