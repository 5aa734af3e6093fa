#pragma once
// The one way the connection is opened and the one way every recordset is opened.

#include <QString>

namespace db {
class Connection;
class Recordset;
}  // namespace db

namespace shared {

// Opens the connection when it is not open yet: client-side cursors, the shared
// connection string. Throws db::Error.
void OpenConnection(db::Connection& conn, const QString& connectionString);

// Closes the recordset when open, attaches it to the connection, client-side, static,
// with the lock type given, runs the statement, and detaches it at once when asked.
// Throws db::Error.
void OpenRecordset(db::Recordset& rs, db::Connection& conn, const QString& statement, int lockType,
                   bool detach);

// Rolls back the transaction when one is open, on a failure path: a rollback that
// fails in turn is dropped, as the engine has then undone the transaction already.
void RollbackIfOpen(db::Connection& conn);

}  // namespace shared
