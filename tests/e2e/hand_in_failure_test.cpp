#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::Query;
using testing_support::SeenModal;
using testing_support::Terminal;

const QString kFailure = QStringLiteral("操作有错！");

enum class Cause { WriteLock, RefusedWrite, RefusedCommit };
const char* const kCauses[] = {"write lock", "refused write", "refused commit"};

// Makes the database fail until the returned function is called: another program
// holds the write lock (a connection of its own in an immediate transaction), a
// trigger refuses a write to the sheet as a full disk would, or the commit itself
// fails and the engine rolls the transaction back.
std::function<void()> Trouble(const Terminal& t, Cause cause, const char* refusedWrite) {
    if (cause == Cause::WriteLock) {
        sqlite3* other = nullptr;
        EXPECT_EQ(sqlite3_open(QFile::encodeName(t.Db()).constData(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        return [other] { sqlite3_close(other); };
    }
    if (cause == Cause::RefusedCommit) {
        sqlite3* handle = t.module->Conn->Handle();
        sqlite3_commit_hook(
            handle, [](void*) { return 1; }, nullptr);
        return [handle] { sqlite3_commit_hook(handle, nullptr, nullptr); };
    }
    testing_support::Exec(t.Db(), QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON sjdj BEGIN "
                                                 "SELECT RAISE(ABORT, 'disk full'); END")
                                      .arg(QString::fromLatin1(refusedWrite)));
    return [db = t.Db()] { testing_support::Exec(db, QStringLiteral("DROP TRIGGER refuse")); };
}

// Esc and 1 on the end-exam prompt, then the keys on the windows that follow.
std::vector<SeenModal> EndWithEsc(Terminal& t, std::vector<int> keys) {
    keys.insert(keys.begin(), Qt::Key_1);
    return t.Modals(keys, [&t] { t.Key(Qt::Key_Escape); });
}

::testing::AssertionResult NoTransaction(const Terminal& t) {
    if (!t.module->Conn->InTransaction() && sqlite3_get_autocommit(t.module->Conn->Handle()) == 1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "a transaction is left open";
}

// A whole exam from the offer to the result, every answer right.
void RunWholeExam(Terminal& t) {
    t.TakeOffer();
    ASSERT_TRUE(t.ShowsExam());
    for (int position = 1; position <= 10; ++position) {
        t.AnswerRight(position);
        t.Key(Qt::Key_Plus, Qt::KeypadModifier);
    }
    const auto seen = EndWithEsc(t, {Qt::Key_Return, Qt::Key_2});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].text.toStdString(), "考生：驾驶员合计考100分， 合格！");
    EXPECT_TRUE(t.ShowsTitle());
    EXPECT_EQ(t.SheetRows(QStringLiteral("bz='1' AND df=10")), 10);
    EXPECT_TRUE(NoTransaction(t));
}

// A failed hand-in keeps the exam as it was, answers included; the next one stores
// every answer once.
TEST(HandInFailure, KeepsTheExamAndTheNextHandInStoresEveryAnswer) {
    enum class Ending { EscAndOne, TimeOut, TimeOutBehindThePrompt };
    for (int each = 0; each < 9; ++each) {
        const auto ending = static_cast<Ending>(each / 3);
        const auto cause = static_cast<Cause>(each % 3);
        SCOPED_TRACE(testing::Message()
                     << "ending " << static_cast<int>(ending) << ", " << kCauses[each % 3]);
        Terminal t;
        t.busyTimeoutMs = 20;
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        // Positions 1, 2 and 4 right and saved; back on 3, answered right on screen only.
        for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_F4, Qt::Key_2, Qt::Key_F4, Qt::Key_1,
                        Qt::Key_F4, Qt::Key_2, Qt::Key_F3, Qt::Key_3}) {
            t.Key(key);
        }
        ASSERT_EQ(t.form->Label11->Caption(), QStringLiteral("3"));
        const qint64 examEnd = t.form->EndMonotonicMs;
        const auto end = [&](std::initializer_list<int> keys) {
            if (ending == Ending::EscAndOne) return EndWithEsc(t, keys);
            if (ending == Ending::TimeOut) return t.Modals(keys, [&] { t.TimeOut(); });
            // The candidate leaves the end-exam prompt open; the time runs out.
            testing_support::ModalDriver driver;
            driver.Then([&](QWidget*) { t.TimeOut(); });
            for (int key : keys) driver.ThenKey(key);
            t.Key(Qt::Key_Escape);
            EXPECT_TRUE(driver.Done());
            return driver.Seen();
        };

        // A refused write fails the sheet's marking, after the batch went out.
        const auto endTrouble = Trouble(t, cause, "UPDATE OF bz");
        const std::vector<SeenModal> failed = end({Qt::Key_Return});
        ASSERT_EQ(failed.size(), ending == Ending::TimeOut ? 1u : 2u);
        EXPECT_EQ(failed.back().text, kFailure);
        EXPECT_EQ(failed.back().icon, static_cast<int>(QMessageBox::Warning));
        EXPECT_TRUE(t.ShowsExam());
        EXPECT_EQ(t.form->EndMonotonicMs, examEnd) << "the countdown goes on";
        EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("3"));
        EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
        EXPECT_TRUE(t.form->ReviewState.isEmpty());
        EXPECT_EQ(t.module->SheetRs->ActiveConnection(), nullptr);
        EXPECT_TRUE(NoTransaction(t));
        EXPECT_EQ(t.SheetRows(QStringLiteral("bz='0' AND sjda IS NULL")), 10) << "nothing stored";

        endTrouble();
        const auto handedIn = end({Qt::Key_Return, Qt::Key_2});
        ASSERT_FALSE(handedIn.empty());
        EXPECT_EQ(handedIn[handedIn.size() - 2].text.toStdString(),
                  "考生：驾驶员合计考40分， 不合格！");
        EXPECT_TRUE(t.ShowsTitle());
        EXPECT_TRUE(NoTransaction(t));
        const auto sheet =
            t.Sheet(QStringLiteral("th||':'||ifnull(sjda,'Null')||':'||df||':'||bz"));
        EXPECT_EQ(sheet.toStdString(),
                  "10:101000:10:1 9:010000:10:1 8:101000:10:1 7:010000:10:1 6:Null:0:1 "
                  "5:Null:0:1 4:Null:0:1 3:Null:0:1 2:Null:0:1 1:Null:0:1");

        RunWholeExam(t);
    }
}

