#pragma once
// The review prompt: the key 1 asks for the wrongly answered questions, any other
// key declines. The prompt hides itself after the first key.

#include <array>

#include "platform/ui/form.h"

namespace ui {
class Panel3D;
}

namespace shared {
class Module1;
}

class Frmquit4 : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit4(shared::Module1& module);

    bool ReviewWrong = false;

    ui::Panel3D* SSPanel1 = nullptr;
    std::array<ui::Panel3D*, 2> SSPanel2{};  // elements 0 and 1

    void Form_KeyDown(int& keyCode, int shift) override;

protected:
    void CreateControls() override;
};
