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

// Makes the database fail until the returned function is called: another program
// holds the write lock (a connection of its own in an immediate transaction), or a
// trigger refuses a write to the sheet, as a full disk would.
std::function<void()> Trouble(const Terminal& t, bool writeLock, const char* refusedWrite) {
    if (writeLock) {
        sqlite3* other = nullptr;
        EXPECT_EQ(sqlite3_open(QFile::encodeName(t.Db()).constData(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        return [other] { sqlite3_close(other); };
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
    for (int each = 0; each < 6; ++each) {
        const auto ending = static_cast<Ending>(each / 2);
        const bool writeLock = each % 2 == 0;  // else refused after the batch went out
        SCOPED_TRACE(testing::Message() << "ending " << static_cast<int>(ending)
                                        << (writeLock ? ", write lock" : ", refused"));
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

        const auto endTrouble = Trouble(t, writeLock, "UPDATE OF bz");
        const std::vector<SeenModal> failed = end({Qt::Key_Return});
        ASSERT_EQ(failed.size(), ending == Ending::TimeOut ? 1u : 2u);
        EXPECT_EQ(failed.back().text, kFailure);
        EXPECT_EQ(failed.back().icon, static_cast<int>(QMessageBox::Warning));
        EXPECT_TRUE(t.ShowsExam());
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
    for (const bool writeLock : {false, true}) {
        SCOPED_TRACE(writeLock ? "write lock" : "refused");
        Terminal t;
        t.busyTimeoutMs = 20;
        ASSERT_TRUE(t.Start());
        RunWholeExam(t);
        const QString all = QStringLiteral("SELECT * FROM sjdj ORDER BY id");
        const auto before = Query(t.Db(), all);

        const auto endTrouble = Trouble(t, writeLock, "INSERT");
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
