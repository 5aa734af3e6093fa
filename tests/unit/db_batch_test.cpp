#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>

#include "shared/statements.h"
#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "support/exam_db.h"

namespace {

using testing_support::Query;

const QString kPaper = QStringLiteral("1001001");
const QString kAdmission = QStringLiteral("12345");

// A sheet built and disconnected as the terminal builds it.
void BuildSheet(db::Connection& conn, db::Recordset& sheet) {
    conn.BeginTrans();
    conn.Execute(statements::S5(kAdmission));
    conn.Execute(statements::S6(kPaper, kAdmission));
    sheet.Close();
    sheet.SetActiveConnection(&conn);
    sheet.CursorLocation = db::adUseClient;
    sheet.CursorType = db::adOpenStatic;
    sheet.LockType = db::adLockBatchOptimistic;
    sheet.Open(statements::S7(kPaper, kAdmission), -1, -1, db::adCmdText);
    sheet.MoveFirst();
    sheet.SetActiveConnection(nullptr);
    conn.CommitTrans();
}

// What GetSave stores for one answer.
void Answer(db::Recordset& sheet, const QString& mask) {
    sheet.SetField(QStringLiteral("sjda"), mask);
    const bool right = sheet.Field(QStringLiteral("da")) == db::Value(mask);
    sheet.SetField(QStringLiteral("df"), right ? sheet.Field(QStringLiteral("fz")) : db::Value(0));
    sheet.SetField(QStringLiteral("xq"), mask.contains('1') ? 1 : 0);
}

void MoveTo(db::Recordset& sheet, int position) {
    sheet.MoveFirst();
    while (sheet.AbsolutePosition() != position) sheet.MoveNext();
}

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const db::Error& e) {
        return e.what();
    }
    return {};
}

class DbBatch : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::AddPaper(folder.DbPath(), kPaper, 10);
        conn.Open(folder.ConnectionString());
        BuildSheet(conn, sheet);
        sheetRows = Query(folder.DbPath(), "SELECT * FROM sjdj ORDER BY id");
    }

    std::vector<testing_support::Row> Table() const {
        return Query(folder.DbPath(), "SELECT * FROM sjdj ORDER BY id");
    }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset sheet;
    std::vector<testing_support::Row> sheetRows;
};

TEST_F(DbBatch, ChangesStayInTheDetachedRecordsetUntilTheBatch) {
    MoveTo(sheet, 2);
    Answer(sheet, QStringLiteral("100000"));
    MoveTo(sheet, 5);
    Answer(sheet, QStringLiteral("010000"));
    EXPECT_EQ(sheet.PendingCount(), 2);
    EXPECT_EQ(Table(), sheetRows);
    EXPECT_THROW(sheet.UpdateBatch(db::adAffectAllChapters), db::Error);
    EXPECT_EQ(sheet.PendingCount(), 2);
    EXPECT_EQ(sheet.Field(QStringLiteral("sjda")), db::Value("010000"));
}

TEST_F(DbBatch, WritesOnlyTheChangedRows) {
    testing_support::Exec(folder.DbPath(),
                      "CREATE TABLE written (id); CREATE TRIGGER log AFTER UPDATE ON sjdj "
                      "BEGIN INSERT INTO written VALUES (new.id); END");
    const std::int64_t first = std::get<std::int64_t>(sheetRows.front().front().Raw());
    MoveTo(sheet, 2);
    Answer(sheet, QStringLiteral("100000"));
    MoveTo(sheet, 5);
    Answer(sheet, QStringLiteral("010000"));
    MoveTo(sheet, 3);

    conn.BeginTrans();
    sheet.SetActiveConnection(&conn);
    sheet.UpdateBatch(db::adAffectAllChapters);
    conn.CommitTrans();

    EXPECT_EQ(Query(folder.DbPath(), "SELECT id FROM written ORDER BY id"),
              (std::vector<testing_support::Row>{{db::Value(first + 1)}, {db::Value(first + 4)}}));
    EXPECT_EQ(sheet.PendingCount(), 0);
    EXPECT_EQ(sheet.AbsolutePosition(), 3);
    auto expected = sheetRows;
    const int sjda = 18;
    const int df = 19;
    const int xq = 20;
    expected[1][sjda] = QStringLiteral("100000");
    expected[1][df] = 1;
    expected[1][xq] = 1;
    expected[4][sjda] = QStringLiteral("010000");
    expected[4][df] = 0;
    expected[4][xq] = 1;
    EXPECT_EQ(Table(), expected);

    // The written values are the new originals: a second change goes through too.
    sheet.UpdateBatch();
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM written"), db::Value(2));
    MoveTo(sheet, 2);
    Answer(sheet, QStringLiteral("000000"));
    sheet.UpdateBatch();
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(),
                                  QStringLiteral("SELECT sjda FROM sjdj WHERE id=%1").arg(first + 1)),
              db::Value("000000"));
}

