// The exam screen as designed: every control, its place in twips, font, colour and
// caption, the stacking order, the pictures and the two timers.
#include <QImage>
#include <array>

#include "exam/frmftyaj.h"
#include "platform/ui/design.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/timer.h"

namespace {

using ui::ControlDesign;
using Kind = ControlDesign::Kind;
using Sizing = ui::Label::Sizing;

constexpr int kRed = 0xFF0000;
constexpr int kMagenta = 0xFF00FF;
constexpr int kCyan = 0x00FFFF;
constexpr int kYellow = 0xFFFF00;

constexpr ui::FontDesign kKai24{"楷体_GB2312", 24, true};
constexpr ui::FontDesign kKai1575{"楷体_GB2312", 15.75, true};
constexpr ui::FontDesign kKai15{"楷体_GB2312", 15, true};
constexpr ui::FontDesign kKai12{"楷体_GB2312", 12, true};
constexpr ui::FontDesign kSong2175{"宋体", 21.75, true};
constexpr ui::FontDesign kSong2625{"宋体", 26.25, true};
constexpr ui::FontDesign kArialBlack15{"Arial Black", 15, true};
constexpr ui::FontDesign kArial15{"Arial", 15, false};

constexpr const char* kMarker = ":/pictures/ChoiceMarker.ico";

// clang-format off
// Option rows stand 840 twips apart from the first at 2760.
constexpr double Row(int i) { return 2760 + 840 * (i - 1); }

ControlDesign Marker(int i) {
    return {.kind = Kind::ImageBox, .name = "Image1", .index = i, .left = 5880, .top = Row(i),
            .width = 480, .height = 480, .picture = kMarker};
}

ControlDesign OptionNumber(int i, const char* circled) {
    return {.kind = Kind::Label, .name = "Label7", .index = i, .left = 6480, .top = Row(i),
            .width = 330, .height = 420, .font = kArialBlack15, .fore = kCyan,
            .sizing = Sizing::AutoSize, .caption = circled};
}

ControlDesign OptionText(int i, const char* caption = "") {
    return {.kind = Kind::Label, .name = "Label6", .index = i, .left = 6960, .top = Row(i),
            .width = 4335, .height = 615, .font = kKai15, .fore = kCyan, .caption = caption};
}

const std::array kDesign = {
    ControlDesign{.kind = Kind::Label, .name = "Label1", .left = 1200, .top = 360, .width = 5445,
                .height = 495, .font = kKai24, .fore = kRed, .sizing = Sizing::AutoSize,
                .caption = "Derravance"},
    ControlDesign{.kind = Kind::Label, .name = "Label4", .left = 2040, .top = 1200, .width = 195,
                .height = 315, .font = kKai1575, .fore = kMagenta, .sizing = Sizing::AutoSize},
    ControlDesign{.kind = Kind::Label, .name = "Label5", .left = 3120, .top = 1680, .width = 1890,
                .height = 435, .font = kSong2175, .fore = kCyan, .sizing = Sizing::AutoSize,
                .caption = "单 选 题"},
    ControlDesign{.kind = Kind::Label, .name = "Label14", .left = 5280, .top = 1680, .width = 3510,
                .height = 435, .font = kSong2175, .fore = kCyan, .sizing = Sizing::AutoSize,
                .caption = "(答案不分先后）"},
    ControlDesign{.kind = Kind::Label, .name = "Label10", .left = 840, .top = 2280, .width = 1635,
                .height = 300, .font = kKai15, .fore = kCyan, .sizing = Sizing::AutoSize,
                .caption = "第      题"},
    ControlDesign{.kind = Kind::Label, .name = "Label11", .left = 1200, .top = 2220, .width = 915,
                .height = 410, .font = kArialBlack15, .fore = kRed,
                .alignment = Qt::AlignHCenter, .caption = "11"},
    ControlDesign{.kind = Kind::Label, .name = "Label3", .left = 840, .top = 2760, .width = 4335,
                .height = 3855, .border = true},
    ControlDesign{.kind = Kind::Label, .name = "Label2", .left = 1200, .top = 3000, .width = 3615,
                .height = 2700, .font = kKai15, .fore = kCyan, .sizing = Sizing::AutoSizeWrap,
                .caption = "这里显示题目的内容。题目较长时自动换行，"
                           "题目下方的方框里显示本题的图片。"},
    ControlDesign{.kind = Kind::ImageBox, .name = "Image3", .left = 960, .top = 5040,
                .width = 4095, .height = 1455},
    Marker(1), Marker(2), Marker(3), Marker(4), Marker(5), Marker(6),
    OptionNumber(1, "①"), OptionNumber(2, "②"), OptionNumber(3, "③"),
    OptionNumber(4, "④"), OptionNumber(5, "⑤"), OptionNumber(6, "⑥"),
    OptionText(1, "这里显示答案选项的内容。"), OptionText(2), OptionText(3), OptionText(4),
    OptionText(5), OptionText(6),
    ControlDesign{.kind = Kind::Label, .name = "Label6", .index = 0, .left = 6960, .top = 2400,
                .width = 4335, .height = 615, .font = kKai15, .fore = kRed},
    ControlDesign{.kind = Kind::Label, .name = "Label12", .left = 840, .top = 6840, .width = 2730,
                .height = 300, .font = kKai15, .fore = kCyan, .sizing = Sizing::AutoSize,
                .caption = "剩余时间：     分"},
    ControlDesign{.kind = Kind::Label, .name = "Label13", .left = 2280, .top = 6760, .width = 915,
                .height = 300, .font = kArial15, .fore = kRed, .alignment = Qt::AlignHCenter,
                .caption = "11"},
    ControlDesign{.kind = Kind::ImageBox, .name = "Image2", .left = -15000, .top = 1200,
                .width = 11040, .height = 7200, .picture = ":/pictures/TitlePhoto.bmp",
                .stretch = true},
    ControlDesign{.kind = Kind::Label, .name = "Label9", .left = 2280, .top = 6600, .width = 4440,
                .height = 525, .font = kSong2625, .fore = kYellow, .sizing = Sizing::AutoSize,
                .caption = "Ostrevane"},
    ControlDesign{.kind = Kind::Label, .name = "Label8", .left = 360, .top = 7080, .width = 9990,
                .height = 240, .font = kKai12, .fore = kYellow, .sizing = Sizing::AutoSize,
                .caption = "提示：按《数字》选择答案；《上翻》或《F3》返回上题；"
                           "《下翻》或《F4》向下一题；"},
    ControlDesign{.kind = Kind::Label, .name = "Label15", .left = -240, .top = 6240, .width = 9435,
                .height = 240, .font = kKai12, .fore = kYellow, .sizing = Sizing::AutoSize,
                .caption = "      按《确认》或《Enter》确认答案并向下一题； "
                           "《退出》或《Esc》结束考试"},
    // Lines: X1, Y1, X2, Y2.
    ControlDesign{.kind = Kind::Line, .name = "Line1", .left = 360, .top = 7320, .width = 7440,
                .height = 7320, .fore = 0x0000FF, .penWidth = 2},
    ControlDesign{.kind = Kind::Line, .name = "Line2", .left = 240, .top = 7320, .width = 7320,
                .height = 7320, .fore = 0x80FF80, .penWidth = 1},
};

// Topmost first; the title photograph covers everything listed after it.
constexpr std::array<const char*, 36> kStacking = {
    "Label6(0)", "Label15",   "Image3",    "Label9",    "Image2",    "Label8",
    "Label7(6)", "Label7(5)", "Label7(4)", "Label7(3)", "Label7(2)", "Label7(1)",
    "Label6(5)", "Label6(4)", "Label6(3)", "Label6(2)", "Label6(1)", "Label6(6)",
    "Image1(5)", "Image1(4)", "Image1(3)", "Image1(2)", "Image1(1)", "Image1(6)",
    "Label5",    "Label4",    "Label2",    "Label3",    "Line2",     "Line1",
    "Label1",    "Label11",   "Label10",   "Label12",   "Label13",   "Label14",
};
// clang-format on

constexpr int kTimerIntervalMs = 500;

}  // namespace

