#include "platform/system.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#ifdef DERRAVANCE_COVERAGE
extern "C" void __gcov_dump();
#endif

namespace platform {
namespace {

QString LastSystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool Exists(const QFileInfo& info) { return info.exists() || info.isSymLink(); }

// The entry of folder named name, or else one whose name differs only in case: the
// first in code-point order when several do, whatever the directory's own order.
QString EntryWithoutCase(const QString& folder, const QString& name) {
    QString found;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QString entry = entries.fileName();
        if (entry == name) return entry;
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (found.isEmpty() || entry < found)) {
            found = entry;
        }
    }
    return found;
}

}  // namespace

QDateTime SystemClock::Now() const { return QDateTime::currentDateTime(); }

qint64 SystemClock::MonotonicMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

float BasicRandom::Next() {
    state_ = static_cast<std::uint32_t>(
        (static_cast<std::uint64_t>(state_) * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu);
    return static_cast<float>(state_) / 16777216.0f;
}

void ProcessEnd::End(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
#ifdef DERRAVANCE_COVERAGE
    // _Exit skips the exit handlers that would write the counters.
    __gcov_dump();
#endif
    std::_Exit(status);
}

QString FileWrites::Write(QFile& file, const QByteArray& bytes) {
    const qint64 written = file.write(bytes);
    if (written == bytes.size()) return {};
    if (written < 0) return file.errorString();
    return QStringLiteral("%1 of %2 bytes written: %3")
        .arg(written)
        .arg(bytes.size())
        .arg(LastSystemError());
}

QString FileWrites::Flush(QFile& file) {
    if (!file.flush()) return file.errorString();
    if (::fsync(file.handle()) != 0) return LastSystemError();
    return {};
}

QString FileWrites::Rename(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        return LastSystemError();
    }
    return {};
}

void SystemShutdown::Request(int mode) {
    // The outcome is not checked: a refused shutdown leaves the terminal as it was.
    if (mode == 1) {
        QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
    } else if (mode == 2) {
        QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("reboot")});
    }
}

void QtKeyInjector::SendTab() {
    QTimer::singleShot(0, qApp, [] {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) target = QApplication::activeWindow();
        if (target == nullptr) return;
        QPointer<QWidget> guard(target);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(target, &press);
        if (guard.isNull()) return;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(guard.data(), &release);
    });
}

Services& ProductionServices() {
    static SystemClock clock;
    static BasicRandom random;
    static ProcessEnd end;
    static SystemShutdown shutdown;
    static QtKeyInjector keys;
    static FileWrites files;
    static Services services{&clock,           &random,          &end,  &shutdown, &keys,
                             ExecutableFolder(), ExecutableName(), &files};
    return services;
}

QString ExecutableFolder() {
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (folder.size() > 1 && folder.endsWith(QDir::separator())) folder.chop(1);
    return folder;
}

QString ExecutableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

bool IsPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

QString FindPath(const QString& path) {
    if (Exists(QFileInfo(path))) return path;
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    const QString name = path.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return path;
    if (cut < 0) {
        const QString entry = EntryWithoutCase(QStringLiteral("."), name);
        return entry.isEmpty() ? path : entry;
    }
    // The folder may differ in case as well ("TP2" for "tp2").
    const QString folder = cut == 0 ? path.left(1) : FindPath(path.left(cut));
    const QString entry = EntryWithoutCase(folder, name);
    const QString prefix = folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
    return prefix + (entry.isEmpty() ? name : entry);
}

QString JoinPath(const QString& folder, const QString& windowsStyleTail) {
    QString tail = windowsStyleTail;
    tail.replace(QLatin1Char('\\'), QDir::separator());
    return FindPath(folder + tail);
}

QDateTime AddMinutes(const QDateTime& moment, int minutes) {
    return moment.addSecs(static_cast<qint64>(minutes) * 60);
}

QString FormatNnSs(qint64 spanMs) {
    // The span is taken as a time of day: hours drop out, and a span just below
    // zero shows its own size, as a negative date value does.
    const qint64 seconds = std::llabs(spanMs) / 1000 % 3600;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace platform
