#pragma once

#include <QString>

namespace testing_support {

// The build tree the tests were built in (the terminal and the sample bank live there).
inline QString BuildDir() { return QStringLiteral(DERRAVANCE_BUILD_DIR); }

}  // namespace testing_support
