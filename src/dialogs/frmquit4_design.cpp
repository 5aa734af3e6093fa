#include <array>

#include "dialogs/frmquit4.h"
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
                .alignment = Qt::AlignCenter, .caption = "要查询错误答题吗？"},
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel2", .index = 0, .left = 600, .top = 960,
                .width = 2415, .height = 300, .font = kAnswerFont, .fore = 0xFF0000,
                .back = 0xC0C0C0, .alignment = Qt::AlignCenter, .caption = "1、查询"},
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel2", .index = 1, .left = 600, .top = 1680,
                .width = 2415, .height = 300, .font = kAnswerFont, .fore = 0xFF0000,
                .back = 0xC0C0C0, .alignment = Qt::AlignCenter, .caption = "2、退出"},
};

}  // namespace

void Frmquit4::CreateControls() {
    SetCaption(QStringLiteral("提示信息"));
    SetClientSize(4575, 2580);
    ui::ApplyDesign(*this, kDesign);
    SSPanel1 = Get<ui::Panel3D>(QStringLiteral("SSPanel1"));
    SSPanel2[0] = Get<ui::Panel3D>(QStringLiteral("SSPanel2"), 0);
    SSPanel2[1] = Get<ui::Panel3D>(QStringLiteral("SSPanel2"), 1);
}
