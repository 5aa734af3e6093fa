#pragma once
// Layer 1, the platform: what stands in for the original platform, and knows nothing of
// exams: the database layer over SQLite (db/), the windowing layer in twips (ui/),
// settings files, number reading, and here the operating-system services, each
// behind a seam so that tests can replace time, chance, the program folder and the
// end of the program. It uses only Qt, SQLite and the standard library.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

class QFile;

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // The date and time of day, which a time server or an operator may step.
    virtual QDateTime Now() const = 0;
    // Milliseconds from some fixed start, never stepped: spans are measured on it.
    virtual qint64 MonotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override;
    qint64 MonotonicMs() const override;
};

// Values in [0, 1) in single precision.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float Next() = 0;
};

// The classic BASIC generator: never seeded, so every start draws the same sequence.
class BasicRandom final : public RandomSource {
public:
    float Next() override;

private:
    std::uint32_t state_ = 0x50000;
};

// Ends the program. The production one never returns; a test double records the
// call and returns, and every caller returns straight after calling it.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void End(int status) = 0;
};

class ProcessEnd final : public ProgramEnd {
public:
    [[noreturn]] void End(int status) override;
};

// Asks the operating system to power off (1) or restart (2).
class Shutdown {
public:
    virtual ~Shutdown() = default;
    virtual void Request(int mode) = 0;
};

class SystemShutdown final : public Shutdown {
public:
    void Request(int mode) override;
};

// Posts one Tab key press, delivered after the current handler has returned, to
// whichever widget then has the keyboard focus.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    virtual void SendTab() = 0;
};

class QtKeyInjector final : public KeyInjector {
public:
    void SendTab() override;
};

// The calls that replace a file's content, one each, so that a test can make any of
// them fail the way a full disk does. Each gives the reason of a failure, or an
// empty text. This class makes the real calls.
class FileWrites {
public:
    virtual ~FileWrites() = default;
    // All of bytes, straight to the file (it is opened unbuffered).
    virtual QString Write(QFile& file, const QByteArray& bytes);
    // Returns once what was written is on the disk.
    virtual QString Flush(QFile& file);
    // Puts the file from in the place of to, in one step.
    virtual QString Rename(const QString& from, const QString& to);
};

// Everything the start-up module needs from the platform, handed in by whoever
// builds it: the real program or a test.
struct Services {
    Clock* clock = nullptr;
    RandomSource* random = nullptr;
    ProgramEnd* end = nullptr;
    Shutdown* shutdown = nullptr;
    KeyInjector* keys = nullptr;
    QString folder;               // the program's folder, without a trailing separator
    QString exeName;              // the executable's file name without folder and extension
    FileWrites* files = nullptr;  // null: the real calls
};

// The real services of a running program; they live for the whole run.
Services& ProductionServices();

// The executable's own folder and base name, as the running process sees them.
QString ExecutableFolder();
QString ExecutableName();

// True for an existing regular file that is not hidden (a name starting with a dot).
bool IsPlainFile(const QString& path);

// The path as it is on disk when its names differ from it only in case, as the
// original platform found files whatever their case: a name that exists as written
// stays; otherwise the entry of its folder that differs only in case, the first in
// code-point order when several do; a name found in neither way stays as written.
QString FindPath(const QString& path);

// Joins a folder and a file name the way the original paths were written
// ("\korva.mdb", "\tp2\"), with the platform's separator, and finds the result
// without regard to case (FindPath).
QString JoinPath(const QString& folder, const QString& windowsStyleTail);

// Time arithmetic of the exam: minutes added to a moment; a span in milliseconds
// written "nn:ss" (minutes and seconds of the time of day the span makes; whole hours
// not shown).
QDateTime AddMinutes(const QDateTime& moment, int minutes);
QString FormatNnSs(qint64 spanMs);

}  // namespace platform
