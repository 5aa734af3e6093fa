#include <array>

#include "dialogs/frmquit3.h"
#include "platform/ui/button3d.h"
#include "platform/ui/design.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;

constexpr int kGrey = 0xC0C0C0;
constexpr int kBlue = 0x0000FF;
constexpr int kRed = 0xFF0000;
constexpr double kKey = 615;
constexpr double kDouble = 1455;  // a key over two rows or two columns
constexpr ui::FontDesign kDigitFont{"宋体", 15, true};
constexpr ui::FontDesign kSevenFont{"宋体", 15.75, true};
constexpr ui::FontDesign kWordFont{};

constexpr ControlDesign Key(int index, double left, double top, const char* caption,
                          ui::FontDesign font, double width = kKey, double height = kKey) {
    return {.kind = Kind::Button, .name = "SSCommand2", .index = index, .container = "SSPanel2",
            .left = left, .top = top, .width = width, .height = height, .font = font,
            .fore = kBlue, .caption = caption};
}

constexpr ControlDesign Lead(const char* name, int index, const char* panel, double x1, double y1,
                           double x2, double y2) {
    return {.kind = Kind::Line, .name = name, .index = index, .container = panel, .left = x1,
            .top = y1, .width = x2, .height = y2};
}

constexpr ControlDesign Note(const char* name, int index, double left, double top,
                           const char* caption, double width = 0, double height = 0) {
    return {.kind = Kind::Label, .name = name, .index = index, .container = "SSPanel1",
            .left = left, .top = top, .width = width, .height = height, .fore = kRed,
            .sizing = width == 0 ? ui::Label::Sizing::AutoSize : ui::Label::Sizing::Fixed,
            .caption = caption};
}

// The keypad body lies over SSPanel1's lines and labels, so it comes after them; the
// keys come after the short lines of their own panel.
const std::array kDesign = {
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel1", .left = 0, .top = 0, .width = 6560,
                .height = 5895, .back = kGrey},
    ControlDesign{.kind = Kind::Label, .name = "Label1", .index = 0, .container = "SSPanel1",
                .left = 960, .top = 120, .font = {"宋体", 24, true}, .fore = kBlue,
                .sizing = ui::Label::Sizing::AutoSize, .caption = "答题键盘的使用方法"},
    ControlDesign{.kind = Kind::Label, .name = "Label1", .index = 1, .container = "SSPanel1",
                .left = 1200, .top = 5280, .font = {"宋体", 21.75, true}, .fore = 0x008000,
                .sizing = ui::Label::Sizing::AutoSize, .caption = "按任意键,开始考试!"},
    Note("Label2", 0, 240, 1185, "结束考试"),
    Note("Label2", 3, 5520, 1170, "返回上题"),
    Note("Label2", 2, 5520, 2370, "向下一题", 735, 255),
    Note("Label2", 1, 5520, 3720, "开始考试        确认答案        向下一题", 735, 975),
    Note("Label3", 1, 240, 2400, "根据答案        前的序号", 735, 600),
    Note("Label3", 0, 240, 3120, "按数字键        选择答案", 735, 600),
    Lead("Line1", 1, "SSPanel1", 1080, 1260, 1800, 1260),
    Lead("Line8", -1, "SSPanel1", 1320, 2040, 1320, 3840),
    Lead("Line10", -1, "SSPanel1", 1320, 2040, 1440, 2040),
    Lead("Line9", -1, "SSPanel1", 1320, 3840, 1440, 3840),
    Lead("Line5", 1, "SSPanel1", 1080, 2925, 1440, 2925),
    Lead("Line2", 0, "SSPanel1", 4680, 1245, 5400, 1245),
    Lead("Line3", -1, "SSPanel1", 4680, 2475, 5400, 2475),
    Lead("Line4", -1, "SSPanel1", 4680, 4155, 5400, 4155),
    ControlDesign{.kind = Kind::Panel, .name = "SSPanel2", .container = "SSPanel1", .left = 1440,
                .top = 720, .width = 3615, .height = 4455, .back = kGrey},
    Lead("Line7", -1, "SSPanel2", 0, 540, 240, 540),
    Lead("Line11", -1, "SSPanel2", 0, 1320, 240, 1320),
    Lead("Line12", -1, "SSPanel2", 240, 2200, 0, 2200),
    Lead("Line13", -1, "SSPanel2", 240, 3120, 0, 3120),
    Lead("Line1", 0, "SSPanel2", 3360, 520, 3600, 520),
    Lead("Line5", 0, "SSPanel2", 3360, 1750, 3600, 1750),
    Lead("Line6", -1, "SSPanel2", 3360, 3430, 3600, 3430),
    Key(13, 240, 240, "退 出", kWordFont),
    Key(16, 1080, 240, "", kDigitFont),
    Key(15, 1920, 240, "", kDigitFont),
    Key(3, 2760, 240, "上翻", kWordFont),
    Key(0, 240, 1080, "7", kSevenFont),
    Key(5, 1080, 1080, "8", kDigitFont),
    Key(6, 1920, 1080, "9", kDigitFont),
    Key(17, 2760, 1080, "下翻", kWordFont, kKey, kDouble),
    Key(7, 240, 1920, "4", kDigitFont),
    Key(8, 1080, 1920, "5", kDigitFont),
    Key(9, 1920, 1920, "6", kDigitFont),
    Key(10, 240, 2760, "1", kDigitFont),
    Key(11, 1080, 2760, "2", kDigitFont),
    Key(12, 1920, 2760, "3", kDigitFont),
    Key(1, 2760, 2760, "确定", kWordFont, kKey, kDouble),
    Key(2, 240, 3600, "0", kDigitFont, kDouble, kKey),
    Key(14, 1920, 3600, ".", kDigitFont),
};

}  // namespace

void Frmquit3::CreateControls() {
    SetCaption(QStringLiteral("键盘使用方法"));
    SetClientSize(6525, 5895);
    ui::ApplyDesign(*this, kDesign);
    for (const ControlDesign& item : kDesign) {
        if (item.kind != Kind::Button) continue;
        auto* key = Get<ui::Button3D>(QString::fromUtf8(item.name), item.index);
        connect(key, &ui::Button3D::Click, this, &Frmquit3::SSCommand2_Click);
    }
}
