#include <gtest/gtest.h>

#include <QFontInfo>
#include <cmath>

#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/timer.h"
#include "support/exam_screen.h"

namespace {

using testing_support::ExamScreen;
using Sizing = ui::Label::Sizing;

constexpr float kMoved = NAN;  // placed by the layout, not by the design

struct LabelCase {
    const char* name;
    int index;
    float left, top, width, height;  // width and height checked for fixed labels only
    const char* font;
    double points;
    bool bold;
    QRgb color;
    Sizing sizing;
    bool centred;
    const char* caption;  // nullptr: a sample text, not checked
};

constexpr QRgb kRed = 0xFFFF0000, kMagenta = 0xFFFF00FF, kCyan = 0xFF00FFFF, kYellow = 0xFFFFFF00;

const LabelCase kLabels[] = {
    {"Label1", -1, kMoved, 360, 0, 0, "楷体_GB2312", 24, true, kRed, Sizing::AutoSize, false,
     "Derravance"},
    {"Label4", -1, kMoved, 1200, 0, 0, "楷体_GB2312", 15.75, true, kMagenta, Sizing::AutoSize,
     false, ""},
    {"Label5", -1, kMoved, 1680, 0, 0, "宋体", 21.75, true, kCyan, Sizing::AutoSize, false,
     "单 选 题"},
    {"Label14", -1, kMoved, 1680, 0, 0, "宋体", 21.75, true, kCyan, Sizing::AutoSize, false,
     "(答案不分先后）"},
    {"Label10", -1, 840, 2280, 0, 0, "楷体_GB2312", 15, true, kCyan, Sizing::AutoSize, false,
     "第      题"},
    {"Label11", -1, 1200, 2220, 915, 410, "Arial Black", 15, true, kRed, Sizing::Fixed, true, "11"},
    {"Label2", -1, 1200, 3000, 0, 0, "楷体_GB2312", 15, true, kCyan, Sizing::AutoSizeWrap, false,
     nullptr},
    {"Label6", 0, 6960, kMoved, 4335, 615, "楷体_GB2312", 15, true, kRed, Sizing::Fixed, false, ""},
    {"Label12", -1, 840, kMoved, 0, 0, "楷体_GB2312", 15, true, kCyan, Sizing::AutoSize, false,
     "剩余时间：     分"},
    {"Label13", -1, 2280, kMoved, 915, 300, "Arial", 15, false, kRed, Sizing::Fixed, true, "11"},
    {"Label9", -1, kMoved, kMoved, 0, 0, "宋体", 26.25, true, kYellow, Sizing::AutoSize, false,
     "Ostrevane"},
    {"Label8", -1, kMoved, kMoved, 0, 0, "楷体_GB2312", 12, true, kYellow, Sizing::AutoSize, false,
     "提示：按《数字》选择答案；《上翻》或《F3》返回上题；《下翻》或《F4》向下一题；"},
    {"Label15", -1, kMoved, kMoved, 0, 0, "楷体_GB2312", 12, true, kYellow, Sizing::AutoSize, false,
     "      按《确认》或《Enter》确认答案并向下一题； 《退出》或《Esc》结束考试"},
};

const char* const kCircled[] = {"", "①", "②", "③", "④", "⑤", "⑥"};

void ExpectLabel(const Frmftyaj& form, const LabelCase& c) {
    const QString who = QStringLiteral("%1(%2)").arg(QString::fromUtf8(c.name)).arg(c.index);
    const auto* label = form.Get<ui::Label>(QString::fromUtf8(c.name), c.index);
    ASSERT_NE(label, nullptr) << who.toStdString();
    SCOPED_TRACE(who.toStdString());
    if (!std::isnan(c.left)) {
        EXPECT_FLOAT_EQ(label->Left(), c.left);
    }
    if (!std::isnan(c.top)) {
        EXPECT_FLOAT_EQ(label->Top(), c.top);
    }
    if (c.sizing == Sizing::Fixed) {
        EXPECT_FLOAT_EQ(label->Width(), c.width);
        EXPECT_FLOAT_EQ(label->Height(), c.height);
    }
    EXPECT_EQ(label->font().family(), QString::fromUtf8(c.font));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), c.points);
    EXPECT_EQ(label->font().bold(), c.bold);
    EXPECT_EQ(label->ForeColor().rgba(), c.color);
    EXPECT_EQ(label->GetSizing(), c.sizing);
    EXPECT_EQ(label->Alignment(), c.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    EXPECT_FALSE(label->Border());
    if (c.caption != nullptr) {
        EXPECT_EQ(label->Caption(), QString::fromUtf8(c.caption));
    }
}

