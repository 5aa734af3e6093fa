#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"
#include "support/x11_digits.h"

namespace {

using testing_support::ModalDriver;
using testing_support::SeenModal;
using testing_support::Terminal;

// Points of the question at each position of the sheet: answering right the first
// ones gives every total below.
constexpr int kPoints[] = {1, 88, 1, 9, 1, 0, 0, 0, 0, 0};

// Answers right the first positions, up to the total; leaves the others unanswered.
void AnswerForTotal(Terminal& t, int total) {
    int sum = 0;
    for (int position = 1; position <= 10; ++position) {
        if (sum < total) {
            t.AnswerRight(position);
            sum += kPoints[position - 1];
        }
        t.Key(Qt::Key_Plus, Qt::KeypadModifier);
    }
    ASSERT_EQ(sum, total);
}

// The kind's row in sjname sets the length of the exam (kssj) and its pass mark (jgfs),
// read afresh by every exam: the rows follow one another on one terminal, and each
// ends the exam in another way. The display shows the time left beyond whole hours;
// exactly none left is no time-out yet. A step of the wall clock (a time server's
// correction) neither ends an exam early nor lengthens it. A time-out while the
// end-exam prompt or the result is up still hands the exam in once.
TEST(PaperKindLimits, LengthAndPassMarkFromTheKindsRow) {
    constexpr qint64 kMinute = 60 * 1000, kHours2 = 120 * kMinute;
    const db::Value null;
    enum class End { Esc, TimeOut, TimeOutAtThePrompt, TimeOutAtTheResult };
    struct Tick {
        qint64 after;
        const char* shows;
        qint64 wallStep = 0;  // the wall clock alone, after the time has passed
    };
    const std::vector<Tick> fifty = {{kMinute, "49:00", -kHours2}, {49 * kMinute, "00:00"}};
    const std::vector<Tick> ninety = {
        {30 * kMinute, "00:00", kHours2}, {1000, "59:59"}, {59 * kMinute + 59 * 1000, "00:00"}};
    struct Row {
        db::Value kssj, jgfs;
        int minutes;
        const char* countdown;
        std::vector<Tick> ticks;
        End end;
        bool review;
        int total;
        const char* verdict;  // empty: the pass mark is no number, and the hand-in fails
    };
    // clang-format off
    const Row rows[] = {
        {null, null, 50, "50:00", fifty, End::TimeOut, false, 89, "不合格！"},
        {19, 0, 50, "50:00", {}, End::Esc, false, 89, "不合格！"},
        {20, 1, 20, "20:00", {}, End::TimeOutAtThePrompt, false, 1, "合格！"},
        {90, 100, 90, "30:00", ninety, End::TimeOut, true, 99, "不合格！"},
        {null, 100, 50, "50:00", {}, End::TimeOutAtTheResult, false, 100, "合格！"},
        {20, 101, 20, "20:00", {}, End::Esc, true, 90, "合格！"},
        {90, "九十", 90, "30:00", {}, End::Esc, false, 100, ""},
    };
    // clang-format on
    Terminal t;
    for (int position = 1; position <= 10; ++position) {
        testing_support::Exec(t.Db(), QStringLiteral("UPDATE sj SET fz=%1 WHERE th=%2")
                                          .arg(kPoints[position - 1])
                                          .arg(11 - position));
    }
    ASSERT_TRUE(t.Start());
    for (const Row& row : rows) {
        const auto shown = [](const db::Value& v) {
            return v.IsNull() ? std::string("Null") : v.ToText().toStdString();
        };
        SCOPED_TRACE("kssj " + shown(row.kssj) + ", jgfs " + shown(row.jgfs) + ", total " +
                     std::to_string(row.total));
        testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sjname"));
        testing_support::AddKind(t.Db(), QStringLiteral("1"), QStringLiteral("道路货物运输驾驶员"),
                                 QStringLiteral("货运驾驶员从业资格"), row.kssj, row.jgfs);
        const QDateTime offered = t.fakes.clock.now;
        t.TakeOffer();
        ASSERT_TRUE(t.ShowsExam());
        EXPECT_EQ(t.module->ExamMinutes, row.minutes);
        EXPECT_EQ(t.form->EndTime, offered.addSecs(row.minutes * 60));
        EXPECT_EQ(t.form->Label13->Caption().toStdString(), row.countdown);
        AnswerForTotal(t, row.total);
        {
            ModalDriver none;  // no time-out before the end
            for (const Tick& tick : row.ticks) {
                t.fakes.clock.Advance(tick.after);
                t.fakes.clock.now = t.fakes.clock.now.addMSecs(tick.wallStep);
                t.form->Timer2->Fire();
                EXPECT_EQ(t.form->Label13->Caption().toStdString(), tick.shows);
            }
            EXPECT_TRUE(t.ShowsExam());
        }

        const bool result = *row.verdict != '\0';
        const auto timeOut = [&t] {
            t.TimeOut();
            t.form->Timer2->Fire();
        };
        ModalDriver driver;
        if (row.end == End::TimeOutAtThePrompt) {
            driver.Then([&](QWidget*) { timeOut(); });
        } else if (row.end != End::TimeOut) {
            driver.ThenKey(Qt::Key_1);
        }
        if (row.end == End::TimeOutAtTheResult) {
            driver.Then([&](QWidget*) {
                timeOut();
                testing_support::PressKey(Qt::Key_Return);
            });
        } else {
            driver.ThenKey(Qt::Key_Return);
        }
        if (result) driver.ThenKey(row.review ? Qt::Key_1 : Qt::Key_2);
        if (row.end == End::TimeOut) {
            timeOut();
        } else {
            t.Key(Qt::Key_Escape);
        }
        EXPECT_TRUE(driver.Done());
        std::vector<SeenModal> boxes;
        std::copy_if(driver.Seen().begin(), driver.Seen().end(), std::back_inserter(boxes),
                     [](const SeenModal& seen) { return seen.className == "QMessageBox"; });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title.toStdString(), "Kestrova");
        EXPECT_EQ(boxes[0].text.toStdString(),
                  result ? "考生：驾驶员合计考" + std::to_string(row.total) + "分， " + row.verdict
                         : "操作有错！");
        EXPECT_EQ(boxes[0].icon,
                  static_cast<int>(result ? QMessageBox::Information : QMessageBox::Warning));
        EXPECT_EQ(t.SheetRows(QStringLiteral("bz='1'")), result ? 10 : 0);
        if (row.review) {
            EXPECT_EQ(t.form->ReviewState, QStringLiteral("1"));
            EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("货运驾驶员从业资格 试卷"));
            EXPECT_FALSE(t.form->Timer1->Enabled());
            EXPECT_EQ(t.form->Timer2->Enabled(), row.end == End::Esc);
            t.Modals({Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });
        }
        if (result) {
            EXPECT_TRUE(t.ShowsTitle());
            EXPECT_EQ(t.module->ReviewPaper.isEmpty(), !row.review);
        }
    }
}

