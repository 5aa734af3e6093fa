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

TEST_F(DbRecordset, EmptyRowsAreAtBothEnds) {
    OpenQuestions(0);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Bof());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), db::adPosUnknown);
    EXPECT_THROW(rs.MoveNext(), db::Error);
    EXPECT_THROW(rs.MovePrevious(), db::Error);
    EXPECT_THROW(rs.MoveFirst(), db::Error);
    EXPECT_THROW(rs.MoveLast(), db::Error);
    EXPECT_THROW(rs.Field(QStringLiteral("tx")), db::Error);
    EXPECT_EQ(rs.FieldCount(), 15);
}

TEST_F(DbRecordset, MovesThroughTheRowsAsTheOriginalDoes) {
    struct Step {
        const char* move;
        int position;
        bool bof;
        bool eof;
        int th;  // 0 when there is no current row
    };
    struct Case {
        int rows;
        std::vector<Step> steps;
    } cases[] = {
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
          {"first", 1, false, false, 1},
          {"previous", db::adPosBOF, true, false, 0},
          {"last", 3, false, false, 3},
          {"previous", 2, false, false, 2}}},
    };
    for (const auto& c : cases) {
        rs.Close();
        testing_support::Exec(folder.DbPath(), "DELETE FROM sj");
        OpenQuestions(c.rows);
        EXPECT_EQ(rs.RecordCount(), c.rows);
        for (const auto& s : c.steps) {
            const std::string move = s.move;
            if (move == "next") rs.MoveNext();
            if (move == "previous") rs.MovePrevious();
            if (move == "first") rs.MoveFirst();
            if (move == "last") rs.MoveLast();
            SCOPED_TRACE(testing::Message() << c.rows << " rows, after " << move);
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

TEST_F(DbRecordset, MovingPastEitherEndFails) {
    OpenQuestions(2);
    rs.MoveLast();
    rs.MoveNext();
    EXPECT_THROW(rs.MoveNext(), db::Error);
    EXPECT_EQ(rs.AbsolutePosition(), db::adPosEOF);
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_THROW(rs.MovePrevious(), db::Error);
    EXPECT_EQ(rs.AbsolutePosition(), db::adPosBOF);
}

TEST_F(DbRecordset, KeepsNullApartFromEmptyText) {
    testing_support::Question q;
    q.options = {QStringLiteral("甲"), QString(), {}, QStringLiteral(" "), {}, {}};
    q.pcxname = QString();
    q.da = {};
    testing_support::AddQuestion(folder.DbPath(), QStringLiteral("P"), q);
    OpenQuestions(0);
    EXPECT_EQ(rs.Field(QStringLiteral("da1")), db::Value("甲"));
    EXPECT_TRUE(rs.Field(QStringLiteral("da2")).IsText());
    EXPECT_EQ(rs.Field(QStringLiteral("da2")).ToText(), QString());
    EXPECT_TRUE(rs.Field(QStringLiteral("da3")).IsNull());
    EXPECT_EQ(rs.Field(QStringLiteral("da4")).ToText(), QStringLiteral(" "));
    EXPECT_TRUE(rs.Field(QStringLiteral("da")).IsNull());
    EXPECT_TRUE(rs.Field(QStringLiteral("pcxname")).IsText());
}

TEST_F(DbRecordset, ReadsNumbersAsTheyAreStored) {
    testing_support::Question q;
    q.fz = 2.5;
    q.bk = 7;
    q.th = QStringLiteral("7");
    testing_support::AddQuestion(folder.DbPath(), QStringLiteral("P"), q);
    OpenQuestions(0);
    EXPECT_EQ(rs.Field(QStringLiteral("fz")), db::Value(2.5));
    EXPECT_EQ(rs.Field(QStringLiteral("bk")), db::Value(7));
    EXPECT_EQ(rs.Field(QStringLiteral("th")), db::Value("7"));
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
