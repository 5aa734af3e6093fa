#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QRegularExpression>
#include <optional>
#include <utility>

#include "shared/module1.h"
#include "startup/startup.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::FakeServices;
using testing_support::FullDisk;
using testing_support::ModalDriver;
using testing_support::PressKey;

void Type(const QString& text) {
    for (const QChar c : text) PressKey(c.unicode(), Qt::NoModifier, 0, QString(c));
}

TEST(GetIniFile, IsFoundWhateverTheCaseOfItsName) {
    struct Case {
        std::vector<std::pair<QString, int>> files;  // name, paper count
        int count;                                   // 0: the program ends silently
    } cases[] = {
        {{}, 0},
        {{{QStringLiteral(".dsyjdc.ini"), 5}}, 0},  // hidden
        {{{QStringLiteral("DSYJDC.INI"), 6}}, 6},
        {{{QStringLiteral("Dsyjdc.Ini"), 7}}, 7},
        {{{QStringLiteral("DSYJDC.INI"), 6}, {QStringLiteral("dsyjdc.ini"), 8}}, 8},
        {{{QStringLiteral("Dsyjdc.ini"), 7}, {QStringLiteral("DSYJDC.INI"), 6}}, 6},
    };
    for (const auto& c : cases) {
        testing_support::ProgramFolder own;
        for (const auto& [name, count] : c.files) {
            own.Put(name,
                    QStringLiteral("[Server]\r\nCycyh=%1\r\nCyczl=1\r\n").arg(count).toUtf8());
        }
        FakeServices fakes(own.Path());
        shared::Module1 m(fakes.services);
        ModalDriver driver;  // fails the test on any window
        const std::string names = own.Names().join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(startup::GetIni(m), c.count > 0) << names;
        EXPECT_TRUE(driver.Seen().empty()) << names;
        if (c.count > 0) {
            EXPECT_EQ(m.PaperCount, c.count) << names;
            EXPECT_TRUE(fakes.end.statuses.empty()) << names;
        } else {
            EXPECT_EQ(fakes.end.statuses, std::vector<int>{shared::kExitSettings}) << names;
        }
    }

    // The operator's count goes back into the file found.
    testing_support::ProgramFolder own;
    own.Put(QStringLiteral("DSYJDC.INI"), "[Server]\r\nCyczl=1\r\n");
    FakeServices fakes(own.Path());
    shared::Module1 m(fakes.services);
    ModalDriver driver;
    driver.Then([](QWidget*) {
        Type(QStringLiteral("120712"));
        PressKey(Qt::Key_Return);
    });
    EXPECT_TRUE(startup::GetIni(m));
    EXPECT_EQ(own.Names(), QStringList{QStringLiteral("DSYJDC.INI")});
    EXPECT_EQ(own.Get(QStringLiteral("DSYJDC.INI")), "[Server]\r\nCyczl=1\r\nCycyh=12\r\n");
}

TEST(GetIni, PaperCountDecidesWhetherTheProgramRuns) {
    struct Case {
        const char* value;
        bool runs;
        qint32 count;
    } cases[] = {
        {"5", true, 5},     {"12abc", true, 12}, {"7.5", true, 8}, {"6.5", true, 6},
        {" 9 ", true, 9},   {"4", false, 0},     {"-3", false, 0}, {"4.4", false, 0},
        {"1", false, 0},
    };
    for (const auto& c : cases) {
        testing_support::ProgramFolder own;
        own.WriteSettings(QString::fromUtf8(c.value), QStringLiteral("3"));
        FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        ModalDriver driver;
        EXPECT_EQ(startup::GetIni(m), c.runs) << c.value;
        EXPECT_TRUE(driver.Seen().empty()) << c.value;
        if (c.runs) {
            EXPECT_EQ(m.PaperCount, c.count) << c.value;
            EXPECT_EQ(m.PaperKind, QStringLiteral("3"));
            EXPECT_EQ(m.ExamMinutes, 50);
            EXPECT_EQ(m.AppFolder, own.Path());
            EXPECT_TRUE(ownFakes.end.statuses.empty());
        } else {
            EXPECT_EQ(ownFakes.end.statuses, std::vector<int>{shared::kExitSettings}) << c.value;
        }
    }
}

TEST(GetIni, UnusableCountsAskForTheOperatorCode) {
    const QByteArray inis[] = {
        "[Server]\r\nCycyh=abc\r\nCyczl=1\r\n",  "[Server]\r\nCycyh=\r\nCyczl=1\r\n",
        "[Server]\r\nCycyh=0\r\n",               "[Server]\r\nCycyh=9999999999\r\n",
        "[Other]\r\nCycyh=5\r\n",                "",
    };
    for (const QByteArray& ini : inis) {
        testing_support::ProgramFolder own;
        own.WriteIni(ini);
        FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        ModalDriver driver;
        driver.ThenKey(Qt::Key_Escape);
        EXPECT_FALSE(startup::GetIni(m)) << ini.constData();
        ASSERT_EQ(driver.Seen().size(), 1u) << ini.constData();
        EXPECT_EQ(driver.Seen()[0].className, QStringLiteral("Frmquit"));
        EXPECT_EQ(ownFakes.end.statuses, std::vector<int>{shared::kExitSettings});
        EXPECT_EQ(own.ReadIni(), ini) << "a refused code leaves the file as it was";
    }
}

