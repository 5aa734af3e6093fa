#include "dialogs/frmquit2.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "forms/dialog_checks.h"
#include "platform/ui/label.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

// Records the key code that each key leaves after the dialog's handler.
class ObservedFrmquit2 : public Frmquit2 {
public:
    using Frmquit2::Frmquit2;
    std::vector<int> left;
    void Form_KeyDown(int& keyCode, int shift) override {
        Frmquit2::Form_KeyDown(keyCode, shift);
        left.push_back(keyCode);
    }
};

struct Key {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
};

class Frmquit2Test : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

// Digits, blanks, arrows, F3, F4, the keypad's plus and minus and the mouse leave it up and
// the keys are swallowed; only Enter (yes) and Esc (no) close it, with or without Shift.
TEST_F(Frmquit2Test, OnlyEnterAndEscCloseIt) {
    const Key swallowed[] = {
        // clang-format off
        {"0", Qt::Key_0, Qt::NoModifier},            {"5", Qt::Key_5, Qt::NoModifier},
        {"keypad 1", Qt::Key_1, Qt::KeypadModifier}, {"keypad 9", Qt::Key_9, Qt::KeypadModifier},
        {"space", Qt::Key_Space, Qt::NoModifier},    {"left", Qt::Key_Left, Qt::NoModifier},
        {"down", Qt::Key_Down, Qt::NoModifier},      {"F3", Qt::Key_F3, Qt::NoModifier},
        {"F4", Qt::Key_F4, Qt::NoModifier},          {"keypad +", Qt::Key_Plus, Qt::KeypadModifier},
        {"keypad -", Qt::Key_Minus, Qt::KeypadModifier},
        // clang-format on
    };
    const struct {
        Key key;
        bool confirmed;
        int codeLeft;
    } closing[] = {
        {{"Enter", Qt::Key_Return, Qt::NoModifier}, true, 13},
        {{"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier}, true, 13},
        {{"Shift Enter", Qt::Key_Return, Qt::ShiftModifier}, true, 13},
        {{"Esc", Qt::Key_Escape, Qt::NoModifier}, false, 27},
        {{"Shift Esc", Qt::Key_Escape, Qt::ShiftModifier}, false, 27},
    };
    for (const auto& c : closing) {
        SCOPED_TRACE(c.key.what);
        ObservedFrmquit2 dialog(module);
        std::vector<const char*> closedBy;
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            QTest::mouseClick(&dialog, Qt::LeftButton);
            QTest::mouseDClick(&dialog, Qt::LeftButton);
            if (!dialog.isVisible()) closedBy.push_back("mouse");
            for (const Key& k : swallowed) {
                PressKey(k.key, k.modifiers);
                if (!dialog.isVisible() || dialog.Confirmed) closedBy.push_back(k.what);
            }
            PressKey(c.key.key, c.key.modifiers);
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_TRUE(closedBy.empty()) << closedBy.front();
        std::vector<int> expected(std::size(swallowed), 0);
        expected.push_back(c.codeLeft);
        EXPECT_EQ(dialog.left, expected);
        EXPECT_EQ(dialog.Confirmed, c.confirmed);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.IsLoaded()) << "hidden, not unloaded";
    }
}

TEST_F(Frmquit2Test, ShowsTheCandidateAtEveryShowing) {
    {
        Frmquit2 loaded(module);
        loaded.Load();
        testing_support::ExpectDialogWindow(loaded, "提示信息", QSize(223, 121));
    }
    const std::pair<QString, QString> candidates[] = {
        {QStringLiteral("王小明"), QStringLiteral("320102199001011234")},
        {QStringLiteral("李四"), QStringLiteral("0000001")},
        {QString(), QString()},
    };
    for (const auto& [name, number] : candidates) {
        SCOPED_TRACE(name.toStdString());
        module.CandidateName = name;
        module.AdmissionNo = number;
        Frmquit2 dialog(module);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            const struct {
                ui::Label* label;
                QString caption;
                QPoint at;
                QColor fore;
            } looks[] = {
                {dialog.Label1[0], QStringLiteral("考生姓名："), {40, 24}, Qt::black},
                {dialog.Label1[1], QStringLiteral("考试证号："), {40, 56}, Qt::black},
                {dialog.Label1[2], QStringLiteral("按《确认》键，开始考试！"), {40, 88}, Qt::red},
                {dialog.Label2, name, {104, 24}, Qt::black},
                {dialog.Label3, number, {104, 56}, Qt::black},
            };
            for (const auto& l : looks) {
                ASSERT_NE(l.label, nullptr);
                SCOPED_TRACE(l.label->FullName().toStdString());
                EXPECT_EQ(l.label->Caption(), l.caption);
                EXPECT_EQ(l.label->pos(), l.at);
                EXPECT_EQ(l.label->ForeColor(), l.fore);
                EXPECT_EQ(l.label->GetSizing(), ui::Label::Sizing::AutoSize);
                EXPECT_EQ(l.label->font(), ui::DefaultDialogFont());
                EXPECT_LE(l.label->geometry().right(), dialog.width());
            }
            PressKey(Qt::Key_Return);
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
    }
}

}  // namespace
