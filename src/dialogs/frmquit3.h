#pragma once
// The keypad instructions: a drawn answering keypad with the meaning of its keys.
// Any key, or a click on a drawn key, hides it; it returns nothing.

#include "platform/ui/form.h"

namespace shared {
class Module1;
}

class Frmquit3 : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit3(shared::Module1& module);

    void Form_KeyDown(int& keyCode, int shift) override;
    void SSCommand2_Click(int index);

protected:
    void CreateControls() override;
};
