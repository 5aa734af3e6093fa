#include "dialogs/frmquit.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>
#include <ostream>

#include "platform/ui/label.h"
#include "platform/ui/text_box.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

// The clock of the fakes stands on 7 December: the code of the day is "1207".
const QString kCode = QStringLiteral("1207");

void Type(const QString& text) {
    for (const QChar c : text) {
        PressKey(c.isLetter() ? c.toUpper().unicode() : c.unicode(), Qt::NoModifier, 0, QString(c));
    }
}

struct Outcome {
    bool quit;
    bool accepted;
    QString number;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << "{QuitFlag " << o.quit << ", CodeAccepted " << o.accepted << ", \""
         << o.number.toStdString() << "\"}";
}

Outcome Fields(const Frmquit& dialog) {
    return {dialog.QuitFlag, dialog.CodeAccepted, dialog.CodeNumber};
}

class FrmquitTest : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

// One Enter (main row or keypad) judges the entry and injects one Tab; validation judges it
// alike, focus loss alike but for the exact code, which it takes as the exit code only.
// Esc never tests the entry.
TEST_F(FrmquitTest, EveryHandlerJudgesTheEntryByItsRow) {
    const int enter = Qt::Key_Return, keypadEnter = Qt::Key_Enter, esc = Qt::Key_Escape;
    const Outcome refused{false, false, QString()}, exact{true, true, QString()};
    const struct {
        QString typed;
        int endKey;
        Outcome expected;
    } cases[] = {
        {QString(), enter, refused},
        {kCode, enter, exact},
        {kCode, keypadEnter, exact},
        {kCode + "5", enter, {false, true, "5"}},
        {kCode + "4", enter, refused},
        {kCode + "4.5", enter, {false, true, "4.5"}},
        {kCode + "12abc", enter, {false, true, "12abc"}},
        {kCode + " 7", enter, {false, true, " 7"}},
        {kCode + " ", enter, refused},
        {kCode + "&H10", enter, {false, true, "&H10"}},
        {QStringLiteral("000012"), enter, refused},
        {QStringLiteral("120"), enter, refused},
        {kCode, esc, refused},
        {kCode + "12", esc, refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + (c.endKey == esc ? " Esc" : " Enter"));
        const int tabsBefore = fakes.keys.tabs;
        auto dialog = std::make_unique<Frmquit>(module);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            Type(c.typed);
            PressKey(c.endKey);
        });
        dialog->Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_FALSE(dialog->IsLoaded());
        EXPECT_EQ(Fields(*dialog), c.expected);
        EXPECT_EQ(fakes.keys.tabs - tabsBefore, c.endKey == esc ? 0 : 1);
        if (c.endKey == esc) continue;
        for (const bool focusLoss : {false, true}) {
            Frmquit judged(module);
            judged.Load();
            judged.Text1->SetText(c.typed);
            bool cancel = false;
            focusLoss ? judged.Text1_LostFocus() : judged.Text1_Validate(cancel);
            EXPECT_FALSE(cancel);
            EXPECT_FALSE(judged.IsLoaded());
            const Outcome codeOnly{true, false, QString()};
            EXPECT_EQ(Fields(judged), focusLoss && c.expected == exact ? codeOnly : c.expected)
                << (focusLoss ? "focus loss" : "validation");
        }
        EXPECT_EQ(fakes.keys.tabs - tabsBefore, 1) << "only Enter injects a Tab";
    }
}

// The entry shows as stars, stays up through Tab and clicks, and expects the code of the
// day on which the dialog was loaded, past midnight too.
TEST_F(FrmquitTest, TheStarredEntryKeepsTheCodeOfItsLoad) {
    auto dialog = std::make_unique<Frmquit>(module);
    QString shown;
    bool stillUp = false;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        fakes.clock.Advance(24 * 3600 * 1000);
        Type(kCode);
        shown = dialog->Text1->Editor()->displayText();
        PressKey(Qt::Key_Tab);
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseClick(dialog->Label1, Qt::LeftButton);
        testing_support::ProcessEvents();
        stillUp = dialog->IsLoaded() && dialog->Text1->HasFocus();
        Type(QStringLiteral("12"));
        PressKey(Qt::Key_Return);
    });
    dialog->Show(1);
    EXPECT_EQ(shown, QStringLiteral("****"));
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(Fields(*dialog), (Outcome{false, true, "12"}));
}

}  // namespace
