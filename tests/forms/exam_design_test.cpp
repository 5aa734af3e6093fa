#include <gtest/gtest.h>

#include <QFontInfo>
#include <cmath>
#include <map>

#include "exam/frmftyaj.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/timer.h"
#include "support/exam_screen.h"

namespace {

using testing_support::ExamScreen;
using Sizing = ui::Label::Sizing;

// "Label6(0)" -> the element 0 of Label6; "Label1" -> the plain control.
const ui::Control* ControlNamed(const Frmftyaj& form, const QString& fullName) {
    const qsizetype open = fullName.indexOf(QLatin1Char('('));
    if (open < 0) return form.Find(fullName);
    return form.Find(fullName.left(open), fullName.mid(open + 1).chopped(1).toInt());
}

// Every label's caption, font and colour, and the installed font that draws its text.
TEST(ExamDesign, LabelsShowTheirTextsInTheirFontsAndColours) {
    enum Look { Auto, Wrap, Fixed, Centred };
    struct Case {
        QString label;
        const char* caption;  // nullptr: a sample text, replaced before it is ever uncovered
        const char* font;
        double points;
        QRgb colour;
        Look look;
    };
    const char* kai = "楷体_GB2312";
    const char* song = "宋体";
    const QRgb red = 0xFFFF0000, magenta = 0xFFFF00FF, cyan = 0xFF00FFFF, yellow = 0xFFFFFF00;
    std::vector<Case> cases = {
        {"Label1", "Derravance", kai, 24, red, Auto},
        {"Label4", "", kai, 15.75, magenta, Auto},
        {"Label5", "单 选 题", song, 21.75, cyan, Auto},
        {"Label14", "(答案不分先后）", song, 21.75, cyan, Auto},
        {"Label10", "第      题", kai, 15, cyan, Auto},
        {"Label11", "11", "Arial Black", 15, red, Centred},
        {"Label2", nullptr, kai, 15, cyan, Wrap},
        {"Label6(0)", "", kai, 15, red, Fixed},
        {"Label12", "剩余时间：     分", kai, 15, cyan, Auto},
        {"Label13", "11", "Arial", 15, red, Centred},
        {"Label9", "Ostrevane", song, 26.25, yellow, Auto},
        {"Label8", "提示：按《数字》选择答案；《上翻》或《F3》返回上题；《下翻》或《F4》向下一题；",
         kai, 12, yellow, Auto},
        {"Label15", "      按《确认》或《Enter》确认答案并向下一题； 《退出》或《Esc》结束考试",
         kai, 12, yellow, Auto},
    };
    const char* const circled[] = {"①", "②", "③", "④", "⑤", "⑥"};
    for (int i = 1; i <= 6; ++i) {
        cases.push_back(
            {QStringLiteral("Label7(%1)").arg(i), circled[i - 1], "Arial Black", 15, cyan, Auto});
        cases.push_back(
            {QStringLiteral("Label6(%1)").arg(i), i == 1 ? nullptr : "", kai, 15, cyan, Fixed});
    }
    const std::map<QString, QString> installed = {{QString::fromUtf8(kai), "AR PL UKai"},
                                                  {QString::fromUtf8(song), "AR PL UMing"},
                                                  {"Arial", "Liberation Sans"},
                                                  {"Arial Black", "Liberation Sans"}};

    ExamScreen screen;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        const auto* label = qobject_cast<const ui::Label*>(ControlNamed(*screen.form, c.label));
        ASSERT_NE(label, nullptr);
        if (c.caption != nullptr) {
            EXPECT_EQ(label->Caption(), QString::fromUtf8(c.caption));
        }
        const QFont font = label->font();
        EXPECT_EQ(font.family(), QString::fromUtf8(c.font));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        EXPECT_EQ(font.bold(), c.label != "Label13") << "bold but for the countdown";
        EXPECT_EQ(label->ForeColor().rgba(), c.colour);
        const Sizing sizing[] = {Sizing::AutoSize, Sizing::AutoSizeWrap, Sizing::Fixed,
                                 Sizing::Fixed};
        EXPECT_EQ(label->GetSizing(), sizing[c.look]);
        EXPECT_EQ(label->Alignment(), c.look == Centred ? Qt::AlignHCenter : Qt::AlignLeft);
        EXPECT_FALSE(label->Border());
        EXPECT_TRUE(QFontInfo(font).family().startsWith(installed.at(font.family())))
            << QFontInfo(font).family().toStdString();
        for (const QChar ch : label->Caption()) {
            if (ch.unicode() > 0x2000 && !QStringLiteral("①②③④⑤⑥").contains(ch)) {
                EXPECT_TRUE(QFontMetrics(font).inFont(ch)) << QString(ch).toStdString();
            }
        }
    }
}

