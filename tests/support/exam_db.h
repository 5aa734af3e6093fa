#pragma once
// Test databases with the terminal's schema: a temporary program folder holding
// korva.mdb, and helpers that fill and read it through their own short connections.

#include <QString>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/db/value.h"

struct sqlite3;

namespace db {
// How a test failure shows a value: its storage class and content.
void PrintTo(const Value& value, std::ostream* out);
}  // namespace db

namespace testing_support {

using Row = std::vector<db::Value>;

// One question of sj; the defaults make a plain single-choice question.
struct Question {
    db::Value th;
    QString tx = QStringLiteral("单选题");
    db::Value km;
    db::Value tm = QStringLiteral("题目");
    std::array<db::Value, 6> options{QStringLiteral("甲"), QStringLiteral("乙"), {}, {}, {}, {}};
    db::Value da = QStringLiteral("100000");
    db::Value bk;
    db::Value fz = 1;
    db::Value pcxname;
};

// Creates path as a database holding the empty tables.
void CreateSchema(const QString& path);

// A row of sjname.
void AddKind(const QString& path, const QString& sjbh, const QString& sjmc, const QString& lb,
             const db::Value& kssj = {}, const db::Value& jgfs = {});

void AddQuestion(const QString& path, const QString& paperName, const Question& question);

// A paper of count questions in one transaction. Question i (1..count) has th = i,
// tm "题目<i>", bk = i (so the sheet shows the last one first); shape changes any of
// them before it is stored.
void AddPaper(const QString& path, const QString& paperName, int count,
              const std::function<void(int i, Question&)>& shape = {});

// Runs statements (several, separated by semicolons) on a connection of its own.
void Exec(const QString& path, const QString& sql);
// Every row of a query, each value as stored (a BLOB, or text that is not UTF-8, keeps
// its bytes), and its first value (Null when there is no row).
std::vector<Row> Query(const QString& path, const QString& sql);
db::Value Scalar(const QString& path, const QString& sql);

// Another program reading the file (an operator's query, a backup): a connection of
// its own that holds one read transaction, begun by its first query, until it is
// destroyed. Its queries see the file as it was when that transaction began.
class HeldReader {
public:
    explicit HeldReader(const QString& path);
    ~HeldReader();
    HeldReader(const HeldReader&) = delete;
    HeldReader& operator=(const HeldReader&) = delete;

    db::Value Scalar(const QString& sql);

private:
    sqlite3* db_ = nullptr;
};

// The connection string the terminal builds for a program folder.
QString ConnectionStringFor(const QString& folder);

// A temporary program folder with the bank holding the empty tables. Its name is in
// capitals, so that every connection finds it by the name the terminal writes.
class ExamFolder {
public:
    ExamFolder();
    QString Folder() const { return dir_.path(); }
    QString DbPath() const { return dir_.filePath(QStringLiteral("KORVA.MDB")); }
    QString ConnectionString() const { return ConnectionStringFor(Folder()); }

private:
    QTemporaryDir dir_;
};

}  // namespace testing_support
