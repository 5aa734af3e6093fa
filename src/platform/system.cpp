#include "platform/system.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace platform {

QDateTime SystemClock::Now() const { return QDateTime::currentDateTime(); }

float BasicRandom::Next() {
    state_ = static_cast<std::uint32_t>(
        (static_cast<std::uint64_t>(state_) * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu);
    return static_cast<float>(state_) / 16777216.0f;
}

void ProcessEnd::End(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
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
    static Services services{&clock, &random, &end, &shutdown, &keys, ExecutableFolder(),
                             ExecutableName()};
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

QString JoinPath(const QString& folder, const QString& windowsStyleTail) {
    QString tail = windowsStyleTail;
    tail.replace(QLatin1Char('\\'), QDir::separator());
    return folder + tail;
}

QDateTime AddMinutes(const QDateTime& moment, int minutes) {
    return moment.addSecs(static_cast<qint64>(minutes) * 60);
}

QString FormatNnSs(const QDateTime& end, const QDateTime& now) {
    // The span is taken as a time of day: hours drop out, and a span just below
    // zero shows its own size, as a negative date value does.
    qint64 seconds = std::llabs(now.msecsTo(end)) / 1000;
    seconds %= 3600;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

double DaysBetween(const QDateTime& now, const QDateTime& end) {
    return static_cast<double>(now.msecsTo(end)) / 86400000.0;
}

}  // namespace platform
