// Shared main of the test executables: a QApplication on the headless platform, the
// font substitutions, timers that only tick when a test fires them, and the watchdog
// that keeps a forgotten modal window from blocking a test.
#include <gtest/gtest.h>

#include "support/headless_app.h"
#include "support/modal_driver.h"

int main(int argc, char** argv) {
    const auto app = testing_support::StartHeadlessApplication(argc, argv);
    testing_support::StartModalWatchdog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