// A sheet that cannot be built leaves the previous one in the table and no
// transaction behind; after the end-exam prompt the terminal offers again.
TEST(SheetBuildFailure, LeavesThePreviousSheetAndTheNextExamRuns) {
    for (const Cause cause : {Cause::RefusedWrite, Cause::WriteLock, Cause::RefusedCommit}) {
        SCOPED_TRACE(kCauses[static_cast<int>(cause)]);
        Terminal t;
        t.busyTimeoutMs = 20;
        ASSERT_TRUE(t.Start());
        RunWholeExam(t);
        const QString all = QStringLiteral("SELECT * FROM sjdj ORDER BY id");
        const auto before = Query(t.Db(), all);

        const auto endTrouble = Trouble(t, cause, "INSERT");
        const auto offered =
            t.Modals({Qt::Key_Return, Qt::Key_A, Qt::Key_Return}, [&] { t.IdleTicks(5); });
        EXPECT_EQ(offered.back().text, kFailure);
        EXPECT_EQ(t.form->PaperState, QStringLiteral("000"));
        EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("货运驾驶员从业资格 试卷"));
        EXPECT_FALSE(t.form->Timer1->Enabled());
        EXPECT_FALSE(t.form->Timer2->Enabled());
        EXPECT_TRUE(NoTransaction(t));
        EXPECT_EQ(Query(t.Db(), all), before);

        // No sheet of this paper to hand in: reported, and the title comes back.
        endTrouble();
        const auto ended = EndWithEsc(t, {Qt::Key_Return});
        ASSERT_EQ(ended.size(), 2u);
        EXPECT_EQ(ended.back().text, kFailure);
        EXPECT_TRUE(t.ShowsTitle());
        EXPECT_TRUE(NoTransaction(t));
        EXPECT_EQ(Query(t.Db(), all), before);

        RunWholeExam(t);
    }
}

