#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QFile>
#include <functional>
#include <memory>

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

// Makes a file or folder read-only for as long as it lives. Root writes through file
// modes; only the immutable flag stops it, where the file system allows it.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path) : path_(path) { on_ = Set(true); }
    ~ReadOnly() {
        if (on_) Set(false);
    }
    bool On() const { return on_; }

private:
    bool Set(bool on) const {
        if (::geteuid() != 0) {
            return QFile::setPermissions(
                path_, on ? QFile::ReadOwner | QFile::ExeOwner
                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QString path_;
    bool on_ = false;
};

TEST(DbConnection, OpensTheFileTheConnectionStringNames) {
    ExamFolder folder;
    db::Connection conn;
    EXPECT_EQ(conn.State(), db::adStateClosed);
    conn.ConnectionString = QStringLiteral("Data Source=/nowhere\\korva.mdb");
    conn.Open(folder.ConnectionString());  // the string given wins over the property
    EXPECT_EQ(conn.State(), db::adStateOpen);
    EXPECT_EQ(conn.DataSource(), folder.DbPath());
    conn.Close();
    EXPECT_EQ(conn.State(), db::adStateClosed);
    conn.Open();
    EXPECT_EQ(conn.DataSource(), folder.DbPath());
}

// The message names the file and the reason, the connection stays closed, and no
// file is made where there was none.
TEST(DbConnection, AFileThatCannotBeUsedIsNamedWithItsReason) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<ReadOnly>(const ExamFolder&)> prepare;
        const char* reason;
    } cases[] = {
        {"missing",
         [](const ExamFolder& f) {
             QFile::remove(f.DbPath());
             return nullptr;
         },
         "no such file"},
        {"not a database",
         [](const ExamFolder& f) {
             QFile file(f.DbPath());
             if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                 file.write(QByteArray(4096, 'x'));
             }
             return nullptr;
         },
         "not a database"},
        {"read-only file",
         [](const ExamFolder& f) { return std::make_unique<ReadOnly>(f.DbPath()); },
         "readonly database (the file and its folder must be writable)"},
        {"read-only folder",
         [](const ExamFolder& f) { return std::make_unique<ReadOnly>(f.Folder()); },
         "unable to open database file (the file and its folder must be writable)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExamFolder folder;
        const auto readOnly = c.prepare(folder);
        const bool existed = QFile::exists(folder.DbPath());
        if (readOnly && !readOnly->On()) continue;  // the file system cannot make it so
        db::Connection conn;
        const std::string failure = FailureOf([&] { conn.Open(folder.ConnectionString()); });
        EXPECT_NE(failure.find("Cannot open the database " + folder.DbPath().toStdString()),
                  std::string::npos)
            << failure;
        EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
        EXPECT_EQ(conn.State(), db::adStateClosed);
        EXPECT_EQ(QFile::exists(folder.DbPath()), existed);
    }

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

TEST(DbConnection, ExecuteRunsOneStatementAsWritten) {
    ExamFolder folder;
    testing_support::Exec(folder.DbPath(),
                      "INSERT INTO sjdj (tx, zh) VALUES ('t', '1'), ('t', '2'), ('t', '1')");
    db::Connection conn;
    EXPECT_THROW(conn.Execute(QStringLiteral("SELECT 1")), db::Error);
    EXPECT_THROW(conn.BeginTrans(), db::Error);
    conn.Open(folder.ConnectionString());
    conn.Execute(QStringLiteral("DELETE * From sjdj where zh='1'"));
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(1));
    EXPECT_THROW(conn.Execute(QStringLiteral("DELETE From sjdj; DROP TABLE sj")), db::Error);
    EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"), db::Value(1));
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

// A reader of the file never holds up a commit; another writer makes it wait for
// the busy timeout and then fail, naming the file.
TEST(DbConnection, OnlyAnotherWriterHoldsUpACommit) {
    for (const bool otherWrites : {false, true}) {
        SCOPED_TRACE(otherWrites ? "writer" : "reader");
        ExamFolder folder;
        db::Connection conn;
        conn.BusyTimeoutMs = 20;
        conn.Open(folder.ConnectionString());
        db::Connection writer;
        std::unique_ptr<testing_support::HeldReader> reader;
        if (otherWrites) {
            writer.Open(folder.ConnectionString());
            writer.BeginTrans();
            writer.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '1')"));
        } else {
            reader = std::make_unique<testing_support::HeldReader>(folder.DbPath());
            ASSERT_EQ(reader->Scalar(QStringLiteral("SELECT count(*) FROM sjdj")), db::Value(0));
        }

        const std::string failure = FailureOf([&] {
            conn.BeginTrans();
            conn.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '2')"));
            conn.CommitTrans();
        });
        if (otherWrites) {
            EXPECT_NE(failure.find("locked"), std::string::npos) << failure;
            EXPECT_NE(failure.find(folder.DbPath().toStdString()), std::string::npos) << failure;
            EXPECT_FALSE(conn.InTransaction());
            writer.CommitTrans();
            conn.BeginTrans();
            conn.Execute(QStringLiteral("INSERT INTO sjdj (tx, zh) VALUES ('t', '2')"));
            conn.CommitTrans();
        } else {
            EXPECT_EQ(failure, std::string());
            EXPECT_EQ(reader->Scalar(QStringLiteral("SELECT count(*) FROM sjdj")), db::Value(0));
        }
        EXPECT_EQ(testing_support::Scalar(folder.DbPath(), "SELECT count(*) FROM sjdj"),
                  db::Value(otherWrites ? 2 : 1));
    }
}

}  // namespace