TEST(GetIni, PaperKindIsTakenAsWritten) {
    struct Case {
        QByteArray ini;
        QString kind;
    } cases[] = {
        {"[Server]\nCycyh=5\n", QString()},
        {"[Server]\nCycyh=5\nCyczl=0\n", QStringLiteral("0")},
        {"[server]\nCYCYH=5\ncyczl= 91 \n", QStringLiteral("91")},
        {"[Server]\nCycyh=5\nCyczl=1' OR '1'='1\n", QStringLiteral("1' OR '1'='1")},
    };
    for (const auto& c : cases) {
        testing_support::ProgramFolder own;
        own.WriteIni(c.ini);
        FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        EXPECT_TRUE(startup::GetIni(m));
        EXPECT_EQ(m.PaperKind, c.kind);
    }
}

struct OperatorCase {
    QString typed;
    bool runs;
    qint32 count;
    QByteArray iniAfter;  // empty: unchanged
};

TEST(GetIni, TheOperatorSuppliesTheCount) {
    const QByteArray before = "; terminal settings\r\n[Server]\r\nCyczl=1\r\n";
    const OperatorCase cases[] = {
        {"120712", true, 12, "; terminal settings\r\n[Server]\r\nCyczl=1\r\nCycyh=12\r\n"},
        {"12074.4", true, 4, "; terminal settings\r\n[Server]\r\nCyczl=1\r\nCycyh=4.4\r\n"},
        {"0000", false, 0, {}},
        {"1207", false, 0, {}},             // the exit code alone gives no count
        {"12079999999999", false, 0, {}},   // beyond 32 bits
        {"12074", false, 0, {}},
    };
    for (const auto& c : cases) {
        testing_support::ProgramFolder own;
        own.WriteIni(before);
        FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            Type(c.typed);
            PressKey(Qt::Key_Return);
        });
        EXPECT_EQ(startup::GetIni(m), c.runs) << c.typed.toStdString();
        EXPECT_TRUE(driver.Done());
        if (c.runs) {
            EXPECT_EQ(m.PaperCount, c.count);
            EXPECT_TRUE(ownFakes.end.statuses.empty());
        } else {
            EXPECT_EQ(ownFakes.end.statuses, std::vector<int>{shared::kExitSettings});
        }
        EXPECT_EQ(own.ReadIni(), c.iniAfter.isEmpty() ? before : c.iniAfter)
            << c.typed.toStdString();
    }
}

struct WriteBackFailure {
    const char* name;
    std::optional<FullDisk::Step> fault;
    bool fileSizeLimit;  // the real failing write: no file may grow
    bool readOnlyFile;
    const char* reason;
};

TEST(GetIniWriteBack, AFailureLeavesTheFileAndTheRunUsesTheTypedCount) {
    // Longer than the line on standard error, which the file size limit also holds.
    const QByteArray before =
        "; " + QByteArray(1000, 'x') + "\r\n[Server]\r\nCycyh=\r\nCyczl=1\r\n";
    const WriteBackFailure cases[] = {
        {"full disk at the write", FullDisk::Step::Write, false, false, "No space left on device"},
        {"full disk at the flush", FullDisk::Step::Flush, false, false, "No space left on device"},
        {"full disk at the rename", FullDisk::Step::Rename, false, false,
         "No space left on device"},
        {"file size limit", {}, true, false, "too large"},
        {"read-only file", {}, false, true, "read-only"},
    };
    for (const WriteBackFailure& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::ProgramFolder own;
        own.WriteIni(before);
        FakeServices fakes(own.Path());
        FullDisk disk(c.fault.value_or(FullDisk::Step::Write));
        if (c.fault) fakes.services.files = &disk;
        shared::Module1 m(fakes.services);
        ModalDriver driver;
        driver.Then([](QWidget*) {
            Type(QStringLiteral("120712"));
            PressKey(Qt::Key_Return);
        });
        std::optional<testing_support::ReadOnly> readOnly;
        if (c.readOnlyFile) {
            readOnly.emplace(own.IniPath());
            if (!readOnly->Made()) continue;
        }
        bool runs = false;
        ::testing::internal::CaptureStderr();
        {
            std::optional<testing_support::FileSizeLimit> limit;
            if (c.fileSizeLimit) limit.emplace(before.size());
            runs = startup::GetIni(m);
        }
        const QString err = QString::fromStdString(::testing::internal::GetCapturedStderr());
        readOnly.reset();

        EXPECT_TRUE(runs);
        EXPECT_EQ(m.PaperCount, 12);
        EXPECT_TRUE(fakes.end.statuses.empty());
        EXPECT_EQ(own.ReadIni(), before) << "byte for byte";
        EXPECT_EQ(own.Names(), QStringList{QStringLiteral("dsyjdc.ini")});
        // The toolkit's own chatter aside, one line tells why.
        const QStringList told =
            err.split(u'\n').filter(QRegularExpression(QStringLiteral("^derravance: ")));
        ASSERT_EQ(told.size(), 1) << err.toStdString();
        EXPECT_TRUE(told[0].contains(own.IniPath()) &&
                    told[0].contains(QString::fromUtf8(c.reason)))
            << err.toStdString();
    }
}

TEST(ReportError, ShowsTheFixedMessageWithTheDefaultPointer) {
    testing_support::ProgramFolder folder;
    FakeServices fakes(folder.Path());
    shared::Module1 module(fakes.services);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return);
    const std::runtime_error failure("disk on fire");
    module.ReportError(&failure);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("操作有错！"));
    EXPECT_EQ(driver.Seen()[0].title, QStringLiteral("Kestrova"));
    EXPECT_EQ(driver.Seen()[0].icon, static_cast<int>(QMessageBox::Warning));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(ShutDown, OnlyModesOneAndTwoAskTheSystem) {
    testing_support::ProgramFolder folder;
    FakeServices fakes(folder.Path());
    shared::Module1 module(fakes.services);
    for (const qint32 mode : {0, 1, 2, 3, -1}) module.ShutDown(mode);
    EXPECT_EQ(fakes.shutdown.modes, (std::vector<int>{1, 2}));
}

}  // namespace
