#pragma once
// The one database connection, over an SQLite file, with the members the terminal
// uses of the original platform's connection object.

#include <QString>

#include "platform/db/value.h"

struct sqlite3;

namespace db {

constexpr int adStateClosed = 0;
constexpr int adStateOpen = 1;
constexpr int adUseClient = 3;
constexpr int adCmdText = 1;

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation = 2;
    QString ConnectionString;
    // How long a statement waits for another connection's lock before it fails;
    // applied when the connection opens.
    int BusyTimeoutMs = 10000;

    int State() const;

    // Opens the file named by "Data Source=" in the connection string (connectionString
    // when given, else the ConnectionString property). Throws db::Error naming the file
    // and the reason when it cannot be opened or is not a database.
    void Open(const QString& connectionString = {}, const QString& user = {},
              const QString& password = {}, int options = -1);
    void Close();

    // Runs a statement that yields no rows. Statement texts are taken as the system
    // writes them; dialect differences are translated here. Throws db::Error.
    void Execute(const QString& statement, int options = adCmdText);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    // Folds the write-ahead log back into the database file, so that the file alone
    // (a copy taken by the operator) holds what was committed. A reader in the way only
    // delays it: what it cannot fold stays in the log, so a failure is no error.
    void FoldLog();
    bool InTransaction() const { return inTransaction_; }

    // The path the connection string names (the platform's separators).
    QString DataSource() const { return dataSource_; }

    sqlite3* Handle() const { return handle_; }

    // The one place where statement texts are turned into the engine's dialect.
    static QString TranslateDialect(const QString& statement);

    // The engine's failure as a db::Error: its message, the file, and what was being done.
    [[noreturn]] void Fail(int code, const QString& doing) const;

private:
    void RunSimple(const char* statement);
    void SyncTransactionState();

    sqlite3* handle_ = nullptr;
    QString dataSource_;
    bool inTransaction_ = false;
};

}  // namespace db
