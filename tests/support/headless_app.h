#pragma once
// The application of a test program: the headless platform unless another is named,
// the font substitutions, and timers that tick only when the program fires them.

#include <QApplication>
#include <memory>

namespace testing_support {

std::unique_ptr<QApplication> StartHeadlessApplication(int& argc, char** argv);

}  // namespace testing_support
