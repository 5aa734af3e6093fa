#include "dialogs/frmquit1.h"

#include "dialogs/prompt_key.h"
#include "platform/ui/fonts.h"

// Made on the module like every dialog, though the prompt reads nothing of it.
Frmquit1::Frmquit1(shared::Module1&) : ui::Form(ui::Form::Style::FixedDialog) {
    setFont(ui::DefaultDialogFont());
}

void Frmquit1::Form_KeyDown(int& keyCode, int) {
    const std::optional<bool> yes = dialogs::TakePromptKey(keyCode);
    if (!yes) return;
    EndExam = *yes;
    Hide();
}
