// The exam screen as designed and as the layout fits it to the window.
#include <gtest/gtest.h>

#include <QFontInfo>
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
const ui::Control* Named(const Frmftyaj& form, const QString& name) {
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open < 0) return form.Find(name);
    return form.Find(name.left(open), name.mid(open + 1).chopped(1).toInt());
}

// Every label's caption, font and colour, and the installed font that draws its text.
TEST(ExamDesign, LabelsShowTheirTextsInTheirFontsAndColours) {
    enum Look { Auto, Wrap, Fixed, Centred };
    const char* kai = "楷体_GB2312";
    const char* song = "宋体";
    const QRgb red = 0xFFFF0000, magenta = 0xFFFF00FF, cyan = 0xFF00FFFF, yellow = 0xFFFFFF00;
    struct Case {
        QString label;
        const char* caption;  // nullptr: a sample text, replaced before it is ever uncovered
        const char* font;
        double points;
        QRgb colour;
        Look look;
    };
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
    const Sizing sizing[] = {Sizing::AutoSize, Sizing::AutoSizeWrap, Sizing::Fixed, Sizing::Fixed};

    ExamScreen screen;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        const auto* label = qobject_cast<const ui::Label*>(Named(*screen.form, c.label));
        ASSERT_NE(label, nullptr);
        if (c.caption != nullptr) {
            EXPECT_EQ(label->Caption(), QString::fromUtf8(c.caption));
        }
        const QFont font = label->font();
        EXPECT_EQ(font.family(), QString::fromUtf8(c.font));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        EXPECT_EQ(font.bold(), c.label != "Label13") << "bold but for the countdown";
        EXPECT_EQ(label->ForeColor().rgba(), c.colour);
        EXPECT_EQ(label->GetSizing(), sizing[c.look]);
        EXPECT_EQ(label->Alignment(), c.look == Centred ? Qt::AlignHCenter : Qt::AlignLeft);
        EXPECT_TRUE(QFontInfo(font).family().startsWith(installed.at(font.family())))
            << QFontInfo(font).family().toStdString();
    }
}

// Option i on one row, the rows 840 twips apart; the controls overlap in a fixed order.
TEST(ExamDesign, OptionRowsAndStackingOrder) {
    ExamScreen screen;
    const Frmftyaj& f = *screen.form;
    for (int i = 1; i <= 6; ++i) {
        const float row = 2760 + 840 * (i - 1);
        EXPECT_EQ(std::tuple(f.Image1[i]->Left(), f.Image1[i]->Top()), std::tuple(5880.f, row));
        EXPECT_EQ(std::tuple(f.Label7[i]->Left(), f.Label7[i]->Top()), std::tuple(6480.f, row));
        EXPECT_EQ(std::tuple(f.Label6[i]->Left(), f.Label6[i]->Top()), std::tuple(6960.f, row));
    }
    EXPECT_EQ(
        std::tuple(f.Label11->Left(), f.Label11->Top(), f.Label11->Width(), f.Label11->Height()),
        std::tuple(1200.f, 2220.f, 915.f, 410.f));
    EXPECT_TRUE(f.Label3->Border());
    EXPECT_TRUE(f.Label3->Caption().isEmpty());

    const QStringList expected = {
        "Label6(0)", "Label15",   "Image3",    "Label9",    "Image2",    "Label8",
        "Label7(6)", "Label7(5)", "Label7(4)", "Label7(3)", "Label7(2)", "Label7(1)",
        "Label6(5)", "Label6(4)", "Label6(3)", "Label6(2)", "Label6(1)", "Label6(6)",
        "Image1(5)", "Image1(4)", "Image1(3)", "Image1(2)", "Image1(1)", "Image1(6)",
        "Label5",    "Label4",    "Label2",    "Label3",    "Line2",     "Line1",
        "Label1",    "Label11",   "Label10",   "Label12",   "Label13",   "Label14",
    };
    QStringList topmostFirst;
    for (const QObject* child : f.children()) {
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
        EXPECT_TRUE(f.Image1[i]->HasPicture() && !f.Image1[i]->Stretch()) << i;
        EXPECT_EQ(f.Image1[i]->Picture(), f.Image1[1]->Picture()) << i;
    }
    EXPECT_TRUE(f.Image2->Stretch() && f.Image2->Visible());
    EXPECT_EQ(f.Image2->Picture().size(), QSize(640, 480));
    EXPECT_EQ(std::tuple(f.Image3->HasPicture(), f.Image3->Appearance(), f.Image3->BorderStyle()),
              std::tuple(false, 0, 0));
    EXPECT_EQ(std::tuple(f.Line1->Color(), f.Line1->PenWidth(), f.Line1->Visible()),
              std::tuple(QColor(0, 0, 255), 2, true));
    EXPECT_EQ(std::tuple(f.Line2->Color(), f.Line2->PenWidth(), f.Line2->Visible()),
              std::tuple(QColor(128, 255, 128), 1, true));
    EXPECT_EQ(f.Label1->Caption(), kProductTitle);
    EXPECT_TRUE(f.Label9->Visible());
    EXPECT_EQ(std::tuple(f.Timer1->Interval(), f.Timer2->Interval()), std::tuple(500, 500));
    EXPECT_TRUE(f.Timer1->Enabled()) << "the idle cycle runs from the load";
    EXPECT_FALSE(f.Timer2->Enabled()) << "the load stops the countdown of the design";
    const QRect photo = f.Image2->geometry();
    for (const ui::Control* covered : std::initializer_list<const ui::Control*>{
             f.Label3, f.Label2, f.Label10, f.Label11, f.Label6[6], f.Image1[1], f.Label5}) {
        EXPECT_TRUE(photo.contains(covered->geometry())) << covered->FullName().toStdString();
    }
}

