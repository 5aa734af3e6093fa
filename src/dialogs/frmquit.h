#pragma once
// The operator-code dialog: asks for the operator code and tells the caller, through
// its public fields, what was entered. One Enter or Esc ends it; it unloads itself.

#include <QString>

#include "platform/ui/form.h"

namespace ui {
class Label;
class TextBox;
}  // namespace ui

namespace shared {
class Module1;
}

class Frmquit : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit(shared::Module1& module);

    bool QuitFlag = false;
    bool CodeAccepted = false;
    QString CodeNumber;

    ui::Label* Label1 = nullptr;
    ui::TextBox* Text1 = nullptr;

    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Text1_KeyPress(int& keyAscii);
    void Text1_Validate(bool& cancel);
    void Text1_LostFocus();

    // The code of a day: its month and day, "mmdd".
    static QString CodeForDate(const QDate& date);

protected:
    void CreateControls() override;

private:
    enum class Entry { ExactCode, CodeAndNumber, Other };
    Entry TestEntry() const;
    // Sets the result fields from the text and unloads the dialog.
    void Conclude(bool exactCodeAccepted);

    shared::Module1& module_;
    QString ExpectedCode;
};
