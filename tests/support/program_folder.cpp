#include "support/program_folder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testing_support {

ProgramFolder::ProgramFolder() : dir_(QDir::tempPath() + QStringLiteral("/derravance-XXXXXX")) {}

QString ProgramFolder::PictureFolder() const {
    const QString path = File(QStringLiteral("tp2"));
    QDir().mkpath(path);
    return path;
}

void ProgramFolder::WriteIni(const QByteArray& content) const {
    QFile file(IniPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(content);
}

void ProgramFolder::WriteSettings(const QString& count, const QString& kind) const {
    WriteIni(QStringLiteral("[Server]\r\nCycyh=%1\r\nCyczl=%2\r\n").arg(count, kind).toUtf8());
}

QByteArray ProgramFolder::ReadIni() const {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ProgramFolder::Put(const QString& relative, const QByteArray& content) const {
    const QString path = File(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(content);
}

QByteArray ProgramFolder::Get(const QString& relative) const {
    QFile file(File(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ProgramFolder::Names() const {
    return QDir(Path()).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

namespace {

bool SetImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

}  // namespace

ReadOnly::ReadOnly(const QString& path) : path_(path), before_(QFile::permissions(path)) {
    // Root writes through file modes; only the immutable flag stops it.
    if (::geteuid() == 0) {
        immutable_ = SetImmutable(path_, true);
        made_ = immutable_;
    } else {
        made_ = QFile::setPermissions(path_, before_ & ~(QFile::WriteOwner | QFile::WriteUser |
                                                         QFile::WriteGroup | QFile::WriteOther));
    }
}

ReadOnly::~ReadOnly() {
    if (immutable_) {
        SetImmutable(path_, false);
    } else if (made_) {
        QFile::setPermissions(path_, before_);
    }
}

FileSizeLimit::FileSizeLimit(long long bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    before_ = static_cast<long long>(limit.rlim_cur);
    // The write then fails with EFBIG instead of the signal ending the process.
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(before_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, signal_);
}

const QString FullDisk::kReason = QStringLiteral("No space left on device");

bool FullDisk::FailsNow(Step step) {
    if (step != step_ || failed_) return false;
    failed_ = true;
    return true;
}

QString FullDisk::Write(QFile& file, const QByteArray& bytes) {
    if (!FailsNow(Step::Write)) return FileWrites::Write(file, bytes);
    file.write(bytes.left(bytes.size() / 2));
    return kReason;
}

QString FullDisk::Flush(QFile& file) {
    return FailsNow(Step::Flush) ? kReason : FileWrites::Flush(file);
}

QString FullDisk::Rename(const QString& from, const QString& to) {
    return FailsNow(Step::Rename) ? kReason : FileWrites::Rename(from, to);
}

}  // namespace testing_support
