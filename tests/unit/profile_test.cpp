#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/profile.h"

namespace {

class Profile : public ::testing::Test {
protected:
    QString Path() const { return dir_.filePath(QStringLiteral("settings.ini")); }

    void Put(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Contents() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString Read(const char* section, const char* key, int bufferSize = 1024) const {
        return platform::ReadProfileString(QString::fromUtf8(section), QString::fromUtf8(key),
                                           QString(), bufferSize, Path());
    }

    bool Write(const char* section, const char* key, const char* value) const {
        return platform::WriteProfileString(QString::fromUtf8(section), QString::fromUtf8(key),
                                            QString::fromUtf8(value), Path());
    }

    QTemporaryDir dir_;
};

TEST_F(Profile, ReadsValuesTheWayTheProfileRulesSay) {
    Put("; Server=comment\r\n"
        "[Other]\r\n"
        "Cycyh=1\r\n"
        "  [ server ]  \r\n"
        "  cYcYh  =\t 12 \r\n"
        "Cycyh=13\r\n"
        "Cyczl=\"91\"\r\n"
        "Quoted=' a b '\r\n"
        "Half=\"91\r\n"
        "Mixed=\"91'\r\n"
        "Empty=\r\n"
        ";Hidden=1\r\n"
        "NoEquals\r\n"
        "Text=12 ; not a comment\n"
        "Utf8=\xe8\x80\x83\xe8\xaf\x95\n"
        "[Server]\n"
        "Late=1\n");
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Server", "Cycyh", "12"},          {"SERVER", "CYCYH", "12"},
        {"Other", "cycyh", "1"},            {"Server", "Cyczl", "91"},
        {"Server", "Quoted", " a b "},      {"Server", "Half", "\"91"},
        {"Server", "Mixed", "\"91'"},       {"Server", "Empty", ""},
        {"Server", "Hidden", ""},           {"Server", "NoEquals", ""},
        {"Server", "Text", "12 ; not a comment"},
        {"Server", "Utf8", "\xe8\x80\x83\xe8\xaf\x95"},
        {"Server", "Late", ""},             {"Server", "Missing", ""},
        {"Missing", "Cycyh", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.section, c.key), QString::fromUtf8(c.value)) << c.section << "/" << c.key;
    }
}

TEST_F(Profile, CutsTheValueToOneLessThanTheBuffer) {
    Put("[Server]\nLong=" + QByteArray(1500, 'x') + "\n");
    EXPECT_EQ(Read("Server", "Long"), QString(1023, u'x'));
    EXPECT_EQ(Read("Server", "Long", 4), QStringLiteral("xxx"));
    EXPECT_EQ(Read("Server", "Long", 1), QString());
}

TEST_F(Profile, GivesTheDefaultWithoutAFile) {
    EXPECT_EQ(Read("Server", "Cycyh"), QString());
    EXPECT_EQ(platform::ReadProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                          QStringLiteral("none"), 1024, Path()),
              QStringLiteral("none"));
    EXPECT_FALSE(QFile::exists(Path()));
}

struct WriteCase {
    const char* name;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

TEST_F(Profile, WritesAndLeavesEveryOtherByteAlone) {
    const WriteCase cases[] = {
        {"existing key, CRLF",
         "; top\r\n[Server]\r\n\r\nCYCYH = 3 \r\nCyczl=91\r\n\r\n[Next]\r\nCycyh=7\r\n",
         "server", "Cycyh", "12",
         "; top\r\n[Server]\r\n\r\nCYCYH = 12\r\nCyczl=91\r\n\r\n[Next]\r\nCycyh=7\r\n"},
        {"existing empty key", "[Server]\nCycyh=\nx=1\n", "Server", "Cycyh", "4.4",
         "[Server]\nCycyh=4.4\nx=1\n"},
        {"first of two keys", "[Server]\nCycyh=1\nCycyh=2\n", "Server", "Cycyh", "5",
         "[Server]\nCycyh=5\nCycyh=2\n"},
        {"new key after the last line of its section",
         "[Server]\r\nCyczl=91\r\n; note\r\n\r\n\r\n[Next]\r\n", "Server", "Cycyh", "12",
         "[Server]\r\nCyczl=91\r\n; note\r\nCycyh=12\r\n\r\n\r\n[Next]\r\n"},
        {"new key in an empty section at the end", "x=1\n[Server]", "Server", "Cycyh", "12",
         "x=1\n[Server]\nCycyh=12"},
        {"new section, LF", "[Other]\na=1\n", "Server", "Cycyh", "12",
         "[Other]\na=1\n[Server]\nCycyh=12\n"},
        {"new section after a last line without ending", "[Other]\r\na=1", "Server", "Cycyh",
         "12", "[Other]\r\na=1\r\n[Server]\r\nCycyh=12\r\n"},
        {"other bytes kept", "\xef\xbb\xbf[Server]\n\xff\xfe=\x80\nCycyh=1\n", "Server", "Cycyh",
         "6", "\xef\xbb\xbf[Server]\n\xff\xfe=\x80\nCycyh=6\n"},
        {"value written as typed", "[Server]\nCycyh=1\n", "Server", "Cycyh", " 12abc ",
         "[Server]\nCycyh= 12abc \n"},
    };
    for (const auto& c : cases) {
        Put(c.before);
        EXPECT_TRUE(Write(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(Contents(), c.after) << c.name;
    }
}

TEST_F(Profile, CreatesAMissingFileAndReadsBackWhatItWrote) {
    ASSERT_TRUE(Write("Server", "Cycyh", "12"));
    EXPECT_EQ(Contents(), QByteArray("[Server]\nCycyh=12\n"));
    ASSERT_TRUE(Write("Server", "Cyczl", "\xe8\x80\x83"));
    EXPECT_EQ(Read("server", "cycyh"), QStringLiteral("12"));
    EXPECT_EQ(Read("Server", "Cyczl"), QString::fromUtf8("\xe8\x80\x83"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(Profile, RefusesWhatCouldNotBeReadBack) {
    Put("[Server]\nCycyh=1\n");
    EXPECT_FALSE(Write("Server", "Cycyh", "1\n[Evil]"));
    EXPECT_FALSE(Write("Server", "a=b", "1"));
    EXPECT_FALSE(Write("Ser]ver", "Cycyh", "1"));
    EXPECT_FALSE(Write("Server", "", "1"));
    EXPECT_EQ(Contents(), QByteArray("[Server]\nCycyh=1\n"));
}

TEST_F(Profile, FailsSilentlyInAMissingFolder) {
    const QString path = dir_.filePath(QStringLiteral("missing/settings.ini"));
    EXPECT_FALSE(platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                              QStringLiteral("12"), path));
    EXPECT_FALSE(QFile::exists(path));
}

// Root writes through file modes; only the immutable flag stops it, where allowed.
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

TEST_F(Profile, FailsSilentlyOnAReadOnlyFile) {
    const QByteArray before("[Server]\r\nCycyh=1\r\n");
    Put(before);
    bool immutable = false;
    if (::geteuid() == 0) {
        immutable = SetImmutable(Path(), true);
        if (!immutable) GTEST_SKIP() << "root ignores file modes and the file cannot be made immutable";
    } else {
        ASSERT_TRUE(QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadGroup));
    }
    EXPECT_FALSE(Write("Server", "Cycyh", "12"));
    if (immutable) SetImmutable(Path(), false);
    EXPECT_EQ(Contents(), before);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
