#include <array>

#include "dialogs/frmquit5.h"
#include "platform/ui/design.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;

constexpr ui::FontDesign kRowFont{"楷体_GB2312", 14.25, true};

constexpr ControlDesign Row(int index, double top, double width = 4810) {
    return {.kind = Kind::Panel, .name = "SSPanel2", .index = index, .left = 360, .top = top,
            .width = width, .height = 300, .font = kRowFont, .fore = 0x0000FF, .back = 0xC0C0C0,
            .alignment = Qt::AlignLeft | Qt::AlignVCenter};
}

const std::array kDesign = {
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel1", .left = 480, .top = 120, .width = 3870,
                .height = 375, .font = {"宋体", 18, true}, .fore = 0xFF0000, .back = 0xC0C0C0,
                .alignment = Qt::AlignCenter, .caption = "选择考试种类"},
    Row(0, 720),  Row(1, 1170), Row(2, 1620), Row(3, 2085),       Row(4, 2535),
    Row(5, 2985), Row(6, 3435), Row(7, 3885), Row(8, 4320, 4815), Row(9, 4800),
};

}  // namespace

void Frmquit5::CreateControls() {
    SetCaption(QStringLiteral("提示信息"));
    SetClientSize(5625, 5235);
    ui::ApplyDesign(*this, kDesign);
    SSPanel1 = Get<ui::Panel3D>(QStringLiteral("SSPanel1"));
    for (int i = 0; i < 10; ++i) SSPanel2[i] = Get<ui::Panel3D>(QStringLiteral("SSPanel2"), i);
    Timer1 = new ui::Timer(this, QStringLiteral("Timer1"), 1000, [this] { Timer1_Timer(); });
}
