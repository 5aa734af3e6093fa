#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <map>
#include <optional>

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

// What the call gives, or nothing when it fails.
template <typename Failure, typename F>
auto Unless(F call) -> std::optional<decltype(call())> {
    try {
        return call();
    } catch (const Failure&) {
        return std::nullopt;
    }
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

    // What GetSave keeps of an answer at a position of the sheet.
    void Answer(int position, const QString& mask) {
        sheet.MoveFirst();
        while (sheet.AbsolutePosition() != position) sheet.MoveNext();
        sheet.SetField(QStringLiteral("sjda"), mask);
        const bool right = sheet.Field(QStringLiteral("da")) == db::Value(mask);
        sheet.SetField(QStringLiteral("df"), right ? sheet.Field(QStringLiteral("fz")) : 0);
        sheet.SetField(QStringLiteral("xq"), mask.contains(u'1') ? 1 : 0);
    }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset sheet;
};

// The message names the file and the reason; a file that cannot be opened leaves the
// connection closed and no file is made where there was none.
TEST(DbFailure, NamesTheFileAndTheReason) {
    enum Trouble { Missing, Garbage, NoTable, OtherWriter };
    const struct {
        Trouble trouble;
        const char* reason;
    } cases[] = {
        {Missing, "no such file"},
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
        if (c.trouble == Missing) file.remove();
        if (c.trouble == Garbage && file.open(QIODevice::WriteOnly)) file.write(QByteArray(4096, 'x'));
        if (c.trouble == NoTable) Exec(f.DbPath(), "DROP TABLE sjdj");
        if (c.trouble == OtherWriter) {
            writer.Open(f.ConnectionString());
            writer.BeginTrans();
        }
        file.close();
        const bool existed = QFile::exists(f.DbPath());
        const std::string failure = FailureOf([&] {
            conn.Open(f.ConnectionString());
            conn.Execute(statements::S5(kAdmission));
        });
        const bool opening = c.trouble < NoTable;
        EXPECT_NE(failure.find(c.reason), npos) << failure;
        EXPECT_NE(failure.find((opening ? "Cannot open the database " : " on ") +
                               f.DbPath().toStdString()),
                  npos)
            << failure;
        EXPECT_EQ(conn.State(), opening ? db::adStateClosed : db::adStateOpen);
        EXPECT_EQ(QFile::exists(f.DbPath()), existed);
    }
}

