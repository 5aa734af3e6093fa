#pragma once
// One prepared statement of the engine, finalized when it goes out of scope. Used by
// Connection and Recordset only.

#include <QString>

#include "platform/db/value.h"

struct sqlite3_stmt;

namespace db {

class Connection;

namespace detail {

class Statement {
public:
    // Prepares exactly one statement; trailing text other than blanks and a
    // semicolon is refused, so that no second statement can ride along.
    Statement(const Connection& connection, const QString& text);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // true while a row is current; false when the statement has run to its end.
    bool Step();
    void Reset();
    void Bind(int position, const Value& value);  // position from 1

    int ColumnCount() const;
    QString ColumnName(int column) const;
    Value Column(int column) const;
    // The table and column a result column comes straight from; empty for an
    // expression.
    QString OriginTable(int column) const;
    QString OriginColumn(int column) const;
    QString OriginDatabase(int column) const;

    sqlite3_stmt* Handle() const { return stmt_; }

private:
    const Connection& connection_;
    QString text_;
    sqlite3_stmt* stmt_ = nullptr;
};

// An identifier in double quotes, for building statements from names.
QString QuoteIdentifier(const QString& name);

}  // namespace detail
}  // namespace db
