#pragma once
// A client-side, static recordset: all rows are read when it opens; it can be
// detached from its connection, changed while detached, and its changes sent back in
// one batch with an optimistic check on the key and the original values of the
// changed columns.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "platform/db/value.h"

namespace db {

class Connection;

constexpr int adOpenStatic = 3;
constexpr int adLockReadOnly = 1;
constexpr int adLockOptimistic = 3;
constexpr int adLockBatchOptimistic = 4;
constexpr int adAffectAllChapters = 3;
constexpr int adPosUnknown = -1;
constexpr int adPosBOF = -2;
constexpr int adPosEOF = -3;

class Recordset {
public:
    int CursorLocation = 2;
    int CursorType = 0;
    int LockType = adLockReadOnly;

    // The connection, or nullptr when detached.
    Connection* ActiveConnection() const { return connection_; }
    void SetActiveConnection(Connection* connection) { connection_ = connection; }

    int State() const;
    // Runs the statement on the active connection and reads every row. Throws db::Error
    // (no active connection, already open, the engine's failure).
    void Open(const QString& source, int cursorType = -1, int lockType = -1,
              int options = 1);
    void Close();

    int RecordCount() const;
    // 1 for the first row; adPosBOF / adPosEOF before the first or after the last row;
    // adPosUnknown when the recordset has no rows.
    int AbsolutePosition() const;
    bool Bof() const;  // BOF; EOF is a C macro, so both are spelt this way
    bool Eof() const;

    // Moves as the original does; moving past either end (already at BOF or EOF)
    // throws db::Error.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    // Field of the current row, by name (any case) or by position from 0. Throws
    // db::Error when there is no current row or no such field.
    Value Field(const QString& name) const;
    Value Field(int index) const;
    int FieldCount() const;
    QString FieldName(int index) const;

    // Changes a field of the current row; kept pending until UpdateBatch. Throws for a
    // read-only recordset, no current row or an unknown field.
    void SetField(const QString& name, const Value& value);

    // Rows with pending changes.
    int PendingCount() const;

    // Writes the changed rows to the base table through the active connection, each
    // only where the row still holds its key and the original values of the columns
    // it changes; throws db::Error (the engine's message, or one saying the row
    // changed meanwhile) and keeps the changes pending when a row cannot be written.
    void UpdateBatch(int affectRecords = adAffectAllChapters);

private:
    struct Row {
        std::vector<Value> original;
        std::vector<Value> current;  // filled at the first change only
        bool changed = false;

        const std::vector<Value>& Values() const { return changed ? current : original; }
    };

    int IndexOf(const QString& name) const;  // -1 when unknown
    const Row& CurrentRow() const;
    void RequireOpen(const char* doing) const;
    void WriteChangedRows();
    std::string Describe() const;

    Connection* connection_ = nullptr;
    bool open_ = false;
    QString source_;
    QStringList names_;
    std::vector<Row> rows_;
    QString baseTable_;
    QString baseDatabase_;
    std::vector<QString> baseColumns_;  // per field: its column in baseTable_, or empty
    int position_ = 0;  // 0-based index; -1 before the first row, size() after the last
};

}  // namespace db
