#include "dialogs/frmquit.h"

#include "platform/numbers.h"
#include "platform/ui/keys.h"
#include "platform/ui/text_box.h"
#include "shared/module1.h"

Frmquit::Frmquit(shared::Module1& module)
    : ui::Form(ui::Form::Style::FixedDialogNoCaption), module_(module) {}

QString Frmquit::CodeForDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyyMMdd")).mid(4, 4);
}

void Frmquit::Form_Load() {
    Text1->SetPasswordChar(QStringLiteral("*"));
    Text1->DisableInputMethod();
    Text1->KeyPress = [this](int& keyAscii) { Text1_KeyPress(keyAscii); };
    Text1->Validate = [this](bool& cancel) { Text1_Validate(cancel); };
    Text1->LostFocus = [this] { Text1_LostFocus(); };
    Text1->SetText(QString());
    ExpectedCode = CodeForDate(module_.Sys.clock->Now().date());
}

Frmquit::Entry Frmquit::TestEntry() const {
    const QString text = Text1->Text();
    if (text == ExpectedCode) return Entry::ExactCode;
    if (text.left(4) == ExpectedCode && text.size() > 4 &&
        platform::ReadNumber(text.mid(4)) > 4) {
        return Entry::CodeAndNumber;
    }
    return Entry::Other;
}

void Frmquit::Conclude(bool exactCodeAccepted) {
    switch (TestEntry()) {
        case Entry::ExactCode:
            QuitFlag = true;
            CodeAccepted = exactCodeAccepted;
            break;
        case Entry::CodeAndNumber:
            QuitFlag = false;
            CodeAccepted = true;
            CodeNumber = Text1->Text().mid(4);
            break;
        case Entry::Other:
            QuitFlag = false;
            CodeAccepted = false;
            break;
    }
    Unload();
}

void Frmquit::Text1_KeyPress(int& keyAscii) {
    if (keyAscii != 13) return;
    keyAscii = 0;
    // Handled after this handler returns, when the dialog has already gone.
    module_.Sys.keys->SendTab();
    Conclude(true);
}

void Frmquit::Text1_Validate(bool&) { Conclude(true); }

// Focus loss accepts the exact code as the exit code only, not as an accepted entry.
void Frmquit::Text1_LostFocus() { Conclude(false); }

void Frmquit::Form_KeyDown(int& keyCode, int) {
    if (keyCode != ui::vk::Escape) return;
    QuitFlag = false;
    CodeAccepted = false;
    Unload();
}
