#include "dialogs/frmquit3.h"

#include "platform/ui/fonts.h"

// Made on the module like every dialog, though it reads nothing of it.
Frmquit3::Frmquit3(shared::Module1&) : ui::Form(ui::Form::Style::FixedDialog) {
    setFont(ui::DefaultDialogFont());
}

void Frmquit3::Form_KeyDown(int&, int) { Hide(); }

void Frmquit3::SSCommand2_Click(int) { Hide(); }
