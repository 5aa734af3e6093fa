#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "dialogs/frmquit1.h"
#include "dialogs/frmquit4.h"
#include "forms/dialog_checks.h"
#include "platform/ui/panel3d.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

// The window a prompt comes up over; it records the keys it receives.
class WindowBelow : public ui::Form {
public:
    WindowBelow() : ui::Form(ui::Form::Style::FixedDialog) { SetClientSize(6000, 4000); }
    std::vector<int> keys;

protected:
    void Form_KeyDown(int& keyCode, int) override { keys.push_back(keyCode); }
};

// The real prompt, recording the key code its handler leaves in the event.
template <class Prompt>
class Observed : public Prompt {
public:
    using Prompt::Prompt;
    std::vector<int> left;
    void Form_KeyDown(int& keyCode, int shift) override {
        Prompt::Form_KeyDown(keyCode, shift);
        left.push_back(keyCode);
    }
};

struct KeyCase {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    QString text;
    bool yes;
    int codeLeft;
};

// X11 reports Shift with the main-row 1 as "!" with the row's scan code.
const KeyCase kKeys[] = {
    {"main-row 1", Qt::Key_1, Qt::NoModifier, 10, "1", true, 49},
    {"keypad 1", Qt::Key_1, Qt::KeypadModifier, 87, "1", true, 97},
    {"Shift main-row 1 as !", Qt::Key_Exclam, Qt::ShiftModifier, 10, "!", true, 49},
    {"Shift main-row 1", Qt::Key_1, Qt::ShiftModifier, 0, {}, true, 49},
    {"Shift keypad 1", Qt::Key_1, Qt::KeypadModifier | Qt::ShiftModifier, 87, "1", true, 97},
    {"keypad 1, Num Lock off", Qt::Key_End, Qt::KeypadModifier, 87, {}, true, 97},
    {"keypad 2, Num Lock off", Qt::Key_Down, Qt::KeypadModifier, 88, {}, false, 0},
    {"main-row 2", Qt::Key_2, Qt::NoModifier, 11, "2", false, 0},
    {"keypad 2", Qt::Key_2, Qt::KeypadModifier, 88, "2", false, 0},
    {"Esc", Qt::Key_Escape, Qt::NoModifier, 9, {}, false, 0},
    {"Enter", Qt::Key_Return, Qt::NoModifier, 36, {}, false, 0},
    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 104, {}, false, 0},
    {"space", Qt::Key_Space, Qt::NoModifier, 65, {}, false, 0},
};

// Keys that come alone before the answer: a real Shift goes down before the 1, and
// keyboard tools press Num Lock around keypad keys.
const KeyCase kAlone[] = {
    {"Shift", Qt::Key_Shift, Qt::ShiftModifier, 50, {}, false, 16},
    {"Ctrl", Qt::Key_Control, Qt::ControlModifier, 37, {}, false, 17},
    {"Num Lock", Qt::Key_NumLock, Qt::NoModifier, 77, {}, false, 144},
};

class PromptTest : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
    WindowBelow below;

    void SetUp() override {
        below.Show();
        testing_support::ProcessEvents();
    }

    // Shows a fresh prompt over the window below, presses the modifier and lock keys
    // alone (the prompt stays up), answers with the key, then presses the digit 5.
    template <class Prompt>
    void Check(bool Prompt::*flag) {
        for (const KeyCase& c : kKeys) {
            below.keys.clear();
            Observed<Prompt> prompt(module);
            EXPECT_FALSE(prompt.*flag) << "a new prompt says no";
            std::vector<int> left;
            ModalDriver driver;
            driver.Then([&](QWidget*) {
                for (const KeyCase& alone : kAlone) {
                    PressKey(alone.key, alone.modifiers, alone.scanCode, alone.text);
                    testing_support::ProcessEvents();
                    EXPECT_TRUE(prompt.isVisible()) << alone.what << " before " << c.what;
                    EXPECT_FALSE(prompt.*flag) << alone.what << " before " << c.what;
                    left.push_back(alone.codeLeft);
                }
                PressKey(c.key, c.modifiers, c.scanCode, c.text);
                testing_support::ProcessEvents();
                PressKey(Qt::Key_5, Qt::NoModifier, 14, QStringLiteral("5"));
            });
            prompt.Show(1);
            EXPECT_TRUE(driver.Done()) << c.what;
            EXPECT_EQ(prompt.*flag, c.yes) << c.what;
            left.push_back(c.codeLeft);
            EXPECT_EQ(prompt.left, left) << c.what;
            EXPECT_FALSE(prompt.isVisible()) << c.what;
            EXPECT_TRUE(prompt.IsLoaded()) << "it hides, it does not unload: " << c.what;
            EXPECT_EQ(below.keys, std::vector<int>{53}) << "the second key goes below: " << c.what;
        }
    }
};

