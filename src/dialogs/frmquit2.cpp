#include "dialogs/frmquit2.h"

#include "platform/ui/fonts.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "shared/module1.h"

Frmquit2::Frmquit2(shared::Module1& module)
    : ui::Form(ui::Form::Style::FixedDialog), module_(module) {
    setFont(ui::DefaultDialogFont());
}

void Frmquit2::Form_Load() {
    Label2->SetCaption(module_.CandidateName);
    Label3->SetCaption(module_.AdmissionNo);
}

void Frmquit2::Form_KeyDown(int& keyCode, int) {
    switch (keyCode) {
        case ui::vk::Return:
            Confirmed = true;
            Hide();
            break;
        case ui::vk::Escape:
            Confirmed = false;
            Hide();
            break;
        default:
            keyCode = 0;
            break;
    }
}
