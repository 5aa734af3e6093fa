// The one-key dialogs: the end-exam and review prompts, the candidate confirmation, the
// keypad instructions and the paper-kind selection.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs/frmquit1.h"
#include "dialogs/frmquit2.h"
#include "dialogs/frmquit3.h"
#include "dialogs/frmquit4.h"
#include "dialogs/frmquit5.h"
#include "platform/db/connection.h"
#include "platform/ui/button3d.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"
#include "support/x11_digits.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

// The window a dialog comes up over; it records the keys it receives.
class WindowBelow : public ui::Form {
public:
    WindowBelow() : ui::Form(ui::Form::Style::FixedDialog) { SetClientSize(6000, 4000); }
    std::vector<int> keys;

protected:
    void Form_KeyDown(int& keyCode, int) override { keys.push_back(keyCode); }
};

struct Key {
    const char* what;
    int key;  // 0: no key (a click or a tick instead)
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    quint32 scanCode = 0;
    QString text = {};
    void Press() const { PressKey(key, modifiers, scanCode, text); }
};

Key From(const testing_support::X11Key& k) {
    return {k.what, k.key, k.modifiers, k.scanCode, k.text};
}

// A key, or a click on the drawn key of that number, and whether the dialog says yes.
struct Answer {
    Key key;
    bool yes = false;
    int drawnKey = -1;
};

// The modifier and lock keys that come alone before a key: Shift goes down before a
// digit, keyboard tools press Num Lock around keypad keys.
const std::vector<Key> kAlone = {{"Shift", Qt::Key_Shift, Qt::ShiftModifier, 50},
                                 {"Ctrl", Qt::Key_Control, Qt::ControlModifier, 37},
                                 {"Num Lock", Qt::Key_NumLock, Qt::NoModifier, 77}};

QString Name(const QString& kind) {
    return QStringLiteral("种类") + kind;
}

class Dialogs : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
    WindowBelow below;

    void SetUp() override {
        testing_support::CreateSchema(folder.DatabasePath());
        module.AppFolder = folder.Path();
        module.ConnectionString = testing_support::ConnectionStringFor(folder.Path());
        module.Conn = std::make_unique<db::Connection>();
        below.Show();
        testing_support::ProcessEvents();
    }

    void SetKinds(const QStringList& kinds) {
        testing_support::Exec(folder.DatabasePath(), QStringLiteral("DELETE FROM sjname"));
        for (const QString& kind : kinds) {
            testing_support::AddKind(folder.DatabasePath(), kind, Name(kind), kind);
        }
    }

    // For each answer, shows a fresh dialog over the window below: the keys before leave
    // it up and unanswered, the answer hides it, and the next key goes below.
    template <class D>
    void ExpectAnswers(const std::vector<Key>& before, const std::vector<Answer>& answers,
                       std::function<bool(const D&)> said) {
        for (const Answer& a : answers) {
            SCOPED_TRACE(a.key.what + std::string(" ") + std::to_string(a.drawnKey));
            below.keys.clear();
            D dialog(module);
            ModalDriver driver;
            driver.Then([&](QWidget*) {
                for (const Key& k : before) {
                    k.Press();
                    testing_support::ProcessEvents();
                    EXPECT_TRUE(dialog.isVisible() && !said(dialog)) << k.what;
                }
                if (a.drawnKey < 0) {
                    a.key.Press();
                } else {
                    QTest::mouseClick(dialog.template findChildren<ui::Button3D*>().at(a.drawnKey),
                                      Qt::LeftButton);
                }
                testing_support::ProcessEvents();
                PressKey(Qt::Key_5, Qt::NoModifier, 14, QStringLiteral("5"));
            });
            dialog.Show(1);
            EXPECT_TRUE(driver.Done());
            EXPECT_EQ(said(dialog), a.yes);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(below.keys, std::vector<int>{53}) << "the next key goes below";
        }
    }
};

