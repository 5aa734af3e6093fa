#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "platform/profile.h"
#include "support/program_folder.h"

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

using testing_support::FullDisk;

struct FailureCase {
    const char* name;
    bool readOnlyFolder;
    bool readOnlyFile;
    std::optional<FullDisk::Step> fault;
    bool fileSizeLimit;  // the real failing write: no file may grow
    bool written;
};

TEST(ProfileWrite, IsAllOrNothing) {
    // The value changes near the start, so that a half-done rewrite in place shows.
    const QByteArray before("[Server]\r\nCycyh=3\r\nCyczl=1\r\n; terminal\r\n");
    const QByteArray after("[Server]\r\nCycyh=12\r\nCyczl=1\r\n; terminal\r\n");
    using Step = FullDisk::Step;
    const FailureCase cases[] = {
        {"writable folder", false, false, {}, false, true},
        {"read-only folder: written in place", true, false, {}, false, true},
        {"write fails", false, false, Step::Write, false, false},
        {"flush fails", false, false, Step::Flush, false, false},
        {"rename fails", false, false, Step::Rename, false, false},
        {"file size limit", false, false, {}, true, false},
        {"read-only folder, write fails", true, false, Step::Write, false, false},
        {"read-only folder, flush fails", true, false, Step::Flush, false, false},
        {"read-only folder, file size limit", true, false, {}, true, false},
        {"read-only file", false, true, {}, false, false},
        {"read-only file in a read-only folder", true, true, {}, false, false},
    };
    int skipped = 0;
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::ProgramFolder folder;
        folder.Put(QStringLiteral("settings.ini"), before);
        const QString path = folder.File(QStringLiteral("settings.ini"));
        ASSERT_TRUE(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions mode = QFile::permissions(path);
        FullDisk disk(c.fault.value_or(Step::Write));
        QString reason;
        bool result = false;
        {
            std::optional<testing_support::ReadOnly> file;
            std::optional<testing_support::ReadOnly> dir;
            if (c.readOnlyFile) file.emplace(path);
            if (c.readOnlyFolder) dir.emplace(folder.Path());
            if ((file && !file->Made()) || (dir && !dir->Made())) {
                ++skipped;
                continue;
            }
            std::optional<testing_support::FileSizeLimit> limit;
            if (c.fileSizeLimit) limit.emplace(before.size());
            result = platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                                  QStringLiteral("12"), path, &reason,
                                                  c.fault ? &disk : nullptr);
        }
        EXPECT_EQ(result, c.written);
        EXPECT_EQ(folder.Get(QStringLiteral("settings.ini")), c.written ? after : before);
        EXPECT_EQ(QFile::permissions(path), mode);
        EXPECT_EQ(folder.Names(), QStringList{QStringLiteral("settings.ini")})
            << "nothing is left beside it";
        EXPECT_EQ(reason.isEmpty(), c.written) << reason.toStdString();
        if (c.fault) {
            EXPECT_TRUE(reason.contains(FullDisk::kReason)) << reason.toStdString();
        }
        if (c.fileSizeLimit) {
            EXPECT_TRUE(reason.contains(QStringLiteral("too large"))) << reason.toStdString();
        }
    }

    testing_support::ProgramFolder folder;
    const QString missing = folder.File(QStringLiteral("missing/settings.ini"));
    EXPECT_FALSE(platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                              QStringLiteral("12"), missing));
    EXPECT_TRUE(folder.Names().isEmpty()) << "a missing folder is not made";
    if (skipped > 0) GTEST_SKIP() << skipped << " read-only cases need the immutable flag";
}

}  // namespace
