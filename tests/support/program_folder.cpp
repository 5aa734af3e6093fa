#include "support/program_folder.h"

#include <QDir>
#include <QFile>

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

}  // namespace testing_support
