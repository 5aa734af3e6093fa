#pragma once
// A temporary program folder for one test: the settings file, the database and the
// picture folder tp2/ live here.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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

private:
    QTemporaryDir dir_;
};

}  // namespace testing_support
