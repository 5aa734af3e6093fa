#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "dialogs/frmquit2.h"
#include "forms/dialog_checks.h"
#include "platform/ui/label.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

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

TEST_F(Frmquit2Test, OnlyEnterAndEscCloseIt) {
    struct Case {
        Key key;
        bool confirmed;
        int codeLeft;
    } cases[] = {
        {{"Enter", Qt::Key_Return, Qt::NoModifier}, true, 13},
        {{"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier}, true, 13},
        {{"Shift Enter", Qt::Key_Return, Qt::ShiftModifier}, true, 13},
        {{"Esc", Qt::Key_Escape, Qt::NoModifier}, false, 27},
        {{"Shift Esc", Qt::Key_Escape, Qt::ShiftModifier}, false, 27},
    };
    for (const Case& c : cases) {
        ObservedFrmquit2 dialog(module);
        ModalDriver driver;
        driver.ThenKey(c.key.key, c.key.modifiers);
        dialog.Show(1);
        EXPECT_TRUE(driver.Done()) << c.key.what;
        EXPECT_EQ(dialog.Confirmed, c.confirmed) << c.key.what;
        EXPECT_EQ(dialog.left, std::vector<int>{c.codeLeft}) << c.key.what;
        EXPECT_FALSE(dialog.isVisible()) << c.key.what;
        EXPECT_TRUE(dialog.IsLoaded()) << c.key.what;
    }
}

TEST_F(Frmquit2Test, EveryOtherKeyIsSwallowedAndLeavesItUp) {
    const Key swallowed[] = {
        {"0", Qt::Key_0, Qt::NoModifier},          {"5", Qt::Key_5, Qt::NoModifier},
        {"keypad 1", Qt::Key_1, Qt::KeypadModifier}, {"keypad 9", Qt::Key_9, Qt::KeypadModifier},
        {"space", Qt::Key_Space, Qt::NoModifier},  {"left", Qt::Key_Left, Qt::NoModifier},
        {"right", Qt::Key_Right, Qt::NoModifier},  {"up", Qt::Key_Up, Qt::NoModifier},
        {"down", Qt::Key_Down, Qt::NoModifier},    {"F3", Qt::Key_F3, Qt::NoModifier},
        {"F4", Qt::Key_F4, Qt::NoModifier},        {"keypad +", Qt::Key_Plus, Qt::KeypadModifier},
        {"keypad -", Qt::Key_Minus, Qt::KeypadModifier},
    };
    ObservedFrmquit2 dialog(module);
    std::vector<bool> upAfter;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        for (const Key& k : swallowed) {
            PressKey(k.key, k.modifiers);
            upAfter.push_back(dialog.isVisible() && !dialog.Confirmed);
        }
        PressKey(Qt::Key_Escape);
    });
    dialog.Show(1);
    EXPECT_EQ(upAfter, std::vector<bool>(std::size(swallowed), true));
    std::vector<int> expected(std::size(swallowed), 0);
    expected.push_back(27);
    EXPECT_EQ(dialog.left, expected);
}

TEST_F(Frmquit2Test, ShowsTheCandidateAtEveryShowing) {
    const std::pair<QString, QString> candidates[] = {
        {QStringLiteral("王小明"), QStringLiteral("320102199001011234")},
        {QStringLiteral("李四"), QStringLiteral("0000001")},
        {QString(), QString()},
    };
    for (const auto& [name, number] : candidates) {
        module.CandidateName = name;
        module.AdmissionNo = number;
        Frmquit2 dialog(module);
        QString shownName, shownNumber;
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            shownName = dialog.Label2->Caption();
            shownNumber = dialog.Label3->Caption();
            PressKey(Qt::Key_Return);
        });
        dialog.Show(1);
        EXPECT_EQ(shownName, name);
        EXPECT_EQ(shownNumber, number);
    }
}

TEST_F(Frmquit2Test, IsDesigned) {
    module.CandidateName = QStringLiteral("王小明");
    Frmquit2 dialog(module);
    dialog.Load();
    testing_support::ExpectDialogWindow(dialog, "提示信息", QSize(223, 121));
    struct Look {
        ui::Label* label;
        const char* caption;
        QPoint at;
        QColor fore;
    } looks[] = {
        {dialog.Label1[0], "考生姓名：", {40, 24}, Qt::black},
        {dialog.Label1[1], "考试证号：", {40, 56}, Qt::black},
        {dialog.Label1[2], "按《确认》键，开始考试！", {40, 88}, QColor(255, 0, 0)},
        {dialog.Label2, "王小明", {104, 24}, Qt::black},
        {dialog.Label3, "", {104, 56}, Qt::black},
    };
    for (const Look& l : looks) {
        ASSERT_NE(l.label, nullptr) << l.caption;
        EXPECT_EQ(l.label->Caption(), QString::fromUtf8(l.caption));
        EXPECT_EQ(l.label->pos(), l.at) << l.caption;
        EXPECT_EQ(l.label->ForeColor(), l.fore) << l.caption;
        EXPECT_EQ(l.label->GetSizing(), ui::Label::Sizing::AutoSize);
        EXPECT_EQ(l.label->font(), ui::DefaultDialogFont());
        EXPECT_LE(l.label->geometry().right(), dialog.width()) << l.caption;
    }
}

TEST_F(Frmquit2Test, TheMouseDoesNothing) {
    Frmquit2 dialog(module);
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        QTest::mouseClick(&dialog, Qt::LeftButton);
        QTest::mouseDClick(&dialog, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        PressKey(Qt::Key_Return);
    });
    dialog.Show(1);
    EXPECT_TRUE(dialog.Confirmed);
}

}  // namespace
