// Placeholder until the exam screen lands: the title caption on the bare window.
#include <array>

#include "exam/frmftyaj.h"
#include "platform/ui/design.h"
#include "platform/ui/label.h"
#include "startup/module1.h"

namespace {
const std::array kDesign = {
    ui::ControlSpec{.kind = ui::ControlSpec::Kind::Label, .name = "Label1", .left = 1200,
                    .top = 360, .width = 5445, .height = 495,
                    .font = {"楷体_GB2312", 24, true}, .fore = 0xFF0000,
                    .sizing = ui::Label::Sizing::AutoSize, .caption = "Derravance"},
};
}  // namespace

void Frmftyaj::CreateControls() {
    ui::ApplyDesign(*this, kDesign);
    Label1 = Get<ui::Label>(QStringLiteral("Label1"));
}
void Frmftyaj::Form_Resize() {}
void Frmftyaj::GetOpen() {}
void Frmftyaj::GetSave() {}
void Frmftyaj::GetForms() {}
void Frmftyaj::GetPicture(const QString&) {}
void Frmftyaj::GetOpen1() {}
void Frmftyaj::GetForms1() {}
