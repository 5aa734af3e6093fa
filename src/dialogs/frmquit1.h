#pragma once
// The end-the-exam prompt: the key 1 ends the exam, any other key goes on with it.
// The prompt hides itself after the first key.

#include <array>

#include "platform/ui/form.h"

namespace ui {
class Panel3D;
}

namespace shared {
class Module1;
}

class Frmquit1 : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit1(shared::Module1& module);

    bool EndExam = false;

    ui::Panel3D* SSPanel1 = nullptr;
    std::array<ui::Panel3D*, 3> SSPanel2{};  // elements 0 and 2; the array has no 1

    void Form_KeyDown(int& keyCode, int shift) override;

protected:
    void CreateControls() override;
};
