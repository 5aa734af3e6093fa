#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "support/exam_db.h"

namespace {

class DbRecordset : public ::testing::Test {
protected:
    void SetUp() override { conn.Open(folder.ConnectionString()); }

    // A recordset over the first n questions of a paper, opened the way the
    // terminal opens every recordset.
    void OpenQuestions(int n, int lockType = db::adLockReadOnly) {
        if (n > 0) testing_support::AddPaper(folder.DbPath(), QStringLiteral("P"), n);
        rs.SetActiveConnection(&conn);
        rs.CursorLocation = db::adUseClient;
        rs.CursorType = db::adOpenStatic;
        rs.LockType = lockType;
        rs.Open(QStringLiteral("SELECT * FROM sj where sjmc='P' order by th"), -1, -1,
                db::adCmdText);
    }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset rs;
};

TEST_F(DbRecordset, NeedsAnOpenConnection) {
    EXPECT_THROW(rs.Open(QStringLiteral("SELECT * FROM sj")), db::Error);
    db::Connection closed;
    rs.SetActiveConnection(&closed);
    EXPECT_THROW(rs.Open(QStringLiteral("SELECT * FROM sj")), db::Error);
    EXPECT_EQ(rs.State(), db::adStateClosed);
    EXPECT_THROW(rs.RecordCount(), db::Error);
}

TEST_F(DbRecordset, AnOpenRecordsetMustBeClosedFirst) {
    OpenQuestions(1);
    EXPECT_THROW(rs.Open(QStringLiteral("SELECT * FROM sj")), db::Error);
    rs.Close();
    EXPECT_EQ(rs.State(), db::adStateClosed);
    rs.Close();
    rs.Open(QStringLiteral("SELECT * FROM sj"));
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(DbRecordset, MovesThroughTheRowsAsTheOriginalDoes) {
    struct Step {
        const char* move;  // with "!": the move fails and changes nothing
        int position;
        bool bof;
        bool eof;
        int th;  // 0 when there is no current row
    };
    struct Case {
        int rows;
        std::vector<Step> steps;
    } cases[] = {
        {0,
         {{"", db::adPosUnknown, true, true, 0},
          {"next!", db::adPosUnknown, true, true, 0},
          {"previous!", db::adPosUnknown, true, true, 0},
          {"first!", db::adPosUnknown, true, true, 0},
          {"last!", db::adPosUnknown, true, true, 0}}},
        {1,
         {{"", 1, false, false, 1},
          {"next", db::adPosEOF, false, true, 0},
          {"previous", 1, false, false, 1},
          {"previous", db::adPosBOF, true, false, 0},
          {"next", 1, false, false, 1},
          {"last", 1, false, false, 1}}},
        {3,
         {{"", 1, false, false, 1},
          {"next", 2, false, false, 2},
          {"next", 3, false, false, 3},
          {"next", db::adPosEOF, false, true, 0},
          {"next!", db::adPosEOF, false, true, 0},
          {"first", 1, false, false, 1},
          {"previous", db::adPosBOF, true, false, 0},
          {"previous!", db::adPosBOF, true, false, 0},
          {"last", 3, false, false, 3},
          {"previous", 2, false, false, 2}}},
    };
    for (const auto& c : cases) {
        rs.Close();
        testing_support::Exec(folder.DbPath(), "DELETE FROM sj");
        OpenQuestions(c.rows);
        EXPECT_EQ(rs.RecordCount(), c.rows);
        EXPECT_EQ(rs.FieldCount(), 15);
        for (const auto& s : c.steps) {
            std::string move = s.move;
            const bool fails = !move.empty() && move.back() == '!';
            if (fails) move.pop_back();
            SCOPED_TRACE(testing::Message() << c.rows << " rows, after " << s.move);
            const auto act = [&] {
                if (move == "next") rs.MoveNext();
                if (move == "previous") rs.MovePrevious();
                if (move == "first") rs.MoveFirst();
                if (move == "last") rs.MoveLast();
            };
            if (fails) {
                EXPECT_THROW(act(), db::Error);
            } else {
                act();
            }
            EXPECT_EQ(rs.AbsolutePosition(), s.position);
            EXPECT_EQ(rs.Bof(), s.bof);
            EXPECT_EQ(rs.Eof(), s.eof);
            if (s.th) {
                EXPECT_EQ(rs.Field(QStringLiteral("th")), db::Value(s.th));
            } else {
                EXPECT_THROW(rs.Field(QStringLiteral("th")), db::Error);
                EXPECT_THROW(rs.Field(0), db::Error);
            }
        }
    }
}

// Null apart from the empty text, numbers as numbers, text as text even when it is
// not UTF-8, a BLOB as its bytes.
TEST_F(DbRecordset, ReadsEveryValueAsStored) {
    struct Case {
        const char* column;
        const char* stored;  // SQL
        db::Value read;
    } cases[] = {
        {"da1", "'甲'", "甲"},
        {"da2", "''", QString()},
        {"da3", "NULL", db::Value()},
        {"da4", "' '", " "},
        {"fz", "2.5", 2.5},
        {"bk", "7", 7},
        {"th", "'7'", "7"},
        {"da", "CAST(X'E794B2' AS TEXT)", "甲"},
        {"tm", "CAST(X'C7EBCECA' AS TEXT)",
         db::Value::FromTextBytes(QByteArray::fromHex("C7EBCECA"))},
        {"km", "X'41'", db::Value::FromBlob("A")},
        {"pcxname", "X''", db::Value::FromBlob("")},
    };
    testing_support::AddQuestion(folder.DbPath(), QStringLiteral("P"), {});
    for (const auto& c : cases) {
        testing_support::Exec(folder.DbPath(),
                              QStringLiteral("UPDATE sj SET %1 = %2").arg(c.column, c.stored));
    }
    OpenQuestions(0);
    for (const auto& c : cases) {
        EXPECT_EQ(rs.Field(QString::fromUtf8(c.column)), c.read) << c.column << " = " << c.stored;
    }
}

TEST_F(DbRecordset, FindsFieldsByNameInAnyCaseAndByPosition) {
    OpenQuestions(1);
    EXPECT_EQ(rs.FieldName(1), QStringLiteral("tx"));
    for (const char* name : {"tx", "TX", "Tx", "tX"}) {
        EXPECT_EQ(rs.Field(QString::fromUtf8(name)), db::Value("单选题")) << name;
    }
    EXPECT_EQ(rs.Field(1), db::Value("单选题"));
    EXPECT_EQ(rs.Field(QStringLiteral("SJMC")), db::Value("P"));
    EXPECT_THROW(rs.Field(QStringLiteral("nosuch")), db::Error);
    EXPECT_THROW(rs.Field(15), db::Error);
    EXPECT_THROW(rs.Field(-1), db::Error);
    EXPECT_THROW(rs.FieldName(15), db::Error);
}

TEST_F(DbRecordset, AnExpressionColumnIsReadByPosition) {
    OpenQuestions(3);
    rs.Close();
    rs.Open(QStringLiteral("SELECT sum(bk)  From sj where sjmc='P'"));
    EXPECT_EQ(rs.Field(0), db::Value(6));
    rs.Close();
    rs.Open(QStringLiteral("SELECT sum(bk)  From sj where sjmc='none'"));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_TRUE(rs.Field(0).IsNull());
}

TEST_F(DbRecordset, OnlyABatchOptimisticRecordsetTakesChanges) {
    for (int lockType : {db::adLockReadOnly, db::adLockOptimistic}) {
        rs.Close();
        testing_support::Exec(folder.DbPath(), "DELETE FROM sj");
        OpenQuestions(1, lockType);
        EXPECT_THROW(rs.SetField(QStringLiteral("tm"), db::Value("x")), db::Error) << lockType;
        EXPECT_EQ(rs.PendingCount(), 0);
    }
    rs.Close();
    testing_support::Exec(folder.DbPath(), "DELETE FROM sj");
    OpenQuestions(1, db::adLockBatchOptimistic);
    EXPECT_THROW(rs.SetField(QStringLiteral("nosuch"), db::Value("x")), db::Error);
    rs.SetField(QStringLiteral("TM"), db::Value("x"));
    EXPECT_EQ(rs.Field(QStringLiteral("tm")), db::Value("x"));
    EXPECT_EQ(rs.PendingCount(), 1);
    rs.MoveNext();
    EXPECT_THROW(rs.SetField(QStringLiteral("tm"), db::Value("y")), db::Error);
}

TEST_F(DbRecordset, DetachedRowsStayReadable) {
    OpenQuestions(3);
    rs.MoveNext();
    rs.SetActiveConnection(nullptr);
    conn.Close();
    EXPECT_EQ(rs.ActiveConnection(), nullptr);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    rs.MoveNext();
    EXPECT_EQ(rs.Field(QStringLiteral("th")), db::Value(3));
}

}  // namespace