struct Size {
    int width, height;
};

// Every figure the layout computes, for a window laid out at one size and then, where
// given, at another; during an exam where said.
TEST(Layout, FitsTheScreenToTheWindow) {
    const struct {
        Size first, then;  // then {0, 0}: no second size
        bool exam;
    } cases[] = {
        {{1024, 768}, {}, false},          {{1920, 1080}, {}, false}, {{800, 600}, {}, false},
        {{300, 600}, {}, false},            // the hint line is wider than the window
        {{1024, 768}, {1920, 1080}, true},  // the photograph comes back over the question
        {{1024, 768}, {1024, 200}, false},  // too low for the frame: it keeps its height
        {{1024, 768}, {1200, 100}, false},  // the photograph would end above its top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first.width << "x" << c.first.height << " then "
                                        << c.then.width << "x" << c.then.height);
        ExamScreen screen(c.first.width, c.first.height);
        Frmftyaj& f = *screen.form;
        if (c.exam) {
            screen.ShowExamAppearance();
            f.Label1->SetCaption(QStringLiteral("小型汽车 试卷"));
            f.Label6[0]->SetCaption(QStringLiteral("正确答案：  1、"));
            f.Timer1->SetEnabled(false);
            f.Timer2->SetEnabled(true);
        }
        const Size last = c.then.width > 0 ? c.then : c.first;
        if (c.then.width > 0) screen.Resize(c.then.width, c.then.height);
        const double W = last.width * 15.0, H = last.height * 15.0;
        const double W0 = c.first.width * 15.0, H0 = c.first.height * 15.0;
        // A statement that would set a negative size is skipped: the old values stay.
        const double frame = H - 3960 >= 0 ? H - 3960 : H0 - 3960;
        const double photoW = H - 2100 >= 0 ? W - 1200 : W0 - 1200;
        const double photoH = H - 2100 >= 0 ? H - 2100 : H0 - 2100;
        const auto centred = [&](const ui::Control* x) { return W / 2 - x->Width() / 2.0; };
        const auto ends = [](const ui::Line* l) {
            return std::vector<double>{l->X1(), l->X2(), l->Y1(), l->Y2()};
        };
        const auto box = [](const ui::Control* x) {
            return std::vector<double>{x->Left(), x->Top(), x->Width(), x->Height()};
        };
        const struct {
            const char* what;
            std::vector<double> got, want;
        } figures[] = {
            {"inner W, H", {f.ScaleWidth(), f.ScaleHeight()}, {W, H}},
            {"frame top, height", {f.Label3->Top(), f.Label3->Height()}, {2760, frame}},
            {"Image3 bottom, Label13 top, Label12 top",
             {f.Image3->Top() + f.Image3->Height(), f.Label13->Top(), f.Label12->Top()},
             {2760 + frame - 50, 2760 + frame + 10, 2760 + frame + 30}},
            {"Line1", ends(f.Line1), {0, W, H - 800, H - 800}},
            {"Line2", ends(f.Line2), {0, W, H - 830, H - 830}},
            {"Label8, Label9, Label15 tops",
             {f.Label8->Top(), f.Label9->Top(), f.Label15->Top()},
             {H - 700, H - 700, H - 400}},
            {"Image2", box(f.Image2), {600, 1200, photoW, photoH}},
            {"Label6(0).Top", {f.Label6[0]->Top()}, {2760 + 5 * 840 + 615 + 500}},
            {"Label1, Label4, Label5, Label8, Label9 centred",
             {f.Label1->Left(), f.Label4->Left(), f.Label5->Left(), f.Label8->Left(),
              f.Label9->Left()},
             {centred(f.Label1), centred(f.Label4), centred(f.Label5), centred(f.Label8),
              centred(f.Label9)}},
            {"Label15 under the first hint line", {f.Label15->Left()}, {centred(f.Label8)}},
            {"Label14 after Label5", {f.Label14->Left()}, {f.Label5->Left() + f.Label5->Width()}},
        };
        for (const auto& figure : figures) {
            ASSERT_EQ(figure.got.size(), figure.want.size());
            for (std::size_t k = 0; k < figure.got.size(); ++k) {
                EXPECT_FLOAT_EQ(static_cast<float>(figure.got[k]),
                                static_cast<float>(figure.want[k]))
                    << figure.what << ", value " << k + 1;
            }
        }
        EXPECT_FALSE(f.Label8->Visible());
        EXPECT_FALSE(f.Label15->Visible());
        if (last.width == 300) {
            EXPECT_LT(f.Label8->Left(), 0) << "cut off on both sides";
        }
        if (c.exam) {
            EXPECT_EQ(f.Label1->Caption(), QStringLiteral("小型汽车 试卷"));
            EXPECT_EQ(f.Label6[0]->Caption(), QStringLiteral("正确答案：  1、"));
            EXPECT_TRUE(f.Label6[0]->Visible());
            EXPECT_FALSE(f.Label9->Visible());
            EXPECT_EQ(std::tuple(f.Timer1->Enabled(), f.Timer2->Enabled()),
                      std::tuple(false, true));
        }
    }
}

}  // namespace
