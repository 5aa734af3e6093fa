#pragma once

#include <QString>

class QWidget;

namespace testing_support {

// Renders the window to <build>/screens/<name>.png; returns the file's path, or an
// empty text when it could not be written.
QString SaveScreenshot(QWidget* window, const QString& name);

}  // namespace testing_support
