#include "startup/module1.h"

#include "exam/frmftyaj.h"

namespace startup {

Module1::Module1(platform::Services& services) : Sys(services) {}
Module1::~Module1() = default;

int Module1::Main() { return 0; }
bool Module1::GetIni() { return true; }
void Module1::ReportError(const std::exception*) {}
void Module1::ReportError(const QString&) {}
void Module1::ShutDown(const qint32&) {}
void Module1::EndProgram(int status) {
    ended_ = true;
    exitStatus_ = status;
    Sys.end->End(status);
}

int RunProgram(platform::Services& services) {
    Module1 module(services);
    return module.Main();
}

}  // namespace startup
