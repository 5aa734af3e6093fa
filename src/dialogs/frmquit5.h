#pragma once
// The paper-kind selection: lists up to ten kinds of sjname and takes one key; a
// digit picks a kind by a fixed table, any other key, or nine ticks without a key,
// picks "91". The choice goes into the module's PaperKind and nowhere else; the
// dialog then hides itself and stays loaded, its timer stopped.

#include <array>

#include "platform/ui/form.h"

namespace ui {
class Panel3D;
class Timer;
}  // namespace ui

namespace shared {
class Module1;
}

class Frmquit5 : public ui::Form {
    Q_OBJECT

public:
    explicit Frmquit5(shared::Module1& module);

    ui::Panel3D* SSPanel1 = nullptr;
    std::array<ui::Panel3D*, 10> SSPanel2{};
    ui::Timer* Timer1 = nullptr;

    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Timer1_Timer();

    // The kind a key code selects.
    static QString KindForKey(int keyCode);

protected:
    void CreateControls() override;

private:
    // Fills the rows from S1; false when the database could not be read (the program
    // has then been ended).
    bool FillList();
    void Choose(const QString& kind);

    shared::Module1& module_;
    qint32 TickCount = 0;
};
