#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <iterator>
#include <vector>

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

// The display shows the minutes and seconds left beyond whole hours. Exactly zero left
// is no time-out; the next tick is, and the next offer follows it.
TEST(Countdown, CountsDownToTheTimeOutAndTheNextOffer) {
    constexpr qint64 kMinute = 60 * 1000;
    struct Step {
        qint64 advance;
        const char* shows;
    };
    struct Case {
        int kssj;
        std::vector<Step> steps;
    } cases[] = {
        {50, {{kMinute, "49:00"}, {49 * kMinute, "00:00"}}},
        {90, {{30 * kMinute, "00:00"}, {1000, "59:59"}, {59 * kMinute + 59 * 1000, "00:00"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kssj);
        Terminal t;
        testing_support::Exec(t.Db(), QStringLiteral("UPDATE sjname SET kssj=%1").arg(c.kssj));
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
        for (const Step& step : c.steps) {
            t.fakes.clock.Advance(step.advance);
            t.form->Timer2->Fire();
            EXPECT_EQ(t.form->Label13->Caption().toStdString(), step.shows);
            EXPECT_TRUE(t.form->Timer2->Enabled());
        }

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
}

// The time runs out while the end-exam prompt or the result message is up: the exam
// still ends once.
TEST(Countdown, TimeOutDuringTheEndOfTheExamHandsInOnce) {
    const auto timeOut = [](Terminal& t) {
        t.fakes.clock.Advance(51 * 60 * 1000);
        t.form->Timer2->Fire();
        t.form->Timer2->Fire();
    };
    for (bool duringThePrompt : {true, false}) {
        SCOPED_TRACE(duringThePrompt ? "end-exam prompt" : "result message");
        Terminal t;
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        ModalDriver driver;
        if (duringThePrompt) {
            driver.Then([&](QWidget*) { timeOut(t); }).ThenKey(Qt::Key_Return);
        } else {
            driver.ThenKey(Qt::Key_1).Then([&](QWidget*) {
                timeOut(t);
                testing_support::PressKey(Qt::Key_Return);
            });
        }
        driver.ThenKey(Qt::Key_2);
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(driver.Seen().size(), 3u);
        EXPECT_EQ(ResultMessages(driver), 1);
        EXPECT_EQ(HandedIn(t), 10);
        EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
        EXPECT_TRUE(t.form->Timer1->Enabled());
        EXPECT_FALSE(t.form->Timer2->Enabled());
    }
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

// The one test on the wall clock: the form's timers run on real timers at the periods
// of its design. Three ticks of a 500 ms timer take 1.5 s; at twice the period they
// would take 3 s, past a limit that leaves a loaded machine more than a second to spare.
TEST(RealTimers, TheFormsTimersTickEveryHalfSecond) {
    constexpr int kTicks = 3;
    constexpr qint64 kEarliestMs = kTicks * 500 * 9 / 10;
    constexpr int kLimitMs = 2600;
    Terminal t;
    ASSERT_TRUE(t.Start());
    // Ticks that change nothing: no offer is due, and the countdown only blanks itself.
    t.form->IdleTicks = -1000;
    t.form->ReviewState = QStringLiteral("1");
    t.form->Label13->SetCaption(QStringLiteral("11"));

    struct Count {
        ui::Timer* timer;
        int ticks = 0;
        qint64 lastAt = -1;
    } counts[] = {{t.form->Timer1}, {t.form->Timer2}};
    QEventLoop loop;
    QElapsedTimer clock;
    for (Count& c : counts) {
        auto* real = c.timer->findChild<QTimer*>();
        ASSERT_NE(real, nullptr) << "a timer of the form runs on a QTimer";
        QObject::connect(real, &QTimer::timeout, &loop, [&] {
            if (++c.ticks == kTicks) c.lastAt = clock.elapsed();
            if (std::all_of(std::begin(counts), std::end(counts),
                            [&](const Count& each) { return each.ticks >= kTicks; })) {
                loop.quit();
            }
        });
    }
    ui::Timer::SetManualMode(false);
    clock.start();
    for (Count& c : counts) c.timer->SetEnabled(true);
    QTimer::singleShot(kLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    for (Count& c : counts) c.timer->SetEnabled(false);
    ui::Timer::SetManualMode(true);

    for (const Count& c : counts) {
        SCOPED_TRACE(c.timer->objectName().toStdString());
        EXPECT_GE(c.ticks, kTicks) << "in " << clock.elapsed() << " ms";
        EXPECT_GE(c.lastAt, kEarliestMs) << "ms to the last tick";
    }
    EXPECT_EQ(t.form->IdleTicks, -1000 + counts[0].ticks) << "every tick ran the idle cycle";
    EXPECT_TRUE(t.form->Label13->Caption().isEmpty()) << "the countdown ran";
}

}  // namespace