// Statement texts run as the system writes them, one at a time; only the delete with
// an asterisk is translated, and only at the head of the statement.
TEST_F(Db, RunsOneStatementAsWritten) {
    const struct {
        const char* written;
        const char* run;  // nullptr: as written
    } cases[] = {
        {"DELETE * From sjdj where zh='1'", "DELETE From sjdj where zh='1'"},
        {"delete *from sjdj", "delete from sjdj"},
        {"  Delete  *  FROM sjdj", "  Delete FROM sjdj"},
        {"SELECT * From sjdj where zh='DELETE * From x'", nullptr},
        {"SELECT sum(df)  From sjdj where bz='0'order by ID", nullptr},
        {"DELETE From sjdj", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(db::Connection::TranslateDialect(QString::fromUtf8(c.written)),
                  QString::fromUtf8(c.run ? c.run : c.written));
    }

    EXPECT_EQ(conn.DataSource(), Path());
    conn.Execute(statements::S6(kPaper, kAdmission));
    conn.Execute(statements::S6(kPaper, QStringLiteral("999")));
    conn.BeginTrans();
    conn.Execute(statements::S5(kAdmission));
    conn.RollbackTrans();
    EXPECT_EQ(Scalar(Path(), "SELECT count(*) FROM sjdj"), db::Value(20));
    EXPECT_THROW(conn.CommitTrans(), db::Error);
    EXPECT_THROW(conn.RollbackTrans(), db::Error);
    conn.Execute(statements::S5(kAdmission));
    EXPECT_THROW(conn.Execute(QStringLiteral("DELETE From sjdj; DROP TABLE sj")), db::Error);
    EXPECT_EQ(Query(Path(), "SELECT count(*), (SELECT count(*) FROM sj) FROM sjdj"),
              (std::vector<Row>{{10, 10}}));

    conn.Close();
    EXPECT_THROW(conn.Execute(statements::S5(kAdmission)), db::Error);
    EXPECT_THROW(conn.BeginTrans(), db::Error);
    EXPECT_THROW(conn.Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Jet OLEDB:")),
                 db::Error);
    // Found whatever the case of its name; the string given wins over the property.
    const QString upper = folder.Folder() + QStringLiteral("/KORVA.MDB");
    ASSERT_TRUE(QFile::rename(Path(), upper));
    conn.ConnectionString = QStringLiteral("Data Source=/nowhere\\korva.mdb");
    conn.Open(folder.ConnectionString());
    EXPECT_EQ(conn.DataSource(), upper);
    EXPECT_FALSE(QFile::exists(Path())) << "no second database";
}

// Moves as the original does, over every row read at the open, also once detached
// from a closed connection; a move past either end fails and changes nothing.
TEST_F(Db, RecordsetMovesOverItsRows) {
    constexpr int kNone = db::adPosUnknown, kBof = db::adPosBOF, kEof = db::adPosEOF;
    const struct {
        int rows;
        std::vector<std::pair<std::string, int>> steps;  // move ("!": fails), position
    } cases[] = {
        {0, {{"", kNone}, {"next!", kNone}, {"previous!", kNone}, {"first!", kNone}, {"last!", kNone}}},
        {1, {{"", 1}, {"next", kEof}, {"previous", 1}, {"previous", kBof}, {"next", 1}, {"last", 1}}},
        {3, {{"", 1}, {"next", 2}, {"next", 3}, {"next", kEof}, {"next!", kEof}, {"first", 1},
             {"previous", kBof}, {"previous!", kBof}, {"last", 3}, {"previous", 2}}},
    };
    std::map<std::string, void (db::Recordset::*)()> moves = {
        {"next", &db::Recordset::MoveNext}, {"previous", &db::Recordset::MovePrevious},
        {"first", &db::Recordset::MoveFirst}, {"last", &db::Recordset::MoveLast}};
    db::Recordset rs;
    // By name in any case and by position; nothing without a current row or such a field.
    const auto field = [&](auto which) { return Unless<db::Error>([&] { return rs.Field(which); }); };
    EXPECT_THROW(rs.Open(statements::S3(kPaper)), db::Error) << "no connection";
    for (const auto& c : cases) {
        rs.SetActiveConnection(&conn);
        if (conn.State() == db::adStateClosed) {
            EXPECT_THROW(rs.Open(statements::S3(kPaper)), db::Error) << "a closed connection";
            conn.Open();
        }
        rs.Open(QStringLiteral("SELECT * FROM sj WHERE th <= %1 ORDER BY th").arg(c.rows));
        EXPECT_THROW(rs.Open(statements::S3(kPaper)), db::Error) << "already open";
        rs.SetActiveConnection(nullptr);
        conn.Close();
        EXPECT_EQ(rs.RecordCount(), c.rows);
        EXPECT_EQ(rs.FieldCount(), 15);
        for (auto [move, position] : c.steps) {
            SCOPED_TRACE(testing::Message() << c.rows << " rows, after " << move);
            const bool fails = move.ends_with('!');
            if (fails) move.pop_back();
            if (const auto act = moves[move]; fails) {
                EXPECT_THROW((rs.*act)(), db::Error);
            } else if (act) {
                (rs.*act)();
            }
            EXPECT_EQ(rs.AbsolutePosition(), position);
            EXPECT_EQ(rs.Bof(), position == kBof || position == kNone);
            EXPECT_EQ(rs.Eof(), position == kEof || position == kNone);
            const auto th = position > 0 ? std::optional(db::Value(position)) : std::nullopt;
            EXPECT_EQ(field(QStringLiteral("th")), th);
            EXPECT_EQ(field(QStringLiteral("TH")), th);
            EXPECT_EQ(field(0), th);
            EXPECT_FALSE(field(QStringLiteral("nosuch")) || field(15) || field(-1));
        }
        rs.Close();
    }
}

// Null apart from the empty text, numbers as numbers, text as text even when it is
// not UTF-8 (shown with replacement characters), a BLOB as its bytes; each is written
// back byte for byte and found again by the next batch's check.
TEST_F(Db, ValuesTravelUnchanged) {
    const QString gbk(4, QChar::ReplacementCharacter);
    const struct {
        const char* stored;  // SQL
        db::Value read;
        std::optional<QString> shown;  // none: Null has no text
        std::optional<double> number;  // none: no number
    } cases[] = {
        {"NULL", db::Value(), {}, {}},
        {"''", QString(), QString(), {}},
        {"' 12 '", " 12 ", " 12 ", 12},
        {"'12a'", "12a", "12a", {}},
        {"'A'", "A", "A", {}},
        {"CAST(X'E794B2' AS TEXT)", "甲", "甲", {}},
        {"CAST(X'EFBBBF41' AS TEXT)", QStringLiteral("\uFEFFA"), QStringLiteral("\uFEFFA"), {}},
        {"CAST(X'C7EBCECA' AS TEXT)", db::Value::FromTextBytes(QByteArray::fromHex("C7EBCECA")),
         gbk, {}},
        {"CAST(X'31FF' AS TEXT)", db::Value::FromTextBytes("1\xFF"), QStringLiteral("1\uFFFD"), {}},
        {"X'41'", db::Value::FromBlob("A"), "A", {}},
        {"X''", db::Value::FromBlob(""), QString(), {}},
        {"X'C7EBCECA'", db::Value::FromBlob(QByteArray::fromHex("C7EBCECA")), gbk, {}},
        {"X'3132'", db::Value::FromBlob("12"), "12", {}},
        {"3", 3, "3", 3},
        {"3.0", 3.0, "3", 3},
        {"-7", -7, "-7", -7},
        {"2.5", 2.5, "2.5", 2.5},
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
        EXPECT_EQ(read.ToTextOrEmpty(), c.shown.value_or(QString()));
        EXPECT_EQ(Unless<db::Error>([&] { return read.ToText(); }), c.shown);
        EXPECT_EQ(Unless<db::Error>([&] { return read.ToDouble(); }), c.number);

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
        const auto built = Sheet();
        const std::int64_t first = FirstId();
        for (int position : {1, 3, 4}) Answer(position, QStringLiteral("100000"));
        EXPECT_THROW(sheet.UpdateBatch(), db::Error) << "detached";
        EXPECT_EQ(Sheet(), built);
        Exec(Path(), QString::fromUtf8(c.meanwhile).arg(first + 2) + "; DELETE FROM written");
        auto expected = Sheet();

        conn.BeginTrans();
        sheet.SetActiveConnection(&conn);
        const std::string failure = FailureOf([&] { sheet.UpdateBatch(); });
        conn.CommitTrans();  // what the batch left behind, made visible
        EXPECT_EQ(sheet.PendingCount(), c.fails ? 3 : 0);
        if (c.fails) {
            EXPECT_NE(failure.find("sjdj"), npos) << failure;
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

    // Only a batch-optimistic recordset of one table takes changes.
    db::Recordset rs;
    for (int lock : {db::adLockReadOnly, db::adLockOptimistic}) {
        shared::OpenRecordset(rs, conn, statements::S7(kPaper, kAdmission), lock, false);
        EXPECT_THROW(rs.SetField(QStringLiteral("sjda"), "1"), db::Error) << lock;
    }
    shared::OpenRecordset(rs, conn, statements::S9(kPaper, kAdmission), db::adLockBatchOptimistic,
                          false);
    rs.SetField(QStringLiteral("SUM(df)"), 5);
    EXPECT_THROW(rs.UpdateBatch(), db::Error);
}

// A hand-in killed once its work is done, before or after its commit: the table holds
// all of it or none. Long texts make the transaction spill pages into the file itself.
TEST_F(Db, AKilledHandInLeavesAllOrNothing) {
    Exec(Path(), "UPDATE sj SET tm = replace(hex(zeroblob(10000)), '0', 'x')");
    BuildSheet();
    conn.Close();
    const auto before = Sheet();
    for (const bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "committed" : "not committed");
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        close(ready[child == 0 ? 0 : 1]);
        if (child == 0) {
            char done = 'E';
            try {
                conn.Open(folder.ConnectionString());
                conn.Execute(QStringLiteral("PRAGMA cache_size = 10"));
                for (int position = 1; position <= 10; ++position) Answer(position, "100000");
                conn.BeginTrans();
                sheet.SetActiveConnection(&conn);
                sheet.UpdateBatch();
                conn.Execute(statements::S10(kPaper, kAdmission));
                if (commit) conn.CommitTrans();
                done = 'Y';  // killed here, the connection still open
            } catch (...) {
            }
            if (write(ready[1], &done, 1) != 1) _exit(2);
            for (;;) pause();
        }
        char done = 0;
        const bool told = read(ready[0], &done, 1) == 1;
        close(ready[0]);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(told && done == 'Y' && WIFSIGNALED(status));
        if (!commit) {
            EXPECT_GT(QFileInfo(Path() + "-wal").size(), 0) << "pages were spilled";
            EXPECT_EQ(Sheet(), before);
        }
        EXPECT_EQ(Scalar(Path(), "SELECT count(*) FROM sjdj WHERE bz='1' AND sjda='100000' AND "
                                 "df=1 AND xq=1"),
                  db::Value(commit ? 10 : 0));
    }
}

}  // namespace