// The key 1 of the main row or the keypad, on any layout, Shift, AltGr or Num Lock as
// they may be, says yes and goes on; any other key (a symbol that is a digit's on a US
// keyboard included) says no.
TEST_F(Dialogs, EndExamAndReviewAreTheKeyOne) {
    std::vector<Answer> answers;
    for (const auto& way : testing_support::kDigitWays) {
        for (int digit = 0; digit <= 9; ++digit) {
            answers.push_back({From(way.Digit(digit)), digit == 1});
        }
    }
    for (const auto& k : testing_support::kSymbolKeys) answers.push_back({From(k)});
    const Answer others[] = {
        // clang-format off
        {{"synthetic Shift main-row 1", Qt::Key_1, Qt::ShiftModifier}, true},
        {{"Esc", Qt::Key_Escape, Qt::NoModifier, 9}},
        {{"Enter", Qt::Key_Return, Qt::NoModifier, 36}},
        {{"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 104}},
        {{"space", Qt::Key_Space, Qt::NoModifier, 65, " "}},
        // clang-format on
    };
    answers.insert(answers.end(), std::begin(others), std::end(others));
    ExpectAnswers<Frmquit1>(kAlone, answers, [](auto& d) { return d.EndExam; });
    ExpectAnswers<Frmquit4>(kAlone, answers, [](auto& d) { return d.ReviewWrong; });
}

// Digits, blanks, arrows, F3, F4, the keypad's plus and minus leave it up; only Enter
// (yes) and Esc (no) close it, with or without Shift.
TEST_F(Dialogs, OnlyEnterAndEscCloseTheConfirmation) {
    const std::vector<Key> swallowed = {
        // clang-format off
        {"0", Qt::Key_0}, {"5", Qt::Key_5}, {"space", Qt::Key_Space}, {"left", Qt::Key_Left},
        {"down", Qt::Key_Down}, {"F3", Qt::Key_F3}, {"F4", Qt::Key_F4},
        {"keypad 1", Qt::Key_1, Qt::KeypadModifier}, {"keypad 9", Qt::Key_9, Qt::KeypadModifier},
        {"keypad +", Qt::Key_Plus, Qt::KeypadModifier},
        {"keypad -", Qt::Key_Minus, Qt::KeypadModifier},
    };
    const std::vector<Answer> answers = {
        {{"Enter", Qt::Key_Return}, true},
        {{"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier}, true},
        {{"Shift Enter", Qt::Key_Return, Qt::ShiftModifier}, true},
        {{"Esc", Qt::Key_Escape}},
        {{"Shift Esc", Qt::Key_Escape, Qt::ShiftModifier}},
        // clang-format on
    };
    ExpectAnswers<Frmquit2>(swallowed, answers, [](auto& d) { return d.Confirmed; });
}

// Any key at all (Esc and lone modifiers included) closes it, and so does a click on any
// of the seventeen drawn keys, with or without caption.
TEST_F(Dialogs, AnyKeyOrDrawnKeyClosesTheInstructions) {
    std::vector<Answer> answers = {
        {{"Esc", Qt::Key_Escape}},
        {{"Enter", Qt::Key_Return}},
        {{"Shift alone", Qt::Key_Shift, Qt::ShiftModifier}},
        {{"Ctrl alone", Qt::Key_Control, Qt::ControlModifier}},
        {{"keypad 5", Qt::Key_5, Qt::KeypadModifier}},
        {{"F1", Qt::Key_F1}},
    };
    for (int i = 0; i < 17; ++i) answers.push_back({{"a click on drawn key", 0}, false, i});
    ExpectAnswers<Frmquit3>({}, answers, [](auto&) { return false; });
}

// Up to ten kinds in the order of sjbh, "91" and "92" left out, each numbered by its row;
// the rows the list does not fill show nothing.
TEST_F(Dialogs, TheSelectionListsUpToTenKindsWithoutNinetyOneAndTwo) {
    const struct {
        QStringList kinds, listed;
    } cases[] = {
        {{"93", "5", "91", "1", "2", "3", "92", "4", "6", "7", "8", "9"},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "93"}},
        {{"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "91", "92"},
         {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"}},
        {{"2", "91", "1"}, {"1", "2"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kinds.join(u' ').toStdString());
        SetKinds(c.kinds);
        QStringList expected, rows;
        for (int i = 0; i < 10; ++i) {
            expected << (i < c.listed.size()
                             ? QStringLiteral("%1、%2").arg(i).arg(Name(c.listed[i]))
                             : QString());
        }
        Frmquit5 dialog(module);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            for (const ui::Panel3D* row : dialog.SSPanel2) rows << row->Caption();
            PressKey(Qt::Key_Escape);
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(rows, expected);
    }
}

// Whatever the list shows, a digit of the main row or the keypad (on any layout, Num Lock
// on or off, Shift or AltGr held or not) selects its kind by the fixed table and goes on,
// also after the eighth tick; any other key (a symbol of another layout's key too), or the
// ninth tick, selects "91". Modifier or lock keys alone select nothing. The dialog's timer
// then stops, so that nothing changes the kind behind the exam.
TEST_F(Dialogs, EveryKeyOrTheNinthTickSelectsAKindByTheFixedTable) {
    SetKinds({"1", "2"});
    const char* kinds[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "93"};
    std::vector<std::pair<Key, QString>> presses;  // key 0: the ninth tick
    for (const auto& way : testing_support::kDigitWays) {
        for (int digit = 0; digit <= 9; ++digit) {
            presses.emplace_back(From(way.Digit(digit)), QString::fromLatin1(kinds[digit]));
        }
    }
    for (const auto& k : testing_support::kSymbolKeys) presses.emplace_back(From(k), "91");
    for (const int key : {+Qt::Key_Escape, +Qt::Key_Return, +Qt::Key_A, +Qt::Key_F1, +Qt::Key_Space,
                          +Qt::Key_End, 0}) {
        presses.emplace_back(Key{"other", key}, "91");
    }
    for (const int key : {Qt::Key_Enter, Qt::Key_Plus, Qt::Key_Delete}) {
        presses.emplace_back(Key{"other keypad", key, Qt::KeypadModifier}, "91");
    }
    for (const auto& [key, kind] : presses) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(key.what).arg(key.key, 0, 16).toStdString());
        below.keys.clear();
        module.PaperKind = QStringLiteral("0");
        Frmquit5 dialog(module);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            for (const Key& k : kAlone) k.Press();
            for (int tick = 1; tick <= 8; ++tick) dialog.Timer1->Fire();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(module.PaperKind, QStringLiteral("0"));
            key.key != 0 ? key.Press() : void(dialog.Timer1->Fire());
            testing_support::ProcessEvents();
            PressKey(Qt::Key_5, Qt::NoModifier, 14, QStringLiteral("5"));
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.Timer1->Fire()) << "its timer is stopped";
        EXPECT_EQ(module.PaperKind, kind);
        EXPECT_EQ(below.keys, std::vector<int>{53}) << "the next key goes below";
        EXPECT_EQ(dialog.Timer1->Interval(), 1000);
    }
}

}  // namespace
