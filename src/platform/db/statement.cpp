#include "platform/db/statement.h"

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/error.h"

namespace db::detail {

namespace {

QString FromEngine(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

bool OnlyBlanksAndSemicolons(const char* tail) {
    for (; *tail; ++tail) {
        const char c = *tail;
        if (c != ';' && c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

int BindText(sqlite3_stmt* stmt, int position, const QByteArray& bytes) {
    return sqlite3_bind_text64(stmt, position, bytes.constData(),
                               static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT,
                               SQLITE_UTF8);
}

}  // namespace

Statement::Statement(const Connection& connection, const QString& text)
    : connection_(connection), text_(text) {
    if (connection.State() != adStateOpen) {
        throw Error("The connection is closed; cannot run: " + text.toStdString());
    }
    const QByteArray utf8 = text.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(connection.Handle(), utf8.constData(),
                                      static_cast<int>(utf8.size()), &stmt_, &tail);
    if (rc != SQLITE_OK) connection.Fail(rc, "preparing \"" + text + "\"");
    if (!stmt_) throw Error("No statement in: \"" + text.toStdString() + "\"");
    if (tail && !OnlyBlanksAndSemicolons(tail)) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw Error("Only one statement may run at a time: \"" + text.toStdString() + "\"");
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    connection_.Fail(rc, "running \"" + text_ + "\"");
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::Bind(int position, const Value& value) {
    int rc = SQLITE_OK;
    const Value::Data& data = value.Raw();
    if (const auto* i = std::get_if<std::int64_t>(&data)) {
        rc = sqlite3_bind_int64(stmt_, position, *i);
    } else if (const auto* d = std::get_if<double>(&data)) {
        rc = sqlite3_bind_double(stmt_, position, *d);
    } else if (const auto* s = std::get_if<QString>(&data)) {
        rc = BindText(stmt_, position, s->toUtf8());
    } else if (const auto* r = std::get_if<Value::RawText>(&data)) {
        // The engine keeps text bytes as they are given; it does not check them.
        rc = BindText(stmt_, position, r->bytes);
    } else if (const auto* b = std::get_if<Value::Blob>(&data)) {
        rc = sqlite3_bind_blob64(stmt_, position, b->bytes.constData(),
                                 static_cast<sqlite3_uint64>(b->bytes.size()), SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_null(stmt_, position);
    }
    if (rc != SQLITE_OK) connection_.Fail(rc, "binding a value to \"" + text_ + "\"");
}

int Statement::ColumnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::ColumnName(int column) const {
    return FromEngine(sqlite3_column_name(stmt_, column));
}

Value Statement::Column(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_NULL:
            return Value();
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, column)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, column));
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
            return Value::FromBlob(QByteArray(bytes, sqlite3_column_bytes(stmt_, column)));
        }
        default: {
            const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
            return Value::FromTextBytes(QByteArray(bytes, sqlite3_column_bytes(stmt_, column)));
        }
    }
}

QString Statement::OriginTable(int column) const {
    return FromEngine(sqlite3_column_table_name(stmt_, column));
}

QString Statement::OriginColumn(int column) const {
    return FromEngine(sqlite3_column_origin_name(stmt_, column));
}

QString Statement::OriginDatabase(int column) const {
    return FromEngine(sqlite3_column_database_name(stmt_, column));
}

QString QuoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace db::detail
