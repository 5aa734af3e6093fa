#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "shared/recordsets.h"
#include "shared/statements.h"
#include "support/exam_db.h"

namespace {

using testing_support::Exec;
using testing_support::Query;
using testing_support::Row;
using testing_support::Scalar;

const QString kPaper = QStringLiteral("1001001");
const QString kAdmission = QStringLiteral("12345");
constexpr auto npos = std::string::npos;

// The failure's message, or an empty text when nothing failed.
std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const db::Error& e) {
        return e.what();
    }
    return {};
}

// A paper of 10 questions (th = bk = 1..10) and the terminal's connection to it.
class Db : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::AddPaper(Path(), kPaper, 10);
        conn.Open(folder.ConnectionString());
    }
    QString Path() const { return folder.DbPath(); }
    std::vector<Row> Sheet() const { return Query(Path(), "SELECT * FROM sjdj ORDER BY id"); }
    std::int64_t FirstId() const { return std::get<std::int64_t>(Sheet().front().front().Raw()); }

    // A sheet built and detached as the terminal builds it.
    void BuildSheet() {
        conn.BeginTrans();
        conn.Execute(statements::S5(kAdmission));
        conn.Execute(statements::S6(kPaper, kAdmission));
        shared::OpenRecordset(sheet, conn, statements::S7(kPaper, kAdmission),
                              db::adLockBatchOptimistic, true);
        conn.CommitTrans();
    }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset sheet;
};

// The message names the file and the reason; a file that cannot be opened leaves the
// connection closed. A transaction takes the write lock at its start.
TEST(DbFailure, NamesTheFileAndTheReason) {
    enum Trouble { Garbage, NoTable, OtherWriter };
    const struct {
        Trouble trouble;
        const char* reason;
    } cases[] = {
        {Garbage, "not a database"},
        {NoTable, "no such table: sjdj"},
        {OtherWriter, "locked"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        testing_support::ExamFolder f;
        db::Connection conn;
        db::Connection writer;
        conn.BusyTimeoutMs = 20;
        QFile file(f.DbPath());
        if (c.trouble == Garbage && file.open(QIODevice::WriteOnly)) file.write(QByteArray(4096, 'x'));
        file.close();
        if (c.trouble == NoTable) Exec(f.DbPath(), "DROP TABLE sjdj");
        if (c.trouble == OtherWriter) {
            writer.Open(f.ConnectionString());
            writer.BeginTrans();
        }
        const std::string failure = FailureOf([&] {
            conn.Open(f.ConnectionString());
            conn.Execute(statements::S5(kAdmission));
        });
        const bool opening = c.trouble == Garbage;
        EXPECT_NE(failure.find(c.reason), npos) << failure;
        EXPECT_NE(failure.find((opening ? "Cannot open the database " : " on ") +
                               f.DbPath().toStdString()),
                  npos)
            << failure;
        EXPECT_EQ(conn.State(), opening ? db::adStateClosed : db::adStateOpen);
    }
}

// Moves over every row read at the open, also once detached from a closed connection.
TEST_F(Db, RecordsetMovesOverItsRows) {
    constexpr int kBof = db::adPosBOF, kEof = db::adPosEOF;
    using Move = void (db::Recordset::*)();
    const std::pair<Move, int> steps[] = {
        {nullptr, 1},
        {&db::Recordset::MoveNext, 2},
        {&db::Recordset::MoveLast, 3},
        {&db::Recordset::MoveNext, kEof},
        {&db::Recordset::MovePrevious, 3},
        {&db::Recordset::MoveFirst, 1},
        {&db::Recordset::MovePrevious, kBof},
        {&db::Recordset::MoveNext, 1},
    };
    db::Recordset rs;
    shared::OpenRecordset(rs, conn, QStringLiteral("SELECT * FROM sj WHERE th <= 3 ORDER BY th"),
                          db::adLockReadOnly, true);
    conn.Close();
    EXPECT_EQ(rs.RecordCount(), 3);
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        const auto [move, position] = steps[i];
        if (move) (rs.*move)();
        EXPECT_EQ(rs.AbsolutePosition(), position);
        EXPECT_EQ(rs.Bof(), position == kBof);
        EXPECT_EQ(rs.Eof(), position == kEof);
        if (position > 0) {
            EXPECT_EQ(rs.Field(QStringLiteral("th")), db::Value(position));
        }
    }
}

