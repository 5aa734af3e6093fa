#include "platform/db/connection.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "platform/db/error.h"
#include "platform/db/statement.h"
#include "platform/system.h"

namespace db {

namespace {

// The value of "Data Source=" up to the next semicolon, written with the
// platform's separators (the system builds it as folder + "\korva.mdb") and found
// without regard to case.
QString DataSourceOf(const QString& connectionString) {
    static const QRegularExpression key(QStringLiteral("(?:^|;)\\s*Data Source\\s*=([^;]*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = key.match(connectionString);
    if (!match.hasMatch()) return {};
    QString path = match.captured(1).trimmed();
#ifndef _WIN32
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return platform::FindPath(path);
}

// Why a hand-in could not write the database at path under the running user (its
// effective ids, as the engine will write), or an empty text. It writes the file, the
// log files left beside it by an earlier run, and the folder, where the log files are
// made and removed. Asked before the file is opened, so that a refused file is left
// as it was.
std::string Unwritable(const QString& path) {
    for (const QString& name : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm"),
                                QFileInfo(path).absolutePath()}) {
        if (::faccessat(AT_FDCWD, QFile::encodeName(name).constData(), W_OK, AT_EACCESS) == 0) {
            continue;
        }
        const int error = errno;
        if (error == ENOENT) continue;
        return name.toStdString() + " is not writable (" + std::strerror(error) + ")";
    }
    return {};
}

}  // namespace

Connection::~Connection() { Close(); }

int Connection::State() const { return handle_ ? adStateOpen : adStateClosed; }

namespace {

// Readies an opened file for the terminal; returns why it cannot be used, or an
// empty text. Reading the schema is what tells a database from any other file.
// Write-ahead logging lets readers (an operator's query, a backup) go on beside a
// commit, and FULL puts each commit on disk before it returns.
std::string PrepareFile(sqlite3* handle) {
    std::string mode;
    const auto keepMode = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "";
        return 0;
    };
    char* failure = nullptr;
    int rc = sqlite3_exec(handle, "PRAGMA schema_version", nullptr, nullptr, &failure);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(handle, "PRAGMA journal_mode = WAL", keepMode, &mode, &failure);
    }
    if (rc == SQLITE_OK && mode != "wal") {
        return "the file cannot be switched to write-ahead logging (its journal mode stays " +
               mode + ")";
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(handle, "PRAGMA synchronous = FULL", nullptr, nullptr, &failure);
    }
    if (rc == SQLITE_OK) return {};
    std::string reason = failure ? failure : sqlite3_errstr(rc);
    sqlite3_free(failure);
    if (rc == SQLITE_BUSY) reason += ", held by another connection";
    if (rc == SQLITE_READONLY || rc == SQLITE_CANTOPEN) {
        reason += " (the file and its folder must be writable)";
    }
    return reason;
}

}  // namespace

void Connection::Open(const QString& connectionString, const QString&, const QString&, int) {
    if (handle_) throw Error("The connection is already open on " + dataSource_.toStdString());
    if (!connectionString.isEmpty()) ConnectionString = connectionString;
    const QString path = DataSourceOf(ConnectionString);
    if (path.isEmpty()) {
        throw Error("The connection string names no Data Source: \"" +
                    ConnectionString.toStdString() + "\"");
    }
    if (!QFileInfo(path).isFile()) {
        throw Error("Cannot open the database " + path.toStdString() + ": no such file");
    }
    if (const std::string reason = Unwritable(path); !reason.empty()) {
        throw Error("Cannot open the database " + path.toStdString() + ": " + reason);
    }

    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                   SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
        sqlite3_close_v2(handle);
        throw Error("Cannot open the database " + path.toStdString() + ": " + reason);
    }
    // The engine falls back to reading alone where it may not write.
    if (sqlite3_db_readonly(handle, "main") == 1) {
        sqlite3_close_v2(handle);
        throw Error("Cannot open the database " + path.toStdString() + ": " + path.toStdString() +
                    " is not writable (the engine opened it read-only)");
    }
    handle_ = handle;
    dataSource_ = path;
    inTransaction_ = false;
    sqlite3_extended_result_codes(handle_, 0);
    sqlite3_busy_timeout(handle_, BusyTimeoutMs);
    const std::string reason = PrepareFile(handle_);
    if (!reason.empty()) {
        Close();
        throw Error("Cannot open the database " + path.toStdString() + ": " + reason);
    }
}

void Connection::Close() {
    if (!handle_) return;
    // An open transaction goes with the connection, as a crash would take it.
    sqlite3_close_v2(handle_);
    handle_ = nullptr;
    inTransaction_ = false;
}

void Connection::Execute(const QString& statement, int) {
    detail::Statement st(*this, TranslateDialect(statement));
    try {
        while (st.Step()) {
        }
    } catch (const Error&) {
        SyncTransactionState();
        throw;
    }
    SyncTransactionState();
}

void Connection::BeginTrans() {
    if (inTransaction_) throw Error("A transaction is already open on " + dataSource_.toStdString());
    // Immediate: the write lock is taken now, so a locked file fails here and not
    // halfway through the unit of work.
    RunSimple("BEGIN IMMEDIATE");
    SyncTransactionState();
}

void Connection::CommitTrans() {
    if (!inTransaction_) throw Error("No transaction is open on " + dataSource_.toStdString());
    try {
        RunSimple("COMMIT");
    } catch (const Error&) {
        SyncTransactionState();
        throw;
    }
    SyncTransactionState();
}

void Connection::RollbackTrans() {
    if (!inTransaction_) throw Error("No transaction is open on " + dataSource_.toStdString());
    if (handle_ && !sqlite3_get_autocommit(handle_)) RunSimple("ROLLBACK");
    // Otherwise the engine has already rolled it back after an error of its own.
    SyncTransactionState();
}

void Connection::FoldLog() {
    // The program ends without closing the connection, which would fold it too.
    if (handle_) {
        sqlite3_wal_checkpoint_v2(handle_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    }
}

void Connection::RunSimple(const char* statement) {
    detail::Statement st(*this, QString::fromLatin1(statement));
    while (st.Step()) {
    }
}

void Connection::SyncTransactionState() {
    inTransaction_ = handle_ && !sqlite3_get_autocommit(handle_);
}

void Connection::Fail(int code, const QString& doing) const {
    const std::string file = dataSource_.toStdString();
    std::string message = handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(code);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
        message += " (another connection held " + file + " for more than " +
                   std::to_string(BusyTimeoutMs) + " ms)";
    }
    throw Error(message + " - " + doing.toStdString() + " on " + file);
}

}  // namespace db
