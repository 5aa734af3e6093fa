#include <gtest/gtest.h>

#include <QTest>
#include <QTextLayout>

#include "dialogs/frmquit3.h"
#include "forms/dialog_checks.h"
#include "platform/ui/button3d.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/panel3d.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

class ObservedFrmquit3 : public Frmquit3 {
public:
    using Frmquit3::Frmquit3;
    std::vector<int> left;
    void Form_KeyDown(int& keyCode, int shift) override {
        const int before = keyCode;
        Frmquit3::Form_KeyDown(keyCode, shift);
        left.push_back(keyCode - before);
    }
};

// Lines of a caption wrapped in a box of the given pixel width.
QStringList WrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

class Frmquit3Test : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

TEST_F(Frmquit3Test, AnyKeyClosesItAndGoesOnUnchanged) {
    struct Key {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        {"Esc", Qt::Key_Escape, Qt::NoModifier},   {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier},
        {"Ctrl alone", Qt::Key_Control, Qt::ControlModifier},
        {"Enter", Qt::Key_Return, Qt::NoModifier}, {"keypad 5", Qt::Key_5, Qt::KeypadModifier},
        {"letter", Qt::Key_Q, Qt::NoModifier},     {"F1", Qt::Key_F1, Qt::NoModifier},
        {"space", Qt::Key_Space, Qt::NoModifier},
    };
    for (const Key& k : keys) {
        ObservedFrmquit3 dialog(module);
        ModalDriver driver;
        driver.ThenKey(k.key, k.modifiers);
        dialog.Show(1);
        EXPECT_TRUE(driver.Done()) << k.what;
        EXPECT_FALSE(dialog.isVisible()) << k.what;
        EXPECT_EQ(dialog.left, std::vector<int>{0}) << "key code unchanged: " << k.what;
    }
}

TEST_F(Frmquit3Test, AClickOnAnyDrawnKeyClosesIt) {
    for (const int index : {16, 15, 13, 2, 17}) {
        Frmquit3 dialog(module);
        bool upBefore = false;
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            // A click beside the keys does nothing.
            QTest::mouseClick(dialog.Find(QStringLiteral("SSPanel1")), Qt::LeftButton, {},
                              QPoint(20, 300));
            upBefore = dialog.isVisible();
            QTest::mouseClick(dialog.Find(QStringLiteral("SSCommand2"), index), Qt::LeftButton);
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done()) << index;
        EXPECT_TRUE(upBefore) << index;
        EXPECT_FALSE(dialog.isVisible()) << index;
    }
}

