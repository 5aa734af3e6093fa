#include <array>

#include "dialogs/frmquit1.h"
#include "platform/ui/design.h"
#include "platform/ui/panel3d.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;

constexpr ui::FontDesign kQuestionFont{"宋体", 18, true};
constexpr ui::FontDesign kAnswerFont{"楷体_GB2312", 14.25, true};

const std::array kDesign = {
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel1", .left = 360, .top = 360, .width = 3870,
                .height = 375, .font = kQuestionFont, .fore = 0x0000FF, .back = 0xC0C0C0,
                .alignment = Qt::AlignCenter, .caption = "确实要结束考试吗？"},
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel2", .index = 0, .left = 720, .top = 960,
                .width = 2415, .height = 300, .font = kAnswerFont, .fore = 0xFF0000,
                .back = 0xC0C0C0, .alignment = Qt::AlignCenter, .caption = "1、结束考试"},
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel2", .index = 2, .left = 720, .top = 1680,
                .width = 2415, .height = 300, .font = kAnswerFont, .fore = 0xFF0000,
                .back = 0xC0C0C0, .alignment = Qt::AlignCenter, .caption = "2、继续考试"},
};

}  // namespace

void Frmquit1::CreateControls() {
    SetCaption(QStringLiteral("提示信息"));
    SetClientSize(4575, 2580);
    ui::ApplyDesign(*this, kDesign);
    SSPanel1 = Get<ui::Panel3D>(QStringLiteral("SSPanel1"));
    SSPanel2[0] = Get<ui::Panel3D>(QStringLiteral("SSPanel2"), 0);
    SSPanel2[2] = Get<ui::Panel3D>(QStringLiteral("SSPanel2"), 2);
}