TEST(ExamDesign, EveryLabelAsDesigned) {
    ExamScreen screen;
    for (const LabelCase& c : kLabels) ExpectLabel(*screen.form, c);
    for (int i = 1; i <= 6; ++i) {
        const float top = 2760 + 840 * (i - 1);
        ExpectLabel(*screen.form, {"Label7", i, 6480, top, 0, 0, "Arial Black", 15, true, kCyan,
                                   Sizing::AutoSize, false, kCircled[i]});
        ExpectLabel(*screen.form, {"Label6", i, 6960, top, 4335, 615, "楷体_GB2312", 15, true,
                                   kCyan, Sizing::Fixed, false, nullptr});
    }
    const Frmftyaj& f = *screen.form;
    EXPECT_FLOAT_EQ(f.Label2->Width(), 3615);
    EXPECT_FLOAT_EQ(f.Label3->Left(), 840);
    EXPECT_TRUE(f.Label3->Border());
    EXPECT_TRUE(f.Label3->Caption().isEmpty());
    EXPECT_EQ(f.Label3->GetSizing(), Sizing::Fixed);
    EXPECT_TRUE(f.Label6[2]->Caption().isEmpty());
}

TEST(ExamDesign, PicturesLinesAndTimers) {
    ExamScreen screen;
    const Frmftyaj& f = *screen.form;
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(f.Image1[i]->Left(), 5880);
        EXPECT_FLOAT_EQ(f.Image1[i]->Top(), 2760 + 840 * (i - 1));
        EXPECT_FLOAT_EQ(f.Image1[i]->Width(), 480) << "the marker's natural size";
        EXPECT_FLOAT_EQ(f.Image1[i]->Height(), 480);
        EXPECT_FALSE(f.Image1[i]->Stretch());
        EXPECT_TRUE(f.Image1[i]->HasPicture());
        EXPECT_EQ(f.Image1[i]->Picture(), f.Image1[1]->Picture());
    }
    EXPECT_TRUE(f.Image2->Stretch());
    EXPECT_EQ(f.Image2->Picture().size(), QSize(640, 480));
    EXPECT_FLOAT_EQ(f.Image3->Left(), 960);
    EXPECT_FLOAT_EQ(f.Image3->Width(), 4095);
    EXPECT_FLOAT_EQ(f.Image3->Height(), 1455);

    EXPECT_EQ(f.Line1->Color(), QColor(0, 0, 255));
    EXPECT_EQ(f.Line1->PenWidth(), 2);
    EXPECT_EQ(f.Line2->Color(), QColor(128, 255, 128));
    EXPECT_EQ(f.Line2->PenWidth(), 1);

    EXPECT_EQ(f.Timer1->Interval(), 500);
    EXPECT_EQ(f.Timer2->Interval(), 500);
    EXPECT_TRUE(f.Timer1->Enabled()) << "the idle cycle runs from the design";
}

TEST(ExamDesign, WindowWithoutTitleBarWithIconAndBackground) {
    ExamScreen screen(1920, 1080);
    const Frmftyaj& f = *screen.form;
    EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(f.windowTitle().isEmpty());
    EXPECT_FALSE(f.windowIcon().isNull());
    const QImage background = f.BackgroundPicture();
    ASSERT_EQ(background.size(), QSize(1023, 605));

    const QImage shot = screen.form->grab().toImage();
    EXPECT_EQ(shot.pixel(1000, 15), background.pixel(1000, 15)) << "natural size, top-left";
    EXPECT_EQ(QColor(shot.pixel(1900, 700)), f.palette().color(QPalette::Button))
        << "the 3-D face colour beyond the picture";
}

