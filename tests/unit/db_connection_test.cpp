#include <gtest/gtest.h>

#include <QFile>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "support/exam_db.h"

namespace {

using testing_support::ExamFolder;

// The failure's message, or an empty text when nothing failed.
template <typename F>
std::string FailureOf(F&& action) {
    try {
        action();
    } catch (const db::Error& e) {
        return e.what();
    }
    return {};
}

TEST(DbConnection, OpensTheFileTheConnectionStringNames) {
    ExamFolder folder;
    db::Connection conn;
    EXPECT_EQ(conn.State(), db::adStateClosed);
    conn.ConnectionString = folder.ConnectionString();
    conn.Open();
    EXPECT_EQ(conn.State(), db::adStateOpen);
    EXPECT_EQ(conn.DataSource(), folder.DbPath());
    conn.Close();
    EXPECT_EQ(conn.State(), db::adStateClosed);
}

TEST(DbConnection, TakesTheStringGivenToOpenOverTheProperty) {
    ExamFolder folder;
    db::Connection conn;
    conn.ConnectionString = QStringLiteral("Data Source=/nowhere\\korva.mdb");
    conn.Open(folder.ConnectionString());
    EXPECT_EQ(conn.DataSource(), folder.DbPath());
}

TEST(DbConnection, AMissingFileIsNotCreated) {
    ExamFolder folder;
    QFile::remove(folder.DbPath());
    db::Connection conn;
    const std::string failure = FailureOf([&] { conn.Open(folder.ConnectionString()); });
    EXPECT_NE(failure.find(folder.DbPath().toStdString()), std::string::npos) << failure;
    EXPECT_NE(failure.find("no such file"), std::string::npos) << failure;
    EXPECT_EQ(conn.State(), db::adStateClosed);
    EXPECT_FALSE(QFile::exists(folder.DbPath()));
}

TEST(DbConnection, AFileThatIsNoDatabaseIsNamed) {
    ExamFolder folder;
    QFile file(folder.DbPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    db::Connection conn;
    const std::string failure = FailureOf([&] { conn.Open(folder.ConnectionString()); });
    EXPECT_NE(failure.find(folder.DbPath().toStdString()), std::string::npos) << failure;
    EXPECT_NE(failure.find("not a database"), std::string::npos) << failure;
    EXPECT_EQ(conn.State(), db::adStateClosed);
}

TEST(DbConnection, AStringWithoutDataSourceFails) {
    db::Connection conn;
    EXPECT_THROW(conn.Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Jet OLEDB:")),
                 db::Error);
}

TEST(DbConnection, TranslatesOnlyTheDeleteWithAnAsterisk) {
    struct Case {
        const char* written;
        const char* run;
    } cases[] = {
        {"DELETE * From sjdj where zh='1'", "DELETE From sjdj where zh='1'"},
        {"delete *from sjdj", "delete from sjdj"},
        {"  Delete  *  FROM sjdj", "  Delete FROM sjdj"},
        {"SELECT * From sjdj where zh='DELETE * From x'", "SELECT * From sjdj where zh='DELETE * From x'"},
        {"SELECT sum(df)  From sjdj where bz='0'order by ID",
         "SELECT sum(df)  From sjdj where bz='0'order by ID"},
        {"DELETE From sjdj", "DELETE From sjdj"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(db::Connection::TranslateDialect(QString::fromUtf8(c.written)),
                  QString::fromUtf8(c.run))
            << c.written;
    }
}

TEST(DbConnection, ExecuteRunsTheStatementAsWritten) {
    ExamFolder folder;
    testing_support::Exec(folder.DbPath(),
                      "INSERT INTO sjdj (tx, zh) VALUES ('t', '1'), ('t', '2'), ('t', '1')");
    db::Connection conn;
    conn.Open(folder.ConnectionString());
    conn.Execute(QStringLiteral("DELETE * From sjdj where zh='1'"));
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(1));
}

TEST(DbConnection, RefusesASecondStatementInOneText) {
    ExamFolder folder;
    db::Connection conn;
    conn.Open(folder.ConnectionString());
    EXPECT_THROW(conn.Execute(QStringLiteral("DELETE From sjdj; DROP TABLE sj")), db::Error);
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(),
                                  "SELECT count(*) FROM sqlite_master WHERE name='sj'"),
              db::Value(1));
}

TEST(DbConnection, AMissingTableIsNamed) {
    ExamFolder folder;
    testing_support::Exec(folder.DbPath(), "DROP TABLE sjdj");
    db::Connection conn;
    conn.Open(folder.ConnectionString());
    const std::string failure =
        FailureOf([&] { conn.Execute(QStringLiteral("DELETE * From sjdj where zh='1'")); });
    EXPECT_NE(failure.find("no such table: sjdj"), std::string::npos) << failure;
    EXPECT_NE(failure.find(folder.DbPath().toStdString()), std::string::npos) << failure;

    db::Recordset rs;
    rs.SetActiveConnection(&conn);
    EXPECT_THROW(rs.Open(QStringLiteral("SELECT * From sjdj order by ID")), db::Error);
    EXPECT_EQ(rs.State(), db::adStateClosed);
}

TEST(DbConnection, RollbackUndoesAndCommitKeeps) {
    ExamFolder folder;
    db::Connection conn;
    conn.Open(folder.ConnectionString());
    conn.BeginTrans();
    EXPECT_TRUE(conn.InTransaction());
    conn.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '1')"));
    conn.RollbackTrans();
    EXPECT_FALSE(conn.InTransaction());
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(0));

    conn.BeginTrans();
    conn.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '1')"));
    conn.CommitTrans();
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(1));
    EXPECT_THROW(conn.CommitTrans(), db::Error);
    EXPECT_THROW(conn.RollbackTrans(), db::Error);
}

TEST(DbConnection, AFileLockedByAnotherConnectionFailsAfterTheBusyTimeout) {
    ExamFolder folder;
    db::Connection other;
    other.Open(folder.ConnectionString());
    other.BeginTrans();
    other.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '1')"));

    db::Connection conn;
    conn.BusyTimeoutMs = 20;
    conn.Open(folder.ConnectionString());
    const std::string failure = FailureOf([&] { conn.BeginTrans(); });
    EXPECT_NE(failure.find("locked"), std::string::npos) << failure;
    EXPECT_NE(failure.find(folder.DbPath().toStdString()), std::string::npos) << failure;
    EXPECT_FALSE(conn.InTransaction());

    other.CommitTrans();
    conn.BeginTrans();
    conn.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '2')"));
    conn.CommitTrans();
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(2));
}

TEST(DbConnection, ClosedConnectionRefusesStatements) {
    db::Connection conn;
    EXPECT_THROW(conn.Execute(QStringLiteral("SELECT 1")), db::Error);
    EXPECT_THROW(conn.BeginTrans(), db::Error);
}

}  // namespace
