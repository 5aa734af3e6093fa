#include "shared/recordsets.h"

#include <exception>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace shared {

void OpenConnection(db::Connection& conn, const QString& connectionString) {
    if (conn.State() == db::adStateOpen) return;
    conn.CursorLocation = db::adUseClient;
    conn.ConnectionString = connectionString;
    conn.Open(QString(), QString(), QString(), -1);
}

void OpenRecordset(db::Recordset& rs, db::Connection& conn, const QString& statement, int lockType,
                   bool detach) {
    if (rs.State() == db::adStateOpen) rs.Close();
    rs.SetActiveConnection(&conn);
    rs.CursorLocation = db::adUseClient;
    rs.CursorType = db::adOpenStatic;
    rs.LockType = lockType;
    rs.Open(statement, -1, -1, db::adCmdText);
    if (detach) rs.SetActiveConnection(nullptr);
}

void RollbackIfOpen(db::Connection& conn) {
    try {
        if (conn.InTransaction()) conn.RollbackTrans();
    } catch (const std::exception&) {
    }
}

}  // namespace shared
