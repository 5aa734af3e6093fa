// Shared main of the test executables: a QApplication on the headless platform, the
// font substitutions, timers that only tick when a test fires them, and the watchdog
// that keeps a forgotten modal window from blocking a test.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/fonts.h"
#include "platform/ui/timer.h"
#include "support/modal_driver.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::RegisterFontSubstitutions();
    ui::Timer::SetManualMode(true);
    testing_support::StartModalWatchdog();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