TEST_F(PromptTest, EndExamIsTheKeyOne) { Check(&Frmquit1::EndExam); }

TEST_F(PromptTest, ReviewWrongIsTheKeyOne) { Check(&Frmquit4::ReviewWrong); }

struct PanelLook {
    int index;
    QRect pixels;  // 15 twips a pixel
    const char* caption;
};

void ExpectPrompt(const ui::Form& prompt, ui::Panel3D* question, const char* questionText,
                  const std::vector<std::pair<ui::Panel3D*, PanelLook>>& answers) {
    testing_support::ExpectDialogWindow(prompt, "提示信息", QSize(305, 172));

    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Caption(), QString::fromUtf8(questionText));
    EXPECT_EQ(question->geometry(), QRect(24, 24, 258, 25));
    EXPECT_EQ(question->ForeColor(), QColor(0, 0, 255));
    EXPECT_EQ(question->BackColor(), QColor(192, 192, 192));
    EXPECT_EQ(question->font().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(question->font().pointSizeF(), 18);
    EXPECT_TRUE(question->font().bold());
    EXPECT_EQ(question->Alignment(), Qt::AlignCenter);
    for (const auto& [panel, look] : answers) {
        ASSERT_NE(panel, nullptr) << look.index;
        EXPECT_EQ(panel->Index(), look.index);
        EXPECT_EQ(panel->Caption(), QString::fromUtf8(look.caption));
        EXPECT_EQ(panel->geometry(), look.pixels) << look.index;
        EXPECT_EQ(panel->ForeColor(), QColor(255, 0, 0));
        EXPECT_EQ(panel->BackColor(), QColor(192, 192, 192));
        EXPECT_EQ(panel->font().family(), QStringLiteral("楷体_GB2312"));
        EXPECT_DOUBLE_EQ(panel->font().pointSizeF(), 14.25);
        EXPECT_TRUE(panel->font().bold());
        EXPECT_EQ(panel->Alignment(), Qt::AlignCenter);
    }
}

TEST_F(PromptTest, EndExamPromptIsDesigned) {
    Frmquit1 prompt(module);
    prompt.Load();
    ExpectPrompt(prompt, prompt.SSPanel1, "确实要结束考试吗？",
                 {{prompt.SSPanel2[0], {0, QRect(48, 64, 161, 20), "1、结束考试"}},
                  {prompt.SSPanel2[2], {2, QRect(48, 112, 161, 20), "2、继续考试"}}});
    EXPECT_EQ(prompt.SSPanel2[1], nullptr);
    EXPECT_EQ(prompt.Find(QStringLiteral("SSPanel2"), 1), nullptr) << "the array has no 1";
}

TEST_F(PromptTest, ReviewPromptIsDesigned) {
    Frmquit4 prompt(module);
    prompt.Load();
    ExpectPrompt(prompt, prompt.SSPanel1, "要查询错误答题吗？",
                 {{prompt.SSPanel2[0], {0, QRect(40, 64, 161, 20), "1、查询"}},
                  {prompt.SSPanel2[1], {1, QRect(40, 112, 161, 20), "2、退出"}}});
}

TEST_F(PromptTest, TheMouseAnswersNothing) {
    Frmquit1 prompt(module);
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        QTest::mouseClick(prompt.SSPanel2[0], Qt::LeftButton);
        QTest::mouseClick(&prompt, Qt::LeftButton);
        EXPECT_TRUE(prompt.isVisible());
        PressKey(Qt::Key_1);
    });
    prompt.Show(1);
    EXPECT_TRUE(prompt.EndExam);
}

}  // namespace
