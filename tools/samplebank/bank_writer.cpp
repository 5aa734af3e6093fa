#include "bank_writer.h"

#include "shared/schema.h"

#include <sqlite3.h>

#include <QFile>
#include <optional>

#include "block_file.h"

namespace samplebank {
namespace {

// Kind numbers are TEXT so that "1" and "01" stay different kinds.
class Database {
public:
    explicit Database(const QString& path) {
        const QByteArray name = path.toUtf8();
        if (sqlite3_open_v2(name.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            Fail("open");
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
    }
    sqlite3* Handle() const { return db_; }
    [[noreturn]] void Fail(const char* what) const {
        throw SourceError(std::string("korva.mdb: ") + what + ": " + sqlite3_errmsg(db_));
    }

private:
    sqlite3* db_ = nullptr;
};

class Insert {
public:
    Insert(Database& db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db.Handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK) db.Fail(sql);
    }
    ~Insert() { sqlite3_finalize(stmt_); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& Text(const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(stmt_, ++column_, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Insert& TextOrNull(const QString& value) { return value.isEmpty() ? Null() : Text(value); }
    Insert& Number(int value) {
        sqlite3_bind_int(stmt_, ++column_, value);
        return *this;
    }
    Insert& NumberOrNull(std::optional<int> value) { return value ? Number(*value) : Null(); }
    Insert& Null() {
        sqlite3_bind_null(stmt_, ++column_);
        return *this;
    }
    void Run() {
        if (sqlite3_step(stmt_) != SQLITE_DONE) db_.Fail("insert");
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        column_ = 0;
    }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    int column_ = 0;
};

}  // namespace

void WriteBank(const QString& path, const std::vector<Kind>& kinds,
               const std::vector<Paper>& papers) {
    if (QFile::exists(path) && !QFile::remove(path))
        throw SourceError(QStringLiteral("cannot replace %1").arg(path).toStdString());
    Database db(path);
    db.Exec(shared::SchemaSql());
    db.Exec("BEGIN");

    Insert kind(db, "INSERT INTO sjname (sjbh, sjmc, lb, kssj, jgfs) VALUES (?, ?, ?, ?, ?)");
    for (const Kind& k : kinds)
        kind.Text(k.sjbh).Text(k.sjmc).Text(k.lb).NumberOrNull(k.kssj).NumberOrNull(k.jgfs).Run();

    Insert question(db,
                    "INSERT INTO sj (th, tx, km, tm, da1, da2, da3, da4, da5, da6, da, bk, fz, "
                    "sjmc, pcxname) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const Paper& paper : papers) {
        for (const PaperRow& row : paper.rows) {
            const Question& q = *row.question;
            question.Number(row.th).Text(q.tx).Text(q.km).Text(q.tm);
            for (int i = 0; i < 6; ++i) question.TextOrNull(q.options.value(i));
            question.Text(q.da).Number(row.bk).Number(row.fz).Text(paper.code);
            question.TextOrNull(q.pcxname).Run();
        }
    }
    db.Exec("COMMIT");
}

}  // namespace samplebank
