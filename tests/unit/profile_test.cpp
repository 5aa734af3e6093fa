#include "platform/profile.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/program_folder.h"

namespace {

const QString kName = QStringLiteral("settings.ini");

class Profile : public ::testing::Test {
protected:
    QString Path() const { return folder.File(kName); }

    testing_support::ProgramFolder folder;
};

// Section and key in any case, blanks around names and values stripped, one pair of
// quotes taken off, comments skipped, the first of two keys and the first of two
// sections; a byte-order mark at the start is no part of the first line.
TEST_F(Profile, ReadsValuesTheWayTheProfileRulesSay) {
    folder.Put(kName, "\xef\xbb\xbf  [ server ]  \r\n  cYcYh  =\t 12 \r\nCycyh=13\r\nCyczl=\"91\"\r\n"
                      "Quoted=' a b '\r\nHalf=\"91\r\nMixed=\"91'\r\n;Hidden=1\r\n"
                      "Text=12 ; not a comment\n[Other]\nCycyh=1\n[Server]\nLate=1\n");
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Server", "Cycyh", "12"},        {"Other", "cycyh", "1"},          {"Server", "Cyczl", "91"},
        {"Server", "Quoted", " a b "},    {"Server", "Half", "\"91"},       {"Server", "Mixed", "\"91'"},
        {"Server", "Hidden", ""},         {"Server", "Late", ""},
        {"Server", "Text", "12 ; not a comment"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ReadProfileString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                              {}, 1024, Path()),
                  QString::fromUtf8(c.value))
            << c.section << "/" << c.key;
    }
}

// Writes the entry where it belongs, creating section and key as needed, and leaves
// every other byte alone, the file's permissions too.
TEST_F(Profile, WritesAndLeavesEveryOtherByteAlone) {
    const struct {
        const char* name;
        QByteArray before;
        const char* value;
        QByteArray after;
    } cases[] = {
        {"existing key, CRLF",
         "; top\r\n[server]\r\n\r\nCYCYH = 3 \r\nCyczl=91\r\n\r\n[Next]\r\nCycyh=7\r\n", "12",
         "; top\r\n[server]\r\n\r\nCYCYH = 12\r\nCyczl=91\r\n\r\n[Next]\r\nCycyh=7\r\n"},
        {"existing empty key", "[Server]\nCycyh=\nx=1\n", "4.4", "[Server]\nCycyh=4.4\nx=1\n"},
        {"first of two keys", "[Server]\nCycyh=1\nCycyh=2\n", "5", "[Server]\nCycyh=5\nCycyh=2\n"},
        {"new key after the last line of its section",
         "[Server]\r\nCyczl=91\r\n; note\r\n\r\n\r\n[Next]\r\n", "12",
         "[Server]\r\nCyczl=91\r\n; note\r\nCycyh=12\r\n\r\n\r\n[Next]\r\n"},
        {"new key in an empty section at the end", "x=1\n[Server]", "12", "x=1\n[Server]\nCycyh=12"},
        {"new section, LF", "[Other]\na=1\n", "12", "[Other]\na=1\n[Server]\nCycyh=12\n"},
        {"new section after a last line without ending", "[Other]\r\na=1", "12",
         "[Other]\r\na=1\r\n[Server]\r\nCycyh=12\r\n"},
        {"other bytes kept", "\xef\xbb\xbf[Server]\n\xff\xfe=\x80\nCycyh=1\n", "6",
         "\xef\xbb\xbf[Server]\n\xff\xfe=\x80\nCycyh=6\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Put(kName, c.before);
        ASSERT_TRUE(QFile::setPermissions(
            Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions mode = QFile::permissions(Path());
        EXPECT_TRUE(platform::WriteProfileString(QStringLiteral("Server"), QStringLiteral("Cycyh"),
                                                 QString::fromUtf8(c.value), Path()));
        EXPECT_EQ(folder.Get(kName), c.after);
        EXPECT_EQ(QFile::permissions(Path()), mode);
    }
}

}  // namespace