TEST(ExamDesign, StackingOrderTopmostFirst) {
    ExamScreen screen;
    const char* const expected[] = {
        "Label6(0)", "Label15",   "Image3",    "Label9",    "Image2",    "Label8",
        "Label7(6)", "Label7(5)", "Label7(4)", "Label7(3)", "Label7(2)", "Label7(1)",
        "Label6(5)", "Label6(4)", "Label6(3)", "Label6(2)", "Label6(1)", "Label6(6)",
        "Image1(5)", "Image1(4)", "Image1(3)", "Image1(2)", "Image1(1)", "Image1(6)",
        "Label5",    "Label4",    "Label2",    "Label3",    "Line2",     "Line1",
        "Label1",    "Label11",   "Label10",   "Label12",   "Label13",   "Label14",
    };
    QStringList topmostFirst;
    for (const QObject* child : screen.form->children()) {
        if (qobject_cast<const ui::Control*>(child) != nullptr)
            topmostFirst.prepend(child->objectName());
    }
    QStringList want;
    for (const char* name : expected) want.append(QString::fromUtf8(name));
    EXPECT_EQ(topmostFirst, want);
}

TEST(ExamDesign, ChineseTextsFindTheKaiAndSongFonts) {
    ExamScreen screen;
    const Frmftyaj& f = *screen.form;
    const struct {
        const ui::Label* label;
        const char* family;
    } cases[] = {
        {f.Label8, "AR PL UKai"},   {f.Label12, "AR PL UKai"},      {f.Label5, "AR PL UMing"},
        {f.Label14, "AR PL UMing"}, {f.Label13, "Liberation Sans"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(QFontInfo(c.label->font()).family().startsWith(QString::fromUtf8(c.family)))
            << c.label->Name().toStdString() << " "
            << QFontInfo(c.label->font()).family().toStdString();
        const QFontMetrics metrics(c.label->font());
        for (const QChar ch : c.label->Caption()) {
            if (ch.unicode() > 0x2000) {
                EXPECT_TRUE(metrics.inFont(ch)) << c.label->Name().toStdString();
            }
        }
    }
}

TEST(TitleScreen, AfterStart) {
    ExamScreen screen(1024, 768);
    const Frmftyaj& f = *screen.form;
    EXPECT_EQ(f.Label1->Caption(), kProductTitle);
    EXPECT_FLOAT_EQ(f.Label1->Left(),
                    static_cast<float>(f.ScaleWidth() / 2 - f.Label1->Width() / 2));
    EXPECT_TRUE(f.Label9->Visible());
    EXPECT_FLOAT_EQ(f.Image2->Left(), 600);
    EXPECT_TRUE(f.Image2->Visible());
    EXPECT_FALSE(f.Label8->Visible());
    EXPECT_FALSE(f.Label15->Visible());
    EXPECT_FALSE(f.Image3->HasPicture());
    EXPECT_EQ(f.Image3->Appearance(), 0);
    EXPECT_EQ(f.Image3->BorderStyle(), 0);
    EXPECT_TRUE(f.Label6[0]->Caption().isEmpty());
    EXPECT_TRUE(f.Line1->Visible());
    EXPECT_TRUE(f.Line2->Visible());
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_FALSE(f.Timer2->Enabled()) << "the load stops the countdown of the design";
    // The photograph covers the question area and ends just above the countdown's last twips.
    const QRect photo = f.Image2->geometry();
    const ui::Control* coveredControls[] = {f.Label3,    f.Label2,    f.Label10, f.Label11,
                                            f.Label6[6], f.Image1[1], f.Label5};
    for (const ui::Control* covered : coveredControls) {
        EXPECT_TRUE(photo.contains(covered->geometry())) << covered->FullName().toStdString();
    }
    const float photoBottom = f.Image2->Top() + f.Image2->Height();
    EXPECT_FLOAT_EQ(f.Label13->Top() + f.Label13->Height(), photoBottom + 10);
    EXPECT_FLOAT_EQ(f.Label12->Top(), f.Label13->Top() + 20);
}

}  // namespace
