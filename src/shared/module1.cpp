#include "shared/module1.h"

#include <QApplication>
#include <QCursor>
#include <QTextStream>
#include <cstdio>

#include "platform/ui/form.h"
#include "platform/ui/message_box.h"

namespace shared {

void WriteDetail(const QString& detail) {
    QTextStream(stderr) << "derravance: " << detail << Qt::endl;
}

Module1::Module1(platform::Services& services) : Sys(services) {}

Module1::~Module1() = default;

void Module1::ReportError(const std::exception* error) {
    ReportError(error != nullptr ? QString::fromUtf8(error->what())
                                 : QStringLiteral("unknown failure"));
}

void Module1::ReportError(const QString& detail) {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    WriteDetail(detail);
    ui::MsgBox(QStringLiteral("操作有错！"), ui::vbExclamation, kApplicationTitle);
}

QString Module1::DatabaseFile() const {
    return platform::JoinPath(AppFolder, QStringLiteral("\\korva.mdb"));
}

void Module1::ShutDown(const qint32& mode) {
    if (mode == 1 || mode == 2) Sys.shutdown->Request(mode);
}

void Module1::FailStartup(const QString& what, const QString& why) {
    WriteDetail(what + QStringLiteral(": ") + why);
    ui::MsgBox(what + QStringLiteral("\n") + why, ui::vbCritical, kApplicationTitle);
    EndProgram(kExitStartupFailure);
}

void Module1::EndProgram(int status) {
    ended_ = true;
    exitStatus_ = status;
    Sys.end->End(status);
    // Under test the seam returns: let a modal main form return to Main as well.
    if (MainForm != nullptr && MainForm->IsLoaded()) MainForm->Unload();
}

}  // namespace shared
