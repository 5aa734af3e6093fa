#include <array>

#include "dialogs/frmquit.h"
#include "platform/ui/design.h"
#include "platform/ui/text_box.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;

const std::array kDesign = {
    ControlDesign{.kind = Kind::Label, .name = "Label1", .left = 480, .top = 285, .width = 1440,
                .height = 180, .fore = 0x0000FF, .sizing = ui::Label::Sizing::AutoSize,
                .caption = "请输入关机密码："},
    ControlDesign{.kind = Kind::TextBox, .name = "Text1", .left = 2040, .top = 240, .width = 1095,
                .height = 270},
};

}  // namespace

void Frmquit::CreateControls() {
    SetClientSize(3450, 720);
    ui::ApplyDesign(*this, kDesign);
    Label1 = Get<ui::Label>(QStringLiteral("Label1"));
    Text1 = Get<ui::TextBox>(QStringLiteral("Text1"));
}
