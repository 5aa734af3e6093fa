#include <array>

#include "dialogs/frmquit2.h"
#include "platform/ui/design.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;
constexpr auto kAutoSize = ui::Label::Sizing::AutoSize;

const std::array kDesign = {
    ControlDesign{.kind = Kind::Label, .name = "Label1", .index = 0, .left = 600, .top = 360,
                .sizing = kAutoSize, .caption = "考生姓名："},
    ControlDesign{.kind = Kind::Label, .name = "Label1", .index = 1, .left = 600, .top = 840,
                .sizing = kAutoSize, .caption = "考试证号："},
    ControlDesign{.kind = Kind::Label, .name = "Label1", .index = 2, .left = 600, .top = 1320,
                .fore = 0xFF0000, .sizing = kAutoSize, .caption = "按《确认》键，开始考试！"},
    ControlDesign{.kind = Kind::Label, .name = "Label2", .left = 1560, .top = 360,
                .sizing = kAutoSize},
    ControlDesign{.kind = Kind::Label, .name = "Label3", .left = 1560, .top = 840,
                .sizing = kAutoSize},
};

}  // namespace

void Frmquit2::CreateControls() {
    SetCaption(QStringLiteral("提示信息"));
    SetClientSize(3345, 1815);
    ui::ApplyDesign(*this, kDesign);
    for (int i = 0; i < 3; ++i) Label1[i] = Get<ui::Label>(QStringLiteral("Label1"), i);
    Label2 = Get<ui::Label>(QStringLiteral("Label2"));
    Label3 = Get<ui::Label>(QStringLiteral("Label3"));
}
