#include <gtest/gtest.h>

#include <QMessageBox>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

constexpr auto kKeypad = Qt::KeypadModifier;
const QString kTitleOfKind1 = QStringLiteral("货运驾驶员从业资格");

// On the standard papers the sheet shows question 11 - p at position p: odd positions
// are multiple choice (right: 1 and 3), even ones single choice (right: 2).
QString RightAnswerAt(int position) {
    return QString::fromLatin1(position % 2 == 1 ? testing_support::kMultipleAnswer
                                                 : testing_support::kSingleAnswer);
}

class WholeExam : public ::testing::Test {
protected:
    Terminal t;

    void SetUp() override {
        t.fakes.random.values = {0.0f, 0.5f};  // one repeat, then paper 3
        ASSERT_TRUE(t.Start());
    }

    QString Number() const { return t.form->Label11->Caption(); }

    // Chooses the right options at the current position with main-row digits.
    void AnswerRight(int position) {
        if (position % 2 == 1) {
            t.Key(Qt::Key_1);
            t.Key(Qt::Key_3);
        } else {
            t.Key(Qt::Key_2);
        }
    }
};

TEST_F(WholeExam, FromTheOfferToTheReviewAndBack) {
    t.IdleTicks(4);
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance")) << "no offer before the fifth tick";
    t.TakeOffer();
    EXPECT_EQ(t.module->PaperName, QStringLiteral("10001003"));
    EXPECT_EQ(t.form->PaperState, QStringLiteral("111"));
    EXPECT_EQ(t.form->Label1->Caption(), kTitleOfKind1 + QStringLiteral(" 试卷"));
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("50:00"));
    EXPECT_TRUE(t.form->Timer2->Enabled());
    EXPECT_FALSE(t.form->Timer1->Enabled());
    EXPECT_FALSE(t.form->Label9->Visible());
    EXPECT_TRUE(t.form->Label8->Visible());
    EXPECT_TRUE(t.form->Label15->Visible());
    EXPECT_FLOAT_EQ(t.form->Image2->Left(), 20000.0f);
    EXPECT_EQ(Number(), QStringLiteral("1"));

    // Position 1, multiple choice: main-row 1 and keypad 3.
    t.Key(Qt::Key_1);
    t.Key(Qt::Key_3, kKeypad);
    EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
    t.Key(Qt::Key_5);  // option without text: swallowed, nothing changes
    EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
    t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(Number(), QStringLiteral("2"));

    // Position 2, single choice: keypad 1, then 2 clears it.
    t.Key(Qt::Key_1, kKeypad);
    t.Key(Qt::Key_2, Qt::ShiftModifier);
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
    t.Key(Qt::Key_F4);
    EXPECT_EQ(Number(), QStringLiteral("3"));

    // Position 3, multiple choice: 2 pressed twice clears it again.
    for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_2, Qt::Key_2}) t.Key(key);
    EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
    t.Key(Qt::Key_Return);
    EXPECT_EQ(Number(), QStringLiteral("4"));

    // Position 4 wrong; then back to the start and forward again, answers kept.
    t.Key(Qt::Key_3);
    t.Key(Qt::Key_Minus, kKeypad);
    EXPECT_EQ(Number(), QStringLiteral("3"));
    EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
    t.Key(Qt::Key_F3);
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
    t.Key(Qt::Key_F3);
    t.Key(Qt::Key_F3);
    EXPECT_EQ(Number(), QStringLiteral("1")) << "the first question stays";
    for (int i = 0; i < 3; ++i) t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(Number(), QStringLiteral("4"));
    EXPECT_EQ(t.Markers(), QStringLiteral("001000"));

    for (int position = 4; position < 10; ++position) {
        t.Key(Qt::Key_Plus, kKeypad);
        ASSERT_EQ(Number(), QString::number(position + 1));
        if (position + 1 == 9) {
            for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_4}) t.Key(key);  // one too many
        } else {
            AnswerRight(position + 1);
        }
    }
    t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(Number(), QStringLiteral("10")) << "the last question stays";

    // Declining the end-exam prompt changes nothing.
    {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_2);
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(Number(), QStringLiteral("10"));
    EXPECT_TRUE(t.form->Timer2->Enabled());

    // Ended with Esc and 1; the result answered with Enter, the review prompt with 1.
    {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_1);
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
        ASSERT_EQ(driver.Seen().size(), 3u);
        const auto& result = driver.Seen()[1];
        EXPECT_EQ(result.className.toStdString(), "QMessageBox");
        EXPECT_EQ(result.title.toStdString(), "Kestrova");
        EXPECT_EQ(result.icon, static_cast<int>(QMessageBox::Information));
        EXPECT_EQ(result.text.toStdString(), "考生：驾驶员合计考80分， 不合格！");
    }
    EXPECT_EQ(t.module->ResultText, QStringLiteral("合计考80分， 不合格！"));

    // The review: the two wrong questions, with their numbers of the exam.
    EXPECT_EQ(t.form->ReviewState, QStringLiteral("1"));
    EXPECT_EQ(Number(), QStringLiteral("4"));
    EXPECT_EQ(t.form->Label6[0]->Caption(), QStringLiteral("正确答案：  2、"));
    EXPECT_EQ(t.Markers(), QStringLiteral("001000"));
    EXPECT_FALSE(t.Swallowed(Qt::Key_1)) << "digits do nothing in the review";
    t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(Number(), QStringLiteral("9"));
    EXPECT_EQ(t.form->Label6[0]->Caption(), QStringLiteral("正确答案：  1、 3、"));
    t.Key(Qt::Key_Return);
    EXPECT_EQ(Number(), QStringLiteral("9"));
    t.Key(Qt::Key_F3);
    EXPECT_EQ(Number(), QStringLiteral("4"));

    {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_2);
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_TRUE(t.form->ReviewState.isEmpty());
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_TRUE(t.form->Label6[0]->Caption().isEmpty());
    EXPECT_TRUE(t.form->Label9->Visible());
    EXPECT_FALSE(t.form->Label8->Visible());
    EXPECT_FLOAT_EQ(t.form->Image2->Left(), 600.0f);
    EXPECT_TRUE(t.form->Timer1->Enabled());
    EXPECT_FALSE(t.form->Timer2->Enabled());

    // Every row of the handed-in sheet.
    const auto rows = testing_support::Query(
        t.Db(), QStringLiteral("SELECT sjda, df, xq, bz FROM sjdj ORDER BY id"));
    ASSERT_EQ(rows.size(), 10u);
    for (int position = 1; position <= 10; ++position) {
        const auto& row = rows[position - 1];
        QString expected = RightAnswerAt(position);
        if (position == 4) expected = QStringLiteral("001000");
        if (position == 9) expected = QStringLiteral("101100");
        const bool right = expected == RightAnswerAt(position);
        EXPECT_EQ(row[0].ToText(), expected) << position;
        EXPECT_EQ(row[1].ToDouble(), right ? 10.0 : 0.0) << position;
        EXPECT_EQ(row[2].ToDouble(), 1.0) << position;
        EXPECT_EQ(row[3].ToText(), QStringLiteral("1")) << position;
    }
}

}  // namespace
