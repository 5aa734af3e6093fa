#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "shared/statements.h"
#include "support/exam_db.h"

namespace {

using testing_support::Query;

const QString kPaper = QStringLiteral("1001001");
const QString kAdmission = QStringLiteral("12345");
// Positions of the answer columns in a row of sjdj.
const int sjda = 18;
const int df = 19;
const int xq = 20;

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

// Changes stay in the detached recordset until the batch, which writes only the
// changed rows.
TEST_F(DbBatch, WritesOnlyTheChangedRows) {
    testing_support::Exec(folder.DbPath(),
                      "CREATE TABLE written (id); CREATE TRIGGER log AFTER UPDATE ON sjdj "
                      "BEGIN INSERT INTO written VALUES (new.id); END");
    const std::int64_t first = std::get<std::int64_t>(sheetRows.front().front().Raw());
    MoveTo(sheet, 2);
    Answer(sheet, QStringLiteral("100000"));
    MoveTo(sheet, 5);
    Answer(sheet, QStringLiteral("010000"));
    EXPECT_EQ(sheet.PendingCount(), 2);
    EXPECT_EQ(Table(), sheetRows);
    EXPECT_THROW(sheet.UpdateBatch(db::adAffectAllChapters), db::Error);  // detached
    EXPECT_EQ(sheet.PendingCount(), 2);
    EXPECT_EQ(sheet.Field(QStringLiteral("sjda")), db::Value("010000"));
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

// A row is found by its key and the values read of the columns the batch changes:
// another user's change to one of those, or a removed row, fails the whole batch;
// a change to any other column does not.
TEST_F(DbBatch, WhatAnotherUserChangedMeanwhile) {
    struct Case {
        const char* meanwhile;
        bool fails;
    } cases[] = {
        {"UPDATE sjdj SET sjda='111111' WHERE id=%1", true},
        {"UPDATE sjdj SET df=NULL WHERE id=%1", true},
        {"DELETE FROM sjdj WHERE id=%1", true},
        {"UPDATE sjdj SET tm='changed', km=X'00', bz='x' WHERE id=%1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        sheet.SetActiveConnection(&conn);
        BuildSheet(conn, sheet);
        const std::int64_t third = std::get<std::int64_t>(sheet.Field(QStringLiteral("id")).Raw()) + 2;
        for (int position : {1, 3, 4}) {
            MoveTo(sheet, position);
            Answer(sheet, QStringLiteral("100000"));
        }
        testing_support::Exec(folder.DbPath(), QString::fromUtf8(c.meanwhile).arg(third));
        auto expected = Table();

        conn.BeginTrans();
        sheet.SetActiveConnection(&conn);
        const std::string failure = FailureOf([&] { sheet.UpdateBatch(); });
        conn.CommitTrans();  // what the batch left behind, made visible
        if (c.fails) {
            EXPECT_NE(failure.find("sjdj"), std::string::npos) << failure;
            EXPECT_NE(failure.find("id = " + std::to_string(third)), std::string::npos) << failure;
            EXPECT_EQ(sheet.PendingCount(), 3);
        } else {
            EXPECT_EQ(failure, std::string());
            EXPECT_EQ(sheet.PendingCount(), 0);
            for (std::size_t row : {0, 2, 3}) {
                expected[row][sjda] = QStringLiteral("100000");
                expected[row][df] = 1;
                expected[row][xq] = 1;
            }
        }
        EXPECT_EQ(Table(), expected);
    }
}

// What was read goes back byte for byte, and is found again by the next batch's check.
TEST_F(DbBatch, EveryValueTravelsUnchanged) {
    struct Case {
        db::Value value;
        const char* stored;  // type and hex digits in the table
    } cases[] = {
        {db::Value::FromBlob("A"), "blob 41"},
        {db::Value::FromBlob(""), "blob "},
        {db::Value::FromBlob(QByteArray::fromHex("00FF00")), "blob 00FF00"},
        {db::Value::FromTextBytes(QByteArray::fromHex("C7EBCECAD5FDC8B7B5C4")),
         "text C7EBCECAD5FDC8B7B5C4"},
        {db::Value::FromTextBytes(QByteArray::fromHex("41FF42")), "text 41FF42"},
        {"甲", "text E794B2"},
        {QString(), "text "},
        {2.5, "real 322E35"},
        {7, "integer 37"},
        {db::Value(), "null "},
    };
    const QString stored =
        QStringLiteral("SELECT typeof(km) || ' ' || hex(km) FROM sjdj WHERE id=%1");
    const std::int64_t id = std::get<std::int64_t>(sheet.Field(QStringLiteral("id")).Raw());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        for (const bool written : {false, true}) {
            // Read afresh each time: what the last batch wrote is the original now.
            db::Recordset rs;
            rs.SetActiveConnection(&conn);
            rs.LockType = db::adLockBatchOptimistic;
            rs.Open(statements::S7(kPaper, kAdmission));
            if (written) {
                EXPECT_EQ(rs.Field(QStringLiteral("km")), c.value);
            }
            rs.SetField(QStringLiteral("km"), written ? db::Value("next") : c.value);
            EXPECT_EQ(FailureOf([&] { rs.UpdateBatch(); }), std::string());
            if (!written) {
                EXPECT_EQ(testing_support::Scalar(folder.DbPath(), stored.arg(id)),
                          db::Value(c.stored));
            }
        }
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
            EXPECT_GT(QFileInfo(folder.DbPath() + "-wal").size(), 0);
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
