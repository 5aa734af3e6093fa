#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "dialogs/frmquit.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/text_box.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::FakeServices;
using testing_support::ModalDriver;
using testing_support::PressKey;

// The clock of the fakes stands on 7 December: the code of the day is "1207".
const QString kCode = QStringLiteral("1207");

void Type(const QString& text) {
    for (const QChar c : text) {
        int key = c.unicode();
        if (c.isLetter()) key = c.toUpper().unicode();
        PressKey(key, Qt::NoModifier, 0, QString(c));
    }
}

struct Outcome {
    bool quit;
    bool accepted;
    QString number;
};

class FrmquitTest : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};

    // Shows a fresh dialog, types the text, ends it with the given key.
    Outcome EnterWith(const QString& text, int endKey) {
        auto dialog = std::make_unique<Frmquit>(module);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            Type(text);
            PressKey(endKey);
        });
        dialog->Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_FALSE(dialog->IsLoaded());
        return {dialog->QuitFlag, dialog->CodeAccepted, dialog->CodeNumber};
    }
};

TEST_F(FrmquitTest, EnterJudgesTheEntry) {
    struct Case {
        QString typed;
        Outcome expected;
    } cases[] = {
        {QString(), {false, false, QString()}},
        {kCode, {true, true, QString()}},
        {kCode + "5", {false, true, "5"}},
        {kCode + "4", {false, false, QString()}},
        {kCode + "4.5", {false, true, "4.5"}},
        {kCode + "12abc", {false, true, "12abc"}},
        {kCode + " 7", {false, true, " 7"}},
        {kCode + " ", {false, false, QString()}},
        {kCode + "&H10", {false, true, "&H10"}},
        {QStringLiteral("0000") + "12", {false, false, QString()}},
        {QStringLiteral("120"), {false, false, QString()}},
    };
    for (const auto& c : cases) {
        const Outcome got = EnterWith(c.typed, Qt::Key_Return);
        EXPECT_EQ(got.quit, c.expected.quit) << c.typed.toStdString();
        EXPECT_EQ(got.accepted, c.expected.accepted) << c.typed.toStdString();
        EXPECT_EQ(got.number, c.expected.number) << c.typed.toStdString();
    }
}

TEST_F(FrmquitTest, KeypadEnterEndsItToo) {
    const Outcome got = EnterWith(kCode, Qt::Key_Enter);
    EXPECT_TRUE(got.quit);
    EXPECT_TRUE(got.accepted);
}

TEST_F(FrmquitTest, EscNeverTestsTheText) {
    for (const QString& typed : {kCode, kCode + "12", QString()}) {
        const Outcome got = EnterWith(typed, Qt::Key_Escape);
        EXPECT_FALSE(got.quit);
        EXPECT_FALSE(got.accepted);
        EXPECT_TRUE(got.number.isEmpty());
    }
}

TEST_F(FrmquitTest, EveryEnterInjectsOneTab) {
    EnterWith(kCode, Qt::Key_Return);
    EnterWith(QStringLiteral("x"), Qt::Key_Return);
    EnterWith(kCode, Qt::Key_Escape);
    EXPECT_EQ(fakes.keys.tabs, 2);
}

TEST_F(FrmquitTest, ValidationAndFocusLossFollowTheirOwnRows) {
    struct Case {
        QString typed;
        Outcome validate;
        Outcome lostFocus;
    } cases[] = {
        {kCode, {true, true, QString()}, {true, false, QString()}},
        {kCode + "12", {false, true, "12"}, {false, true, "12"}},
        {QStringLiteral("9999"), {false, false, QString()}, {false, false, QString()}},
    };
    for (const auto& c : cases) {
        for (const bool focusLoss : {false, true}) {
            Frmquit dialog(module);
            dialog.Load();
            dialog.Text1->SetText(c.typed);
            if (focusLoss) {
                dialog.Text1_LostFocus();
            } else {
                bool cancel = false;
                dialog.Text1_Validate(cancel);
                EXPECT_FALSE(cancel);
            }
            const Outcome& want = focusLoss ? c.lostFocus : c.validate;
            EXPECT_EQ(dialog.QuitFlag, want.quit) << c.typed.toStdString() << focusLoss;
            EXPECT_EQ(dialog.CodeAccepted, want.accepted) << c.typed.toStdString() << focusLoss;
            EXPECT_EQ(dialog.CodeNumber, want.number) << c.typed.toStdString() << focusLoss;
            EXPECT_FALSE(dialog.IsLoaded());
            EXPECT_EQ(fakes.keys.tabs, 0);
        }
    }
}

TEST_F(FrmquitTest, ShowsTheStarredPromptWithoutTitleBar) {
    auto dialog = std::make_unique<Frmquit>(module);
    QString shownText;
    bool starred = false;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        Type(QStringLiteral("12"));
        shownText = dialog->Text1->Editor()->displayText();
        starred = dialog->Text1->Editor()->echoMode() == QLineEdit::Password;
        PressKey(Qt::Key_Escape);
    });
    dialog->Show(1);
    EXPECT_EQ(dialog->Label1->Caption(), QStringLiteral("请输入关机密码："));
    EXPECT_EQ(dialog->Label1->ForeColor(), QColor(0, 0, 255));
    EXPECT_TRUE(starred);
    EXPECT_EQ(shownText, QStringLiteral("**"));
    EXPECT_TRUE(dialog->windowTitle().isEmpty());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog->width(), 230);  // 3450 twips at 15 twips a pixel
    EXPECT_EQ(dialog->height(), 48);
}

TEST_F(FrmquitTest, TabAndClicksLeaveTheEntryAlone) {
    auto dialog = std::make_unique<Frmquit>(module);
    bool stillUp = false;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        Type(kCode);
        PressKey(Qt::Key_Tab);
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseClick(dialog->Label1, Qt::LeftButton);
        testing_support::ProcessEvents();
        stillUp = dialog->IsLoaded() && dialog->Text1->HasFocus();
        Type(QStringLiteral("12"));
        PressKey(Qt::Key_Return);
    });
    dialog->Show(1);
    EXPECT_TRUE(stillUp);
    EXPECT_FALSE(dialog->QuitFlag);
    EXPECT_TRUE(dialog->CodeAccepted);
    EXPECT_EQ(dialog->CodeNumber, QStringLiteral("12"));
}

TEST(FrmquitCode, IsTheMonthAndDayOfTheDate) {
    EXPECT_EQ(Frmquit::CodeForDate(QDate(2026, 12, 7)), QStringLiteral("1207"));
    EXPECT_EQ(Frmquit::CodeForDate(QDate(2027, 1, 31)), QStringLiteral("0131"));
    EXPECT_EQ(Frmquit::CodeForDate(QDate(2028, 2, 29)), QStringLiteral("0229"));
}

}  // namespace
