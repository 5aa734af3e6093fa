#include <gtest/gtest.h>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

int ResultMessages(const ModalDriver& driver) {
    int count = 0;
    for (const auto& seen : driver.Seen()) {
        if (seen.className == QStringLiteral("QMessageBox") &&
            seen.text.startsWith(QStringLiteral("考生："))) {
            ++count;
        }
    }
    return count;
}

int HandedIn(const Terminal& t) {
    return testing_support::Scalar(t.Db(),
                                   QStringLiteral("SELECT count(*) FROM sjdj WHERE bz='1'"))
        .ToText()
        .toInt();
}

TEST(Countdown, TimeOutHandsInAndTheNextOfferFollows) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));

    t.fakes.clock.Advance(60 * 1000);
    t.form->Timer2->Fire();
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("49:00"));

    t.fakes.clock.Advance(49 * 60 * 1000);
    t.form->Timer2->Fire();
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("00:00"));
    EXPECT_TRUE(t.form->Timer2->Enabled()) << "exactly zero left is no time-out";

    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_2);
    t.fakes.clock.Advance(500);
    t.form->Timer2->Fire();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(ResultMessages(driver), 1);
    EXPECT_EQ(HandedIn(t), 10);
    EXPECT_FALSE(t.form->Timer2->Enabled());
    EXPECT_TRUE(t.form->Timer1->Enabled());
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_TRUE(t.form->Label9->Visible());
    EXPECT_FALSE(t.form->Label8->Visible());
    EXPECT_FALSE(t.form->Label15->Visible());
    EXPECT_FLOAT_EQ(t.form->Image2->Left(), 600.0f);

    t.IdleTicks(4);
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    t.TakeOffer();
    EXPECT_EQ(t.form->PaperState, QStringLiteral("111"));
    EXPECT_NE(t.form->Label1->Caption(), QStringLiteral("Derravance"));
}

TEST(Countdown, ANinetyMinutePaperShowsTheMinutesPastTheHour) {
    Terminal t;
    testing_support::Exec(t.Db(), QStringLiteral("UPDATE sjname SET kssj=90"));
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("30:00"));
    t.fakes.clock.Advance(30 * 60 * 1000);
    t.form->Timer2->Fire();
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("00:00"));
    t.fakes.clock.Advance(1000);
    t.form->Timer2->Fire();
    EXPECT_EQ(t.form->Label13->Caption(), QStringLiteral("59:59"));
    EXPECT_TRUE(t.form->Timer2->Enabled());
}

TEST(Countdown, TimeOutWhileTheEndExamPromptIsUpHandsInOnce) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ModalDriver driver;
    driver
        .Then([&t](QWidget*) {
            // The candidate leaves the prompt open; the time runs out.
            t.fakes.clock.Advance(51 * 60 * 1000);
            t.form->Timer2->Fire();
        })
        .ThenKey(Qt::Key_Return)
        .ThenKey(Qt::Key_2);
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(ResultMessages(driver), 1);
    EXPECT_EQ(HandedIn(t), 10);
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_TRUE(t.form->Timer1->Enabled());
    EXPECT_FALSE(t.form->Timer2->Enabled());
}

TEST(Countdown, TicksWhileTheHandInRunsStartNothing) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ModalDriver driver;
    driver.ThenKey(Qt::Key_1)
        .Then([&t](QWidget*) {
            // The result message is up: the time runs out, the countdown ticks.
            t.fakes.clock.Advance(51 * 60 * 1000);
            t.form->Timer2->Fire();
            t.form->Timer2->Fire();
            testing_support::PressKey(Qt::Key_Return);
        })
        .ThenKey(Qt::Key_2);
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(ResultMessages(driver), 1);
    EXPECT_EQ(driver.Seen().size(), 3u);
    EXPECT_EQ(HandedIn(t), 10);
}

TEST(Countdown, AReviewAfterTimeOutKeepsTheIdleTimerOff) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_1);
    t.fakes.clock.Advance(51 * 60 * 1000);
    t.form->Timer2->Fire();
    EXPECT_EQ(t.form->ReviewState, QStringLiteral("1"));
    EXPECT_FALSE(t.form->Timer1->Enabled());
    EXPECT_FALSE(t.form->Timer2->Enabled());
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("货运驾驶员从业资格 试卷"));
}

TEST(Countdown, DuringAReviewOpenedWithEscTheDisplayIsEmpty) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ModalDriver driver;
    driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_1);
    t.Key(Qt::Key_Escape);
    ASSERT_EQ(t.form->ReviewState, QStringLiteral("1"));
    EXPECT_TRUE(t.form->Timer2->Enabled());
    t.form->Timer2->Fire();
    EXPECT_TRUE(t.form->Label13->Caption().isEmpty());
}

}  // namespace