TEST_F(Frmquit3Test, DrawsTheKeypad) {
    Frmquit3 dialog(module);
    dialog.Load();
    testing_support::ExpectDialogWindow(dialog, "键盘使用方法", QSize(435, 393));

    auto* back = dialog.Get<ui::Panel3D>(QStringLiteral("SSPanel1"));
    auto* body = dialog.Get<ui::Panel3D>(QStringLiteral("SSPanel2"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(back->parentWidget(), &dialog);
    EXPECT_EQ(back->geometry(), QRect(0, 0, 437, 393));
    EXPECT_EQ(body->parentWidget(), back);
    EXPECT_EQ(body->geometry(), QRect(96, 48, 241, 297));
    for (const ui::Panel3D* p : {back, body}) {
        EXPECT_TRUE(p->Caption().isEmpty());
        EXPECT_EQ(p->BackColor(), QColor(192, 192, 192));
    }

    enum Font { Digit, Seven, Word };
    struct KeyLook {
        int index;
        const char* caption;
        QRect twips;
        Font font;
    } keys[] = {
        {13, "退 出", {240, 240, 615, 615}, Word},   {16, "", {1080, 240, 615, 615}, Digit},
        {15, "", {1920, 240, 615, 615}, Digit},      {3, "上翻", {2760, 240, 615, 615}, Word},
        {0, "7", {240, 1080, 615, 615}, Seven},      {5, "8", {1080, 1080, 615, 615}, Digit},
        {6, "9", {1920, 1080, 615, 615}, Digit},     {17, "下翻", {2760, 1080, 615, 1455}, Word},
        {7, "4", {240, 1920, 615, 615}, Digit},      {8, "5", {1080, 1920, 615, 615}, Digit},
        {9, "6", {1920, 1920, 615, 615}, Digit},     {10, "1", {240, 2760, 615, 615}, Digit},
        {11, "2", {1080, 2760, 615, 615}, Digit},    {12, "3", {1920, 2760, 615, 615}, Digit},
        {1, "确定", {2760, 2760, 615, 1455}, Word},  {2, "0", {240, 3600, 1455, 615}, Digit},
        {14, ".", {1920, 3600, 615, 615}, Digit},
    };
    const auto buttons = body->findChildren<ui::Button3D*>();
    EXPECT_EQ(buttons.size(), 17);
    EXPECT_EQ(dialog.Find(QStringLiteral("SSCommand2"), 4), nullptr);
    for (const KeyLook& k : keys) {
        auto* key = dialog.Get<ui::Button3D>(QStringLiteral("SSCommand2"), k.index);
        ASSERT_NE(key, nullptr) << k.index;
        EXPECT_EQ(key->parentWidget(), body) << k.index;
        EXPECT_EQ(key->Caption(), QString::fromUtf8(k.caption)) << k.index;
        EXPECT_EQ(QRectF(key->Left(), key->Top(), key->Width(), key->Height()), QRectF(k.twips))
            << k.index;
        EXPECT_EQ(key->ForeColor(), QColor(0, 0, 255));
        EXPECT_TRUE(key->isEnabled());
        if (k.font == Word) {
            EXPECT_EQ(key->font(), ui::DefaultDialogFont()) << k.index;
        } else {
            EXPECT_EQ(key->font().family(), QStringLiteral("宋体")) << k.index;
            EXPECT_DOUBLE_EQ(key->font().pointSizeF(), k.font == Seven ? 15.75 : 15) << k.index;
            EXPECT_TRUE(key->font().bold()) << k.index;
        }
    }
}

TEST_F(Frmquit3Test, LeaderLinesLieOnTheirPanels) {
    Frmquit3 dialog(module);
    dialog.Load();
    struct LineLook {
        const char* name;
        int index;
        const char* panel;
        float x1, y1, x2, y2;
    } lines[] = {
        {"Line7", -1, "SSPanel2", 0, 540, 240, 540},
        {"Line11", -1, "SSPanel2", 0, 1320, 240, 1320},
        {"Line12", -1, "SSPanel2", 240, 2200, 0, 2200},
        {"Line13", -1, "SSPanel2", 240, 3120, 0, 3120},
        {"Line1", 0, "SSPanel2", 3360, 520, 3600, 520},
        {"Line5", 0, "SSPanel2", 3360, 1750, 3600, 1750},
        {"Line6", -1, "SSPanel2", 3360, 3430, 3600, 3430},
        {"Line1", 1, "SSPanel1", 1080, 1260, 1800, 1260},
        {"Line8", -1, "SSPanel1", 1320, 2040, 1320, 3840},
        {"Line10", -1, "SSPanel1", 1320, 2040, 1440, 2040},
        {"Line9", -1, "SSPanel1", 1320, 3840, 1440, 3840},
        {"Line5", 1, "SSPanel1", 1080, 2925, 1440, 2925},
        {"Line2", 0, "SSPanel1", 4680, 1245, 5400, 1245},
        {"Line3", -1, "SSPanel1", 4680, 2475, 5400, 2475},
        {"Line4", -1, "SSPanel1", 4680, 4155, 5400, 4155},
    };
    EXPECT_EQ(dialog.findChildren<ui::Line*>().size(), 15);
    for (const LineLook& l : lines) {
        auto* line = dialog.Get<ui::Line>(QString::fromUtf8(l.name), l.index);
        ASSERT_NE(line, nullptr) << l.name << l.index;
        EXPECT_EQ(line->parentWidget(), dialog.Find(QString::fromUtf8(l.panel))) << l.name;
        EXPECT_EQ(std::tuple(line->X1(), line->Y1(), line->X2(), line->Y2()),
                  std::tuple(l.x1, l.y1, l.x2, l.y2))
            << l.name << l.index;
        EXPECT_EQ(line->PenWidth(), 1);
    }
    // The keypad body covers the parts of SSPanel1's lines that run beneath it.
    auto* body = dialog.Find(QStringLiteral("SSPanel2"));
    auto* under = dialog.Find(QStringLiteral("Line1"), 1);
    const auto siblings = body->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(body), siblings.indexOf(under));
}

TEST_F(Frmquit3Test, LabelsExplainTheKeys) {
    Frmquit3 dialog(module);
    dialog.Load();
    struct LabelLook {
        const char* name;
        int index;
        const char* caption;
        QPoint at;
        QSize fixedTwips;  // empty: sized to its text
        QStringList lines;
    } labels[] = {
        {"Label1", 0, "答题键盘的使用方法", {64, 8}, {}, {}},
        {"Label1", 1, "按任意键,开始考试!", {80, 352}, {}, {}},
        {"Label2", 0, "结束考试", {16, 79}, {}, {}},
        {"Label2", 3, "返回上题", {368, 78}, {}, {}},
        {"Label2", 2, "向下一题", {368, 158}, {735, 255}, {"向下一题"}},
        {"Label2", 1, "开始考试        确认答案        向下一题", {368, 248}, {735, 975},
         {"开始考试", "确认答案", "向下一题"}},
        {"Label3", 1, "根据答案        前的序号", {16, 160}, {735, 600}, {"根据答案", "前的序号"}},
        {"Label3", 0, "按数字键        选择答案", {16, 208}, {735, 600}, {"按数字键", "选择答案"}},
    };
    EXPECT_EQ(dialog.findChildren<ui::Label*>().size(), 8);
    auto* back = dialog.Find(QStringLiteral("SSPanel1"));
    for (const LabelLook& l : labels) {
        auto* label = dialog.Get<ui::Label>(QString::fromUtf8(l.name), l.index);
        ASSERT_NE(label, nullptr) << l.caption;
        EXPECT_EQ(label->parentWidget(), back) << l.caption;
        EXPECT_EQ(label->Caption(), QString::fromUtf8(l.caption));
        EXPECT_EQ(label->pos(), l.at) << l.caption;
        if (l.fixedTwips.isEmpty()) {
            EXPECT_EQ(label->GetSizing(), ui::Label::Sizing::AutoSize) << l.caption;
        } else {
            EXPECT_EQ(label->GetSizing(), ui::Label::Sizing::Fixed) << l.caption;
            EXPECT_EQ(QSizeF(label->Width(), label->Height()), QSizeF(l.fixedTwips));
            EXPECT_EQ(WrappedLines(label->Caption(), label->font(), label->width()), l.lines)
                << l.caption;
            EXPECT_LE(l.lines.size() * QFontMetrics(label->font()).height(), label->height())
                << l.caption;
        }
        EXPECT_LE(label->geometry().right(), dialog.width()) << l.caption;
    }
    auto* heading = dialog.Get<ui::Label>(QStringLiteral("Label1"), 0);
    EXPECT_EQ(heading->ForeColor(), QColor(0, 0, 255));
    EXPECT_EQ(heading->font().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(heading->font().pointSizeF(), 24);
    auto* footer = dialog.Get<ui::Label>(QStringLiteral("Label1"), 1);
    EXPECT_EQ(footer->ForeColor(), QColor(0, 128, 0));
    EXPECT_DOUBLE_EQ(footer->font().pointSizeF(), 21.75);
    EXPECT_TRUE(footer->font().bold());
    for (const auto& [name, index] : {std::pair("Label2", 1), std::pair("Label3", 0)}) {
        auto* note = dialog.Get<ui::Label>(QString::fromUtf8(name), index);
        EXPECT_EQ(note->ForeColor(), QColor(255, 0, 0));
        EXPECT_EQ(note->font(), ui::DefaultDialogFont());
    }
}

}  // namespace
