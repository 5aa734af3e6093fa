#pragma once
// The candidate confirmation: shows the candidate's name and admission number; Enter
// starts the exam, Esc declines it, every other key is swallowed. It hides itself.

#include <array>

#include "platform/ui/form.h"

namespace ui {
class Label;
}

namespace shared {
class Module1;
}

class Frmquit2 : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit2(shared::Module1& module);

    bool Confirmed = false;

    std::array<ui::Label*, 3> Label1{};
    ui::Label* Label2 = nullptr;
    ui::Label* Label3 = nullptr;

    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;

protected:
    void CreateControls() override;

private:
    shared::Module1& module_;
};
