#include "dialogs/frmquit4.h"

#include "dialogs/prompt_key.h"
#include "platform/ui/fonts.h"

// Made on the module like every dialog, though the prompt reads nothing of it.
Frmquit4::Frmquit4(shared::Module1&) : ui::Form(ui::Form::Style::FixedDialog) {
    setFont(ui::DefaultDialogFont());
}

void Frmquit4::Form_KeyDown(int& keyCode, int) {
    const std::optional<bool> yes = dialogs::TakePromptKey(keyCode);
    if (!yes) return;
    ReviewWrong = *yes;
    Hide();
}
