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

// The code of 7 December, the day the fakes' clock stands on.
const QString kCode = QStringLiteral("1207");

void Type(const QString& text) {
    for (const QChar c : text) {
        PressKey(c.unicode(), Qt::NoModifier, 0, QString(c));
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

// The entry shows as stars and stays up through Tab and clicks. Enter (main row or
// keypad) judges it against the code of the day on which the dialog was loaded, past
// midnight too: the exact code, or the code with a number after it (kept as typed). Esc
// never judges it.
TEST_F(FrmquitTest, EnterJudgesTheStarredEntryByTheCodeOfItsLoad) {
    const struct {
        QString typed;
        int endKey;
        Outcome expected;
    } cases[] = {
        {kCode, Qt::Key_Return, {true, true, {}}},
        {kCode, Qt::Key_Enter, {true, true, {}}},
        {kCode + " 7", Qt::Key_Return, {false, true, " 7"}},
        {kCode, Qt::Key_Escape, {false, false, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " " + std::to_string(c.endKey));
        fakes.clock.now = QDateTime(QDate(2026, 12, 7), QTime(23, 59));
        auto dialog = std::make_unique<Frmquit>(module);
        QString shown;
        bool stillUp = false;
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            fakes.clock.Advance(60 * 1000);
            Type(c.typed);
            shown = dialog->Text1->Editor()->displayText();
            PressKey(Qt::Key_Tab);
            QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            QTest::mouseClick(dialog->Label1, Qt::LeftButton);
            testing_support::ProcessEvents();
            stillUp = dialog->IsLoaded() && dialog->Text1->HasFocus();
            PressKey(c.endKey);
        });
        dialog->Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(shown, QString(c.typed.size(), u'*'));
        EXPECT_TRUE(stillUp);
        EXPECT_FALSE(dialog->IsLoaded());
        EXPECT_EQ(Fields(*dialog), c.expected);
    }
}

}  // namespace
