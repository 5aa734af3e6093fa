#include "platform/db/recordset.h"

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/statement.h"

namespace db {

int Recordset::State() const { return open_ ? adStateOpen : adStateClosed; }

void Recordset::Open(const QString& source, int cursorType, int lockType, int) {
    if (open_) throw Error("The recordset is already open; cannot open \"" + source.toStdString() + "\"");
    if (!connection_ || connection_->State() != adStateOpen) {
        throw Error("The recordset has no open connection; cannot open \"" + source.toStdString() +
                    "\"");
    }
    if (cursorType != -1) CursorType = cursorType;
    if (lockType != -1) LockType = lockType;

    detail::Statement st(*connection_, Connection::TranslateDialect(source));
    const int columns = st.ColumnCount();
    if (columns == 0) throw Error("The statement yields no rows: \"" + source.toStdString() + "\"");

    QStringList names;
    std::vector<QString> baseColumns(static_cast<std::size_t>(columns));
    QString baseTable;
    QString baseDatabase;
    bool oneTable = true;
    for (int i = 0; i < columns; ++i) {
        names.append(st.ColumnName(i));
        const QString table = st.OriginTable(i);
        if (table.isEmpty()) continue;  // an expression such as sum(df)
        const QString database = st.OriginDatabase(i);
        if (baseTable.isEmpty()) {
            baseTable = table;
            baseDatabase = database;
        } else if (table != baseTable || database != baseDatabase) {
            oneTable = false;
        }
        baseColumns[static_cast<std::size_t>(i)] = st.OriginColumn(i);
    }
    if (!oneTable) {
        // Rows of a join have no single table to go back to.
        baseTable.clear();
        baseColumns.assign(baseColumns.size(), QString());
    }

    std::vector<Row> rows;
    while (st.Step()) {
        Row row;
        row.original.reserve(static_cast<std::size_t>(columns));
        for (int i = 0; i < columns; ++i) row.original.push_back(st.Column(i));
        rows.push_back(std::move(row));
    }

    source_ = source;
    names_ = std::move(names);
    rows_ = std::move(rows);
    baseTable_ = baseTable;
    baseDatabase_ = baseDatabase;
    baseColumns_ = std::move(baseColumns);
    position_ = 0;
    open_ = true;
}

void Recordset::Close() {
    // Closing a closed recordset is harmless, so failure paths may close without asking.
    open_ = false;
    rows_.clear();
    names_.clear();
    baseColumns_.clear();
    baseTable_.clear();
    baseDatabase_.clear();
    position_ = 0;
}

int Recordset::RecordCount() const {
    RequireOpen("RecordCount");
    return static_cast<int>(rows_.size());
}

int Recordset::AbsolutePosition() const {
    RequireOpen("AbsolutePosition");
    if (rows_.empty()) return adPosUnknown;
    if (position_ < 0) return adPosBOF;
    if (position_ >= static_cast<int>(rows_.size())) return adPosEOF;
    return position_ + 1;
}

bool Recordset::Bof() const {
    RequireOpen("BOF");
    return rows_.empty() || position_ < 0;
}

bool Recordset::Eof() const {
    RequireOpen("EOF");
    return rows_.empty() || position_ >= static_cast<int>(rows_.size());
}

void Recordset::MoveFirst() {
    RequireOpen("MoveFirst");
    if (rows_.empty()) throw Error("MoveFirst: the recordset has no rows (" + Describe() + ")");
    position_ = 0;
}

void Recordset::MoveLast() {
    RequireOpen("MoveLast");
    if (rows_.empty()) throw Error("MoveLast: the recordset has no rows (" + Describe() + ")");
    position_ = static_cast<int>(rows_.size()) - 1;
}

void Recordset::MoveNext() {
    if (Eof()) throw Error("MoveNext: EOF is already true (" + Describe() + ")");
    ++position_;
}

void Recordset::MovePrevious() {
    if (Bof()) throw Error("MovePrevious: BOF is already true (" + Describe() + ")");
    --position_;
}

Value Recordset::Field(const QString& name) const {
    const Row& row = CurrentRow();
    const int index = IndexOf(name);
    if (index < 0) {
        throw Error("No field \"" + name.toStdString() + "\" in " + Describe());
    }
    return row.Values()[static_cast<std::size_t>(index)];
}

Value Recordset::Field(int index) const {
    const Row& row = CurrentRow();
    if (index < 0 || index >= names_.size()) {
        throw Error("No field at position " + std::to_string(index) + " in " + Describe());
    }
    return row.Values()[static_cast<std::size_t>(index)];
}

int Recordset::FieldCount() const {
    RequireOpen("FieldCount");
    return static_cast<int>(names_.size());
}

QString Recordset::FieldName(int index) const {
    RequireOpen("FieldName");
    if (index < 0 || index >= names_.size()) {
        throw Error("No field at position " + std::to_string(index) + " in " + Describe());
    }
    return names_[index];
}

void Recordset::SetField(const QString& name, const Value& value) {
    RequireOpen("SetField");
    if (LockType != adLockBatchOptimistic) {
        throw Error("The recordset cannot be changed: it is not opened for batch updates (" +
                    Describe() + ")");
    }
    CurrentRow();  // throws when there is none
    Row& row = rows_[static_cast<std::size_t>(position_)];
    const int index = IndexOf(name);
    if (index < 0) throw Error("No field \"" + name.toStdString() + "\" in " + Describe());
    if (!row.changed) {
        row.current = row.original;
        row.changed = true;
    }
    row.current[static_cast<std::size_t>(index)] = value;
}

int Recordset::PendingCount() const {
    int pending = 0;
    for (const Row& row : rows_) pending += row.changed ? 1 : 0;
    return pending;
}

int Recordset::IndexOf(const QString& name) const {
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

const Recordset::Row& Recordset::CurrentRow() const {
    if (Bof() || Eof()) {
        throw Error("Either BOF or EOF is true: there is no current row (" + Describe() + ")");
    }
    return rows_[static_cast<std::size_t>(position_)];
}

void Recordset::RequireOpen(const char* doing) const {
    if (!open_) {
        throw Error(std::string(doing) + ": the recordset is closed" +
                    (source_.isEmpty() ? std::string() : " (last \"" + source_.toStdString() + "\")"));
    }
}

std::string Recordset::Describe() const { return "the rows of \"" + source_.toStdString() + "\""; }

}  // namespace db