// The review after a good hand-in that cannot show a question: its rows refused (the
// statement fails, the rows stay closed) or none to show (every answer right). The
// sheet stays handed in; the failure is reported; the review's headings stand over the
// last question shown; Esc leads out, and the next exam runs. A key that finds the
// rows closed fails in the key handler itself: reported and swallowed, nothing moved.
TEST(ReviewFailure, KeepsTheHandedInSheetAndEscLeadsOut) {
    for (const bool refused : {true, false}) {
        SCOPED_TRACE(refused ? "rows refused" : "no rows");
        Terminal t;
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        for (int position = 1; position <= 10; ++position) {
            if (!refused || position % 2 == 0) t.AnswerRight(position);
            t.Key(Qt::Key_Plus, Qt::KeypadModifier);
        }
        const QString lastShown = t.form->Label2->Caption();
        sqlite3* handle = t.module->Conn->Handle();
        testing_support::ModalDriver driver;
        driver.ThenKey(Qt::Key_1)
            .Then([&](QWidget*) {  // the result: from now on the sheet cannot be read
                if (refused) {
                    sqlite3_set_authorizer(
                        handle,
                        [](void*, int action, const char* table, const char*, const char*,
                           const char*) {
                            return action == SQLITE_READ && QLatin1String(table) == "sjdj"
                                       ? SQLITE_DENY
                                       : SQLITE_OK;
                        },
                        nullptr);
                }
                testing_support::PressKey(Qt::Key_Return);
            })
            .ThenKey(Qt::Key_1)
            .ThenKey(Qt::Key_Return);
        t.Key(Qt::Key_Escape);
        sqlite3_set_authorizer(handle, nullptr, nullptr);
        EXPECT_TRUE(driver.Done());
        ASSERT_EQ(driver.Seen().size(), 4u);
        EXPECT_EQ(driver.Seen()[1].text.toStdString(), refused
                                                           ? "考生：驾驶员合计考50分， 不合格！"
                                                           : "考生：驾驶员合计考100分， 合格！");
        EXPECT_EQ(driver.Seen()[3].text, kFailure);
        EXPECT_EQ(t.SheetRows(QStringLiteral("bz='1' AND df=10")), refused ? 5 : 10);
        EXPECT_EQ(t.SheetRows(QStringLiteral("bz='1'")), 10);
        EXPECT_EQ(t.module->SheetRs->State(), refused ? db::adStateClosed : db::adStateOpen);

        for (int key : {Qt::Key_F4, Qt::Key_F3}) {
            const auto seen =
                t.Modals(refused ? std::vector<int>{Qt::Key_Return} : std::vector<int>{},
                         [&] { EXPECT_TRUE(t.Swallowed(key)); });
            ASSERT_EQ(seen.size(), refused ? 1u : 0u);
            EXPECT_TRUE(seen.empty() || seen[0].text == kFailure);
            EXPECT_EQ(t.form->ReviewState, QStringLiteral("1"));
            EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("货运驾驶员从业资格 试卷"));
            EXPECT_EQ(t.form->Label2->Caption(), lastShown);
            EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("10"));
            EXPECT_TRUE(t.form->Label6[0]->Caption().isEmpty());
            EXPECT_FALSE(t.form->Timer1->Enabled());
        }
        t.Modals({Qt::Key_2}, [&] { t.Key(Qt::Key_Escape); });
        EXPECT_TRUE(t.ShowsTitle());
        EXPECT_TRUE(t.form->ReviewState.isEmpty());

        RunWholeExam(t);
    }
}

// A power cut while the result is on screen: the hand-in the candidate has seen is
// already stored. The terminal runs in a program of its own, which is killed.
TEST(HandIn, AKillWhileTheResultIsUpKeepsTheHandedInSheet) {
    QTemporaryDir scratch;  // the child's program folder lies in here
    ASSERT_TRUE(scratch.isValid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), scratch.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(HAND_IN_CHILD), {});
    const QByteArray prefix("result up ");
    QByteArray line;
    const QDeadlineTimer deadline(60000);
    while (!line.startsWith(prefix) && child.waitForReadyRead(deadline.remainingTime())) {
        while (child.canReadLine() && !line.startsWith(prefix)) line = child.readLine().trimmed();
    }
    ASSERT_TRUE(line.startsWith(prefix))
        << "the child never showed the result: " << child.readAllStandardError().toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const auto sheet = testing_support::Scalar(
        QString::fromUtf8(line.mid(prefix.size())),
        QStringLiteral("SELECT group_concat(ifnull(sjda, 'Null') || ':' || df || ':' || bz, ' ') "
                       "FROM (SELECT * FROM sjdj ORDER BY id)"));
    EXPECT_EQ(sheet.ToText().toStdString(),
              "101000:10:1 Null:0:1 Null:0:1 Null:0:1 Null:0:1 Null:0:1 Null:0:1 Null:0:1 "
              "Null:0:1 Null:0:1");
}

}  // namespace
