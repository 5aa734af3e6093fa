#include "support/exam_db.h"

#include <sqlite3.h>

#include <QFile>
#include <memory>
#include <stdexcept>

#include "shared/schema.h"

namespace db {

void PrintTo(const Value& value, std::ostream* out) {
    const Value::Data& data = value.Raw();
    if (value.IsNull()) {
        *out << "Null";
    } else if (const auto* blob = std::get_if<Value::Blob>(&data)) {
        *out << "blob X'" << blob->bytes.toHex().toUpper().toStdString() << "'";
    } else if (const auto* raw = std::get_if<Value::RawText>(&data)) {
        *out << "text X'" << raw->bytes.toHex().toUpper().toStdString() << "' (not UTF-8)";
    } else if (value.IsText()) {
        *out << "text \"" << value.ToText().toStdString() << "\"";
    } else {
        *out << (value.IsInteger() ? "integer " : "real ") << value.ToText().toStdString();
    }
}

}  // namespace db

namespace testing_support {

namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

[[noreturn]] void Fail(sqlite3* db, const QString& what) {
    throw std::runtime_error(what.toStdString() + ": " + sqlite3_errmsg(db));
}

Handle OpenFile(const QString& path, bool create) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
        Handle owner(db);
        Fail(db, "opening " + path);
    }
    sqlite3_busy_timeout(db, 5000);
    return Handle(db);
}

void Run(sqlite3* db, const QString& sql) {
    char* failure = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &failure) != SQLITE_OK) {
        const std::string reason = failure ? failure : "unknown";
        sqlite3_free(failure);
        throw std::runtime_error(sql.toStdString() + ": " + reason);
    }
}

void Bind(sqlite3* db, sqlite3_stmt* st, int position, const db::Value& value) {
    int rc = SQLITE_OK;
    const db::Value::Data& data = value.Raw();
    if (value.IsNull()) {
        rc = sqlite3_bind_null(st, position);
    } else if (value.IsInteger()) {
        rc = sqlite3_bind_int64(st, position, std::get<std::int64_t>(data));
    } else if (value.IsReal()) {
        rc = sqlite3_bind_double(st, position, value.ToDouble());
    } else if (const auto* blob = std::get_if<db::Value::Blob>(&data)) {
        rc = sqlite3_bind_blob(st, position, blob->bytes.constData(),
                               static_cast<int>(blob->bytes.size()), SQLITE_TRANSIENT);
    } else if (const auto* raw = std::get_if<db::Value::RawText>(&data)) {
        rc = sqlite3_bind_text(st, position, raw->bytes.constData(),
                               static_cast<int>(raw->bytes.size()), SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_text(st, position, value.ToText().toUtf8().constData(), -1,
                               SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Fail(db, QStringLiteral("binding"));
}

void Insert(sqlite3* db, const QString& sql, const std::vector<db::Value>& values) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        Fail(db, sql);
    }
    for (std::size_t i = 0; i < values.size(); ++i) Bind(db, st, static_cast<int>(i) + 1, values[i]);
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) Fail(db, sql);
}

void InsertQuestion(sqlite3* db, const QString& paperName, const Question& q) {
    std::vector<db::Value> values{q.th, q.tx, q.km, q.tm};
    values.insert(values.end(), q.options.begin(), q.options.end());
    values.insert(values.end(), {q.da, q.bk, q.fz, paperName, q.pcxname});
    Insert(db,
           QStringLiteral("INSERT INTO sj (th, tx, km, tm, da1, da2, da3, da4, da5, da6, da, bk,"
                          " fz, sjmc, pcxname) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
           values);
}

}  // namespace

void CreateSchema(const QString& path) {
    Handle db = OpenFile(path, true);
    Run(db.get(), QString::fromUtf8(shared::SchemaSql()));
}

void AddKind(const QString& path, const QString& sjbh, const QString& sjmc, const QString& lb,
             const db::Value& kssj, const db::Value& jgfs) {
    Handle db = OpenFile(path, false);
    Insert(db.get(),
           QStringLiteral("INSERT INTO sjname (sjbh, sjmc, lb, kssj, jgfs) VALUES (?,?,?,?,?)"),
           {sjbh, sjmc, lb, kssj, jgfs});
}

void AddQuestion(const QString& path, const QString& paperName, const Question& question) {
    Handle db = OpenFile(path, false);
    InsertQuestion(db.get(), paperName, question);
}

void AddPaper(const QString& path, const QString& paperName, int count,
              const std::function<void(int, Question&)>& shape) {
    Handle db = OpenFile(path, false);
    Run(db.get(), QStringLiteral("BEGIN"));
    for (int i = 1; i <= count; ++i) {
        Question q;
        q.th = i;
        q.tm = QStringLiteral("题目%1").arg(i);
        q.bk = i;
        if (shape) shape(i, q);
        InsertQuestion(db.get(), paperName, q);
    }
    Run(db.get(), QStringLiteral("COMMIT"));
}

void Exec(const QString& path, const QString& sql) {
    Handle db = OpenFile(path, false);
    Run(db.get(), sql);
}

namespace {

std::vector<Row> QueryOn(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        Fail(db, sql);
    }
    std::vector<Row> rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL:
                    row.emplace_back();
                    break;
                case SQLITE_INTEGER:
                    row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(st, i)));
                    break;
                case SQLITE_FLOAT:
                    row.emplace_back(sqlite3_column_double(st, i));
                    break;
                case SQLITE_BLOB:
                    row.push_back(db::Value::FromBlob(
                        QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)),
                                   sqlite3_column_bytes(st, i))));
                    break;
                default:
                    row.push_back(db::Value::FromTextBytes(
                        QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                   sqlite3_column_bytes(st, i))));
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) Fail(db, sql);
    return rows;
}

}  // namespace

std::vector<Row> Query(const QString& path, const QString& sql) {
    Handle db = OpenFile(path, false);
    return QueryOn(db.get(), sql);
}

db::Value Scalar(const QString& path, const QString& sql) {
    const std::vector<Row> rows = Query(path, sql);
    return rows.empty() || rows.front().empty() ? db::Value() : rows.front().front();
}

HeldReader::HeldReader(const QString& path) : db_(OpenFile(path, false).release()) {
    Run(db_, QStringLiteral("BEGIN"));
}

HeldReader::~HeldReader() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

db::Value HeldReader::Scalar(const QString& sql) {
    const std::vector<Row> rows = QueryOn(db_, sql);
    return rows.empty() || rows.front().empty() ? db::Value() : rows.front().front();
}

QString ConnectionStringFor(const QString& folder) {
    return QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") + folder +
           QStringLiteral("\\korva.mdb;Jet OLEDB:");
}

ExamFolder::ExamFolder() {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder");
    CreateSchema(DbPath());
}

}  // namespace testing_support