// Null apart from the empty text, numbers by their kind, text that is not UTF-8 and a
// BLOB by their bytes: each is written back byte for byte and found again by the next
// batch's check.
TEST_F(Db, ValuesTravelUnchanged) {
    const struct {
        const char* stored;  // SQL
        db::Value read;
    } cases[] = {
        {"NULL", db::Value()},
        {"''", QString()},
        {"3", 3},
        {"3.0", 3.0},
        {"'A'", "A"},
        {"X'41'", db::Value::FromBlob("A")},
        {"CAST(X'EFBBBF41' AS TEXT)", QStringLiteral("\uFEFFA")},
        {"CAST(X'C7EBCECA' AS TEXT)", db::Value::FromTextBytes(QByteArray::fromHex("C7EBCECA"))},
    };
    BuildSheet();
    const std::int64_t id = FirstId();
    db::Recordset rs;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.stored);
        for (std::size_t j = 0; j < std::size(cases); ++j) {
            EXPECT_EQ(c.read == cases[j].read, i == j) << "equal only when stored alike";
        }
        Exec(Path(), QStringLiteral("UPDATE sjdj SET th = %1 WHERE id = %2").arg(c.stored).arg(id));
        shared::OpenRecordset(rs, conn, statements::S7(kPaper, kAdmission),
                              db::adLockBatchOptimistic, false);
        const db::Value read = rs.Field(QStringLiteral("th"));
        EXPECT_EQ(testing::PrintToString(read), testing::PrintToString(c.read));

        rs.SetField(QStringLiteral("km"), read);
        EXPECT_EQ(FailureOf([&] { rs.UpdateBatch(); }), "");
        EXPECT_EQ(Scalar(Path(), QStringLiteral("SELECT typeof(km) = typeof(th) AND km IS th "
                                                "FROM sjdj WHERE id = %1").arg(id)),
                  db::Value(1));
        rs.SetField(QStringLiteral("km"), "next");
        EXPECT_EQ(FailureOf([&] { rs.UpdateBatch(); }), "") << "what was written is the original";
    }
}

// Answers stay in the detached sheet until the batch, which writes only the changed
// rows, each found by its key and the values read of the columns it changes: another
// user's change to one of those, or a removed row, fails the whole batch; a change
// to any other column does not.
TEST_F(Db, ABatchWritesTheChangedRowsOrNothing) {
    const struct {
        const char* meanwhile;  // done to the third row
        bool fails;
    } cases[] = {
        {"UPDATE sjdj SET sjda='111111' WHERE id=%1", true},
        {"UPDATE sjdj SET df=NULL WHERE id=%1", true},
        {"DELETE FROM sjdj WHERE id=%1", true},
        {"UPDATE sjdj SET tm='changed', km=X'00', bz='x' WHERE id=%1", false},
    };
    Exec(Path(), "CREATE TABLE written (id); CREATE TRIGGER log AFTER UPDATE ON sjdj "
                 "BEGIN INSERT INTO written VALUES (new.id); END");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        BuildSheet();
        const std::int64_t first = FirstId();
        for (int position : {1, 3, 4}) {
            sheet.MoveFirst();
            while (sheet.AbsolutePosition() != position) sheet.MoveNext();
            sheet.SetField(QStringLiteral("sjda"), "100000");
            sheet.SetField(QStringLiteral("df"), 1);
            sheet.SetField(QStringLiteral("xq"), 1);
        }
        Exec(Path(), QString::fromUtf8(c.meanwhile).arg(first + 2) + "; DELETE FROM written");
        auto expected = Sheet();

        conn.BeginTrans();
        sheet.SetActiveConnection(&conn);
        const std::string failure = FailureOf([&] { sheet.UpdateBatch(); });
        conn.CommitTrans();  // what the batch left behind, made visible
        if (c.fails) {
            EXPECT_NE(failure.find("id = " + std::to_string(first + 2)), npos) << failure;
        } else {
            EXPECT_EQ(failure, "");
            EXPECT_EQ(Query(Path(), "SELECT id - " + QString::number(first) + " FROM written"),
                      (std::vector<Row>{{0}, {2}, {3}}));
            for (std::size_t row : {0, 2, 3}) {
                expected[row][18] = "100000";  // sjda, df, xq
                expected[row][19] = 1;
                expected[row][20] = 1;
            }
        }
        EXPECT_EQ(Sheet(), expected);
    }
}

}  // namespace
