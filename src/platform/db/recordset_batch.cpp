// Sending the changes of a disconnected recordset back to its table.
#include <sqlite3.h>

#include <map>
#include <memory>

#include "platform/db/connection.h"
#include "platform/db/error.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"

namespace db {

using detail::QuoteIdentifier;
using detail::Statement;

namespace {

std::string ValueText(const Value& value) {
    return value.IsNull() ? std::string("Null") : value.ToText().toStdString();
}

}  // namespace

void Recordset::UpdateBatch(int) {
    RequireOpen("UpdateBatch");
    if (PendingCount() == 0) return;
    if (!connection_ || connection_->State() != adStateOpen) {
        throw Error("UpdateBatch needs an active connection; " + Describe() + " are detached");
    }
    if (baseTable_.isEmpty()) {
        throw Error("UpdateBatch: " + Describe() + " do not come from one table");
    }

    // A savepoint makes the batch all or nothing also inside the caller's transaction,
    // so that the rows stay pending exactly when nothing was written.
    sqlite3* handle = connection_->Handle();
    Statement(*connection_, QStringLiteral("SAVEPOINT recordset_batch")).Step();
    try {
        WriteChangedRows();
    } catch (...) {
        sqlite3_exec(handle, "ROLLBACK TO recordset_batch; RELEASE recordset_batch", nullptr,
                     nullptr, nullptr);
        throw;
    }
    Statement(*connection_, QStringLiteral("RELEASE recordset_batch")).Step();

    for (Row& row : rows_) {
        if (!row.changed) continue;
        row.original = std::move(row.current);
        row.current.clear();
        row.changed = false;
    }
}

void Recordset::WriteChangedRows() {
    sqlite3* handle = connection_->Handle();
    const QByteArray database = baseDatabase_.toUtf8();
    const QByteArray table = baseTable_.toUtf8();
    const std::size_t fields = baseColumns_.size();

    std::vector<bool> isKey(fields, false);
    std::vector<QString> quoted(fields);
    std::vector<std::size_t> keys;
    for (std::size_t i = 0; i < fields; ++i) {
        if (baseColumns_[i].isEmpty()) continue;
        quoted[i] = QuoteIdentifier(baseColumns_[i]);
        int primaryKey = 0;
        if (sqlite3_table_column_metadata(handle, database.constData(), table.constData(),
                                          baseColumns_[i].toUtf8().constData(), nullptr, nullptr,
                                          nullptr, &primaryKey, nullptr) == SQLITE_OK &&
            primaryKey != 0) {
            isKey[i] = true;
            keys.push_back(i);
        }
    }
    const QString target = QuoteIdentifier(baseDatabase_) + '.' + QuoteIdentifier(baseTable_);

    // Optimistic: a row is found by its key and the values that were read of the
    // columns it changes, so another user's change to any other column does not stop
    // it. Without a key among the fields, only all the values read can find the row.
    // One prepared statement per shape: the columns set, and which compared values are
    // Null (a Null is matched with IS; a key that is not Null with =, so that the
    // engine looks the row up by it).
    std::map<std::string, std::unique_ptr<Statement>> prepared;
    std::vector<std::size_t> set;
    std::vector<std::size_t> where;
    std::string shape;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const Row& row = rows_[r];
        if (!row.changed) continue;

        set.clear();
        for (std::size_t i = 0; i < fields; ++i) {
            if (row.current[i] == row.original[i]) continue;
            if (baseColumns_[i].isEmpty()) {
                throw Error("UpdateBatch: field \"" + names_[static_cast<int>(i)].toStdString() +
                            "\" is not a column of table " + baseTable_.toStdString());
            }
            set.push_back(i);
        }
        if (set.empty()) continue;
        where = keys;
        if (keys.empty()) {
            for (std::size_t i = 0; i < fields; ++i) {
                if (!baseColumns_[i].isEmpty()) where.push_back(i);
            }
        } else {
            for (std::size_t i : set) {
                if (!isKey[i]) where.push_back(i);
            }
        }

        shape.clear();
        for (std::size_t i : set) shape += std::to_string(i) + ',';
        shape += '|';
        for (std::size_t i : where) {
            shape += std::to_string(i) + (isKey[i] && !row.original[i].IsNull() ? "=" : "~");
        }

        auto& statement = prepared[shape];
        if (!statement) {
            QString sql = QStringLiteral("UPDATE ") + target + QStringLiteral(" SET ");
            for (std::size_t k = 0; k < set.size(); ++k) {
                if (k) sql += QStringLiteral(", ");
                sql += quoted[set[k]] + QStringLiteral(" = ?");
            }
            for (std::size_t k = 0; k < where.size(); ++k) {
                const std::size_t i = where[k];
                const bool equals = isKey[i] && !row.original[i].IsNull();
                sql += (k ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + quoted[i] +
                       (equals ? QStringLiteral(" = ?") : QStringLiteral(" IS ?"));
            }
            statement = std::make_unique<Statement>(*connection_, sql);
        } else {
            statement->Reset();
        }
        int position = 1;
        for (std::size_t i : set) statement->Bind(position++, row.current[i]);
        for (std::size_t i : where) statement->Bind(position++, row.original[i]);
        statement->Step();

        const int changes = sqlite3_changes(handle);
        if (changes == 1) continue;
        std::string key;
        for (std::size_t i : keys) {
            key += (key.empty() ? "" : ", ") + baseColumns_[i].toStdString() + " = " +
                   ValueText(row.original[i]);
        }
        if (key.empty()) key = "row " + std::to_string(r + 1) + " of " + Describe();
        if (changes == 0) {
            throw Error("UpdateBatch: the row of table " + baseTable_.toStdString() + " with " +
                        key + " was changed or removed by another user since it was read; " +
                        "nothing of the batch was written");
        }
        throw Error("UpdateBatch: " + std::to_string(changes) + " rows of table " +
                    baseTable_.toStdString() + " match " + key +
                    "; the table has no key that tells them apart");
    }
}

}  // namespace db