TEST_F(DbBatch, ARowChangedMeanwhileFailsAndTheRollbackRestoresTheTable) {
    struct Case {
        const char* meanwhile;
    } cases[] = {
        {"UPDATE sjdj SET tm='changed' WHERE id=%1"},
        {"UPDATE sjdj SET df=NULL WHERE id=%1"},
        {"DELETE FROM sjdj WHERE id=%1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        sheet.SetActiveConnection(&conn);
        BuildSheet(conn, sheet);
        const std::int64_t third = std::get<std::int64_t>(sheet.Field(QStringLiteral("id")).Raw()) + 2;
        MoveTo(sheet, 1);
        Answer(sheet, QStringLiteral("100000"));
        MoveTo(sheet, 3);
        Answer(sheet, QStringLiteral("100000"));
        MoveTo(sheet, 4);
        Answer(sheet, QStringLiteral("100000"));
        testing_support::Exec(folder.DbPath(), QString::fromUtf8(c.meanwhile).arg(third));
        const auto before = Table();

        conn.BeginTrans();
        sheet.SetActiveConnection(&conn);
        const std::string failure = FailureOf([&] { sheet.UpdateBatch(); });
        conn.RollbackTrans();

        EXPECT_NE(failure.find("sjdj"), std::string::npos) << failure;
        EXPECT_NE(failure.find("id = " + std::to_string(third)), std::string::npos) << failure;
        EXPECT_EQ(Table(), before);
        EXPECT_EQ(sheet.PendingCount(), 3);
    }
}

TEST_F(DbBatch, RowsOfAnExpressionCannotBeWrittenBack) {
    db::Recordset total;
    total.SetActiveConnection(&conn);
    total.LockType = db::adLockBatchOptimistic;
    total.Open(statements::S9(kPaper, kAdmission));
    total.SetField(QStringLiteral("sum(df)"), 5);
    EXPECT_THROW(total.UpdateBatch(), db::Error);
}

// The hand-in transaction in a child process that is killed at once after the
// transaction has done its work, before or after its commit.
TEST(DbCrash, AKilledHandInLeavesTheTableAsItWasUnlessCommitted) {
    for (const bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "committed" : "not committed");
        testing_support::ExamFolder folder;
        // Long texts make the sheet larger than the cache, so that the transaction
        // spills pages into the file itself before it ends.
        testing_support::AddPaper(folder.DbPath(), kPaper, 100, [](int, testing_support::Question& q) {
            q.tm = QString(2000, QLatin1Char('x'));
        });
        {
            db::Connection conn;
            conn.Open(folder.ConnectionString());
            db::Recordset sheet;
            BuildSheet(conn, sheet);
        }
        const auto before = Query(folder.DbPath(), "SELECT * FROM sjdj ORDER BY id");

        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            char done = 'E';
            try {
                db::Connection conn;
                conn.Open(folder.ConnectionString());
                conn.Execute(QStringLiteral("PRAGMA cache_size = 10"));
                db::Recordset sheet;
                sheet.SetActiveConnection(&conn);
                sheet.LockType = db::adLockBatchOptimistic;
                sheet.Open(statements::S7(kPaper, kAdmission));
                sheet.SetActiveConnection(nullptr);
                for (sheet.MoveFirst(); !sheet.Eof(); sheet.MoveNext()) {
                    Answer(sheet, QStringLiteral("100000"));
                }
                conn.BeginTrans();
                sheet.SetActiveConnection(&conn);
                sheet.UpdateBatch();
                conn.Execute(statements::S10(kPaper, kAdmission));
                if (commit) conn.CommitTrans();
                // Killed here, with the connection and its transaction still open.
                done = 'Y';
                if (write(ready[1], &done, 1) != 1) _exit(2);
                for (;;) pause();
            } catch (...) {
            }
            if (write(ready[1], &done, 1) != 1) _exit(2);
            for (;;) pause();
        }
        close(ready[1]);
        char done = 0;
        ASSERT_EQ(read(ready[0], &done, 1), 1);
        close(ready[0]);
        if (!commit) {
            EXPECT_TRUE(QFile::exists(folder.DbPath() + "-journal"));
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_EQ(done, 'Y');
        ASSERT_TRUE(WIFSIGNALED(status));

        const auto after = Query(folder.DbPath(), "SELECT * FROM sjdj ORDER BY id");
        if (commit) {
            ASSERT_EQ(after.size(), before.size());
            EXPECT_EQ(testing_support::Scalar(folder.DbPath(),
                                          "SELECT count(*) FROM sjdj WHERE bz='1' AND "
                                          "sjda='100000' AND df=1 AND xq=1"),
                      db::Value(100));
        } else {
            EXPECT_EQ(after, before);
        }
    }
}

}  // namespace
