#include "support/headless_app.h"

#include "platform/ui/fonts.h"
#include "platform/ui/timer.h"

namespace testing_support {

std::unique_ptr<QApplication> StartHeadlessApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QApplication>(argc, argv);
    ui::RegisterFontSubstitutions();
    ui::Timer::SetManualMode(true);
    return app;
}

}  // namespace testing_support
