#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMessageBox>
#include <QProxyStyle>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/sync_counter.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

constexpr auto kKeypad = Qt::KeypadModifier;

// Gives standard buttons pictures, as some desktops' styles do.
class IconButtonsStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == QStyle::SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// One key on the exam, and the question number and markers it leaves on screen.
struct Step {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* number;
    const char* markers;
};

// Positions 1 and 3 multiple choice, 2 and 4 single choice; 4 answered wrong.
const Step kFirstFour[] = {
    {Qt::Key_1, {}, "1", "100000"},
    {Qt::Key_3, kKeypad, "1", "101000"},
    {Qt::Key_5, {}, "1", "101000"},  // an option without text
    {Qt::Key_Plus, kKeypad, "2", "000000"},
    {Qt::Key_1, kKeypad, "2", "100000"},
    {Qt::Key_2, Qt::ShiftModifier, "2", "010000"},
    {Qt::Key_F4, {}, "3", "000000"},
    {Qt::Key_1, {}, "3", "100000"},
    {Qt::Key_2, {}, "3", "110000"},
    {Qt::Key_3, {}, "3", "111000"},
    {Qt::Key_2, {}, "3", "101000"},  // pressed again: cleared
    {Qt::Key_Return, {}, "4", "000000"},
    {Qt::Key_3, {}, "4", "001000"},
    {Qt::Key_Minus, kKeypad, "3", "101000"},  // every move keeps the answers
    {Qt::Key_F3, {}, "2", "010000"},
    {Qt::Key_F3, {}, "1", "101000"},
    {Qt::Key_F3, {}, "1", "101000"},  // the first question stays
    {Qt::Key_Plus, kKeypad, "2", "010000"},
    {Qt::Key_F4, {}, "3", "101000"},
    {Qt::Key_Return, {}, "4", "001000"},
};

TEST(WholeExam, FromTheOfferToTheReviewAndBack) {
    QApplication::setStyle(new IconButtonsStyle);
    const testing_support::SyncCounter syncs;  // before the terminal opens the file
    Terminal t;
    t.fakes.random.values = {0.0f, 0.5f};  // one repeat, then paper 3
    ASSERT_TRUE(t.Start());
    const auto number = [&t] { return t.form->Label11->Caption().toStdString(); };

    const int syncsBefore = syncs.Syncs();
    t.TakeOffer();
    EXPECT_EQ(t.module->PaperName, QStringLiteral("10001003"));
    EXPECT_TRUE(t.ShowsExam());
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("50:00"));
    EXPECT_EQ(number(), "1");
    for (const Step& step : kFirstFour) {
        SCOPED_TRACE(testing::Message() << "key " << step.key << " to " << step.number);
        t.Key(step.key, step.modifiers);
        ASSERT_EQ(number(), step.number);
        EXPECT_EQ(t.Markers().toStdString(), step.markers);
    }
    for (int position = 5; position <= 10; ++position) {
        t.Key(Qt::Key_Plus, kKeypad);
        t.AnswerRight(position);
        if (position == 9) t.Key(Qt::Key_4);  // one too many
    }
    t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(number(), "10") << "the last question stays";

    t.Modals({Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });
    EXPECT_EQ(number(), "10") << "declining the end-exam prompt changes nothing";
    // Nor can the window system close the exam, as a window manager's Alt+F4 would.
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(t.form, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(t.form->isVisible());
    EXPECT_TRUE(t.ShowsExam());

    // Ended with Esc and 1; the result closed with its one button, the review taken.
    QStringList buttons;
    bool pictures = false;
    ModalDriver driver;
    driver.ThenKey(Qt::Key_1)
        .Then([&](QWidget* modal) {
            for (const QAbstractButton* b : qobject_cast<QMessageBox*>(modal)->buttons()) {
                buttons << b->text();
                pictures = pictures || !b->icon().isNull();
            }
            testing_support::PressKey(Qt::Key_Return);
        })
        .ThenKey(Qt::Key_1);
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(driver.Done());
    ASSERT_EQ(driver.Seen().size(), 3u);
    const auto& result = driver.Seen()[1];
    EXPECT_EQ(result.className.toStdString(), "QMessageBox");
    EXPECT_EQ(result.title.toStdString(), "Kestrova");
    EXPECT_EQ(result.icon, static_cast<int>(QMessageBox::Information));
    EXPECT_EQ(result.text.toStdString(), "考生：驾驶员合计考80分， 不合格！");
    EXPECT_EQ(buttons, QStringList{QStringLiteral("确定")});
    EXPECT_FALSE(pictures);
    EXPECT_EQ(t.module->ResultText, QStringLiteral("合计考80分， 不合格！"));
    // Each sync is a wait for the disk; an exam (the sheet built, answered, handed in
    // and folded back into korva.mdb) needs no more than these.
    EXPECT_LE(syncs.Syncs() - syncsBefore, 5);

    // The review: the two wrong questions with their numbers of the exam; no countdown.
    EXPECT_EQ(t.form->ReviewState, QStringLiteral("1"));
    EXPECT_EQ(number(), "4");
    EXPECT_EQ(t.form->Label6[0]->Caption(), QStringLiteral("正确答案：  2、"));
    EXPECT_EQ(t.Markers(), QStringLiteral("001000"));
    EXPECT_FALSE(t.Swallowed(Qt::Key_1)) << "digits do nothing in the review";
    EXPECT_TRUE(t.form->Timer2->Fire());
    EXPECT_TRUE(t.form->Label13->Caption().isEmpty());
    t.Key(Qt::Key_Plus, kKeypad);
    EXPECT_EQ(number(), "9");
    EXPECT_EQ(t.form->Label6[0]->Caption(), QStringLiteral("正确答案：  1、 3、"));
    t.Key(Qt::Key_Return);
    EXPECT_EQ(number(), "9");
    t.Key(Qt::Key_F3);
    EXPECT_EQ(number(), "4");

    t.Modals({Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });
    EXPECT_TRUE(t.ShowsTitle());
    EXPECT_TRUE(t.form->ReviewState.isEmpty());
    EXPECT_TRUE(t.form->Label6[0]->Caption().isEmpty());

    // Every row handed in: the answer, its score, whether any option was chosen.
    EXPECT_EQ(t.Sheet(QStringLiteral("sjda || ':' || df || ':' || xq || ':' || bz")).toStdString(),
              "101000:10:1:1 010000:10:1:1 101000:10:1:1 001000:0:1:1 101000:10:1:1 "
              "010000:10:1:1 101000:10:1:1 010000:10:1:1 101100:0:1:1 010000:10:1:1");
    // The file alone, copied without its log as an operator's backup would, holds them too.
    const QString copy = t.folder.File(QStringLiteral("copy.mdb"));
    ASSERT_TRUE(QFile::copy(t.Db(), copy));
    const auto handedIn = testing_support::Scalar(
        copy, QStringLiteral("SELECT count(*) FROM sjdj WHERE bz = '1'"));
    EXPECT_EQ(handedIn.ToDouble(), 10.0);

    // Behind the title the keys still work on what SheetRs holds (the two reviewed
    // questions), except Enter, which is swallowed and does nothing.
    EXPECT_TRUE(t.Swallowed(Qt::Key_Return));
    EXPECT_EQ(number(), "4");
    EXPECT_TRUE(t.Swallowed(Qt::Key_F4));
    EXPECT_EQ(number(), "2");
    EXPECT_EQ(t.Markers(), QStringLiteral("101100"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_2));
    EXPECT_EQ(t.Markers(), QStringLiteral("111100"));
    EXPECT_TRUE(t.ShowsTitle());
}

}  // namespace