// Design places of the question area that no layout step moves, in twips; NaN where the
// design does not fix it. The layout's own figures are checked with the layout.
TEST(ExamDesign, QuestionAreaStandsWhereDesigned) {
    const float any = NAN;
    struct Place {
        QString control;
        float left, top, width, height;
    };
    std::vector<Place> places = {
        {"Label10", 840, 2280, any, any}, {"Label11", 1200, 2220, 915, 410},
        {"Label3", any, any, 4335, any},  {"Label2", 1200, 3000, 3615, any},
        {"Image3", 960, any, 4095, 1455}, {"Label6(0)", any, any, 4335, 615},
        {"Label13", any, any, 915, 300},
    };
    for (int i = 1; i <= 6; ++i) {
        const float row = 2760 + 840 * (i - 1);
        places.push_back({QStringLiteral("Image1(%1)").arg(i), 5880, row, 480, 480});
        places.push_back({QStringLiteral("Label7(%1)").arg(i), 6480, row, any, any});
        places.push_back({QStringLiteral("Label6(%1)").arg(i), 6960, row, 4335, 615});
    }
    ExamScreen screen;
    for (const Place& p : places) {
        SCOPED_TRACE(p.control.toStdString());
        const ui::Control* control = ControlNamed(*screen.form, p.control);
        ASSERT_NE(control, nullptr);
        const float want[] = {p.left, p.top, p.width, p.height};
        const float got[] = {control->Left(), control->Top(), control->Width(), control->Height()};
        for (int k = 0; k < 4; ++k) {
            if (!std::isnan(want[k])) {
                EXPECT_FLOAT_EQ(got[k], want[k]) << "left, top, width, height: " << k;
            }
        }
    }
    EXPECT_TRUE(screen.form->Label3->Border());
    EXPECT_TRUE(screen.form->Label3->Caption().isEmpty());
}

TEST(ExamDesign, StackingOrderTopmostFirst) {
    ExamScreen screen;
    const QStringList expected = {
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
    EXPECT_EQ(topmostFirst, expected);
}

// The frameless window with its background at natural size, the pictures and rules, the
// idle cycle running and the photograph over the question area.
TEST(TitleScreen, AfterStart) {
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

    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(f.Image1[i]->HasPicture()) << i;
        EXPECT_FALSE(f.Image1[i]->Stretch()) << i;
        EXPECT_EQ(f.Image1[i]->Picture(), f.Image1[1]->Picture()) << i;
    }
    EXPECT_TRUE(f.Image2->Stretch());
    EXPECT_EQ(f.Image2->Picture().size(), QSize(640, 480));
    EXPECT_TRUE(f.Image2->Visible());
    EXPECT_FALSE(f.Image3->HasPicture());
    EXPECT_EQ(f.Image3->Appearance(), 0);
    EXPECT_EQ(f.Image3->BorderStyle(), 0);
    EXPECT_EQ(std::tuple(f.Line1->Color(), f.Line1->PenWidth(), f.Line1->Visible()),
              std::tuple(QColor(0, 0, 255), 2, true));
    EXPECT_EQ(std::tuple(f.Line2->Color(), f.Line2->PenWidth(), f.Line2->Visible()),
              std::tuple(QColor(128, 255, 128), 1, true));
    EXPECT_EQ(f.Label1->Caption(), kProductTitle);
    EXPECT_TRUE(f.Label9->Visible());
    EXPECT_EQ(f.Timer1->Interval(), 500);
    EXPECT_EQ(f.Timer2->Interval(), 500);
    EXPECT_TRUE(f.Timer1->Enabled()) << "the idle cycle runs from the load";
    EXPECT_FALSE(f.Timer2->Enabled()) << "the load stops the countdown of the design";
    // The photograph covers the question area and ends just above the countdown's last twips.
    const QRect photo = f.Image2->geometry();
    for (const ui::Control* covered : std::initializer_list<const ui::Control*>{
             f.Label3, f.Label2, f.Label10, f.Label11, f.Label6[6], f.Image1[1], f.Label5}) {
        EXPECT_TRUE(photo.contains(covered->geometry())) << covered->FullName().toStdString();
    }
    const float photoBottom = f.Image2->Top() + f.Image2->Height();
    EXPECT_FLOAT_EQ(f.Label13->Top() + f.Label13->Height(), photoBottom + 10);
    EXPECT_FLOAT_EQ(f.Label12->Top(), f.Label13->Top() + 20);
}

}  // namespace
