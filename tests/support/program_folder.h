#pragma once
// A temporary program folder for one test: the settings file, the database and the
// picture folder tp2/ live here.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>

#include "platform/system.h"

namespace testing_support {

class ProgramFolder {
public:
    ProgramFolder();

    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }
    QString IniPath() const { return File(QStringLiteral("dsyjdc.ini")); }
    QString DatabasePath() const { return File(QStringLiteral("korva.mdb")); }
    QString PictureFolder() const;  // created on first use

    // Writes the settings file byte for byte.
    void WriteIni(const QByteArray& content) const;
    // "[Server]\r\nCycyh=<count>\r\nCyczl=<kind>\r\n"
    void WriteSettings(const QString& count, const QString& kind) const;
    QByteArray ReadIni() const;
    // Writes a file of the folder, by a relative name such as "TP2/K0012.GIF", making
    // the folders on the way.
    void Put(const QString& relative, const QByteArray& content = {}) const;
    QByteArray Get(const QString& relative) const;
    // The names in the folder, hidden ones too, sorted.
    QStringList Names() const;

private:
    QTemporaryDir dir_;
};

// Makes a file or folder read-only, also for root (through the immutable flag), until
// it goes out of scope, also when the test fails, so that no undeletable folder is
// left behind. Made() is false where the flag cannot be set.
class ReadOnly {
public:
    explicit ReadOnly(const QString& path);
    ~ReadOnly();
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;
    bool Made() const { return made_; }

private:
    QString path_;
    bool immutable_ = false;
    bool made_ = false;
    QFile::Permissions before_;
};

// A real "disk full": no file of this process may grow beyond bytes until it goes out
// of scope; a write past that fails with "File too large".
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    long long before_ = 0;
    void (*signal_)(int) = SIG_DFL;
};

// File writes of which one step fails the first time, the way a full disk makes it
// fail (a failing write gets half of its bytes out); every other call is the real one.
class FullDisk final : public platform::FileWrites {
public:
    enum class Step { Write, Flush, Rename };
    explicit FullDisk(Step step) : step_(step) {}
    static const QString kReason;

    QString Write(QFile& file, const QByteArray& bytes) override;
    QString Flush(QFile& file) override;
    QString Rename(const QString& from, const QString& to) override;

private:
    bool FailsNow(Step step);
    Step step_;
    bool failed_ = false;
};

}  // namespace testing_support