// From the time-out on the sheet is final: while its hand-in fails (a full disk) and is
// tried again at every tick, no key changes an answer or the question shown, and Esc
// may still hand it in. What is stored is the sheet as the time left it; handed in, the
// keys act on the title screen as before.
TEST(TimeOut, TheSheetIsFinalWhileItsHandInFails) {
    for (const bool byEsc : {false, true}) {
        SCOPED_TRACE(byEsc ? "handed in with Esc" : "handed in at a tick");
        Terminal t;
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        // Position 1 answered right and saved; position 2 right on screen only.
        for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_F4, Qt::Key_2}) t.Key(key);
        testing_support::Exec(t.Db(),
                              QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON sjdj BEGIN "
                                             "SELECT RAISE(ABORT, 'disk full'); END"));
        const QString onScreen = QString::fromLatin1(testing_support::kSingleAnswer);
        for (int retry = 0; retry < 2; ++retry) {
            const auto failed = t.Modals({Qt::Key_Return}, [&] {
                if (retry == 0) {
                    t.TimeOut();
                } else {
                    t.form->Timer2->Fire();
                }
            });
            ASSERT_EQ(failed.size(), 1u);
            EXPECT_EQ(failed[0].text, QStringLiteral("操作有错！"));
            std::vector<testing_support::X11Key> keys = {
                {"F3", Qt::Key_F3, Qt::NoModifier, 69, ""},
                {"F4", Qt::Key_F4, Qt::NoModifier, 70, ""},
                {"Enter", Qt::Key_Return, Qt::NoModifier, 36, "\r"},
                {"keypad +", Qt::Key_Plus, Qt::KeypadModifier, 86, "+"},
                {"keypad -", Qt::Key_Minus, Qt::KeypadModifier, 82, "-"}};
            for (const auto& way : testing_support::kDigitWays) {
                for (int digit = 1; digit <= 6; ++digit) keys.push_back(way.Digit(digit));
            }
            for (const auto& k : keys) {
                EXPECT_TRUE(t.Swallowed(k.key, k.modifiers, k.scanCode)) << k.what;
                EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("2")) << k.what;
                EXPECT_EQ(t.Markers(), onScreen) << k.what;
            }
            t.Modals({Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });  // the exam goes on
            EXPECT_TRUE(t.ShowsExam());
        }
        testing_support::Exec(t.Db(), QStringLiteral("DROP TRIGGER full"));
        if (byEsc) {
            t.Modals({Qt::Key_1, Qt::Key_Return, Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });
        } else {
            t.Modals({Qt::Key_Return, Qt::Key_2}, [&] { t.form->Timer2->Fire(); });
        }
        EXPECT_TRUE(t.ShowsTitle());
        EXPECT_EQ(t.Sheet(QStringLiteral("ifnull(sjda, 'Null')")).toStdString(),
                  "101000 010000 Null Null Null Null Null Null Null Null");
        EXPECT_TRUE(t.Swallowed(Qt::Key_3));
        EXPECT_EQ(t.Markers(), QStringLiteral("001000")) << "the last sheet behind the title";
    }
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
