#pragma once
// Layer 5, the start-up: Main, the settings routine GetIni and the paper-kind choice.
// They create and show the screens, so this layer may use every layer below it:
// the platform, the shared module, the dialogs and the examination form.

#include "platform/system.h"

class Frmftyaj;

namespace shared {
class Module1;
}

namespace startup {

// Runs the start-up and the main form; returns the exit status of a normal end.
int Main(shared::Module1& module);

// Main's steps before the main form: the program folder's lock, settings, connection
// string, database objects, the paper kind. False when the program has ended.
bool PrepareRun(shared::Module1& module);
// Creates the main form into the module's MainForm.
Frmftyaj& CreateMainForm(shared::Module1& module);

// Reads and checks the settings; false when it has ended the program.
bool GetIni(shared::Module1& module);

// Has the operator choose the paper kind; false when it has ended the program.
bool ChoosePaperKind(shared::Module1& module);

// What main() does: font set-up, a Module1 on the given services, Main.
int RunProgram(platform::Services& services);

}  // namespace startup
