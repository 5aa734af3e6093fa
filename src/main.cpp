#include <QApplication>
#include <cstdio>

#include "shared/module1.h"
#include "startup/startup.h"

int main(int argc, char** argv) {
    // Without a display the toolkit would abort; say why and end like any other
    // window that cannot be set up.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("derravance: no display to show the terminal on (DISPLAY is not set)\n", stderr);
        return shared::kExitStartupFailure;
    }
    QApplication app(argc, argv);
    return startup::RunProgram(platform::ProductionServices());
}
