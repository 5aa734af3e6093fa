#include <QApplication>
#include <mutex>

#include "shared/module1.h"
#include "startup/startup.h"

namespace {

void ReportNoDisplay(const QString& why) {
    shared::WriteDetail(QStringLiteral("no display to show the terminal on (%1)").arg(why));
}

std::mutex startupLock;
QString startupCause;  // the platform plugin's first word on why it cannot connect

// While the toolkit connects to the display its messages are dropped: a kiosk's
// standard error is for the program's own details. When it cannot connect (no server,
// no usable platform plugin) it would abort; the program ends instead like any other
// window that cannot be set up, with one line saying why.
void OnStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const std::lock_guard lock(startupLock);
    if (type != QtFatalMsg) {
        const QLatin1String category(context.category != nullptr ? context.category : "");
        if (startupCause.isEmpty() && category.startsWith(QLatin1String("qt.qpa"))) {
            startupCause = message.simplified();
        }
        return;
    }
    ReportNoDisplay(startupCause.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0).simplified()
                                           : startupCause);
    platform::ProcessEnd().End(shared::kExitStartupFailure);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        ReportNoDisplay(QStringLiteral("DISPLAY is not set"));
        return shared::kExitStartupFailure;
    }
    const QtMessageHandler previous = qInstallMessageHandler(OnStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    return startup::RunProgram(platform::ProductionServices());
}