void Frmftyaj::CreateControls() {
    SetCaption(QString());
    SetIcon(QImage(QStringLiteral(":/pictures/AppIcon.ico")));
    SetBackgroundPicture(QImage(QStringLiteral(":/pictures/FormBackground.jpg")));
    ui::ApplyDesign(*this, kDesign, kStacking);

    const auto label = [this](const char* name, int index = -1) {
        return Get<ui::Label>(QString::fromUtf8(name), index);
    };
    const auto image = [this](const char* name, int index = -1) {
        return Get<ui::ImageBox>(QString::fromUtf8(name), index);
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5");
    Label8 = label("Label8");
    Label9 = label("Label9");
    Label10 = label("Label10");
    Label11 = label("Label11");
    Label12 = label("Label12");
    Label13 = label("Label13");
    Label14 = label("Label14");
    Label15 = label("Label15");
    for (int i = 0; i <= 6; ++i) Label6[i] = label("Label6", i);
    for (int i = 1; i <= 6; ++i) {
        Label7[i] = label("Label7", i);
        Image1[i] = image("Image1", i);
    }
    Image2 = image("Image2");
    Image3 = image("Image3");
    Line1 = Get<ui::Line>(QStringLiteral("Line1"));
    Line2 = Get<ui::Line>(QStringLiteral("Line2"));

    Timer1 =
        new ui::Timer(this, QStringLiteral("Timer1"), kTimerIntervalMs, [this] { Timer1_Timer(); });
    Timer2 =
        new ui::Timer(this, QStringLiteral("Timer2"), kTimerIntervalMs, [this] { Timer2_Timer(); });
    Timer1->SetEnabled(true);
    Timer2->SetEnabled(true);
}
