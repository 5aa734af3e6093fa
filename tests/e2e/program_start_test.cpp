#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

#include "platform/db/connection.h"
#include "platform/ui/timer.h"
#include "startup/startup.h"
#include "support/build_dir.h"
#include "support/exam_db.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::Terminal;

// A display number with no X server behind it.
QString UnusedDisplay() {
    for (int n = 97; n < 200; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
            return QStringLiteral(":%1").arg(n);
        }
    }
    return QStringLiteral(":97");
}

// The built terminal, copied alone into a program folder of the test's own, ends at
// once: silently with status 2 on unusable settings, with status 1 and one line on
// standard error where it finds no display.
TEST(ProgramStart, EndsAtOnceWithItsStatus) {
    testing_support::ProgramFolder folder;
    QTemporaryDir runtime;
    const QString program = folder.File(QStringLiteral("derravance"));
    ASSERT_TRUE(
        QFile::copy(testing_support::BuildDir() + QStringLiteral("/src/derravance"), program));
    const struct {
        const char* count;  // nullptr: no settings file
        const char* variable;
        QString value;
        int status;
        const char* why;  // nullptr: nothing on standard error
    } rows[] = {
        {nullptr, "QT_QPA_PLATFORM", QStringLiteral("offscreen"), 2, nullptr},
        {"4", "QT_QPA_PLATFORM", QStringLiteral("offscreen"), 2, nullptr},
        {"5", nullptr, {}, 1, "DISPLAY is not set"},
        {"5", "DISPLAY", UnusedDisplay(), 1, "could not connect to display"},
        {"5", "QT_QPA_PLATFORM", QStringLiteral("nonexistent"), 1, "nonexistent"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.count ? row.count : "no settings") << ", "
                                        << (row.variable ? row.variable : "no display"));
        QFile::remove(folder.IniPath());
        if (row.count != nullptr)
            folder.WriteSettings(QString::fromLatin1(row.count), QStringLiteral("1"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        if (row.variable != nullptr) env.insert(QString::fromLatin1(row.variable), row.value);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder.Path());
        process.start(program, {});
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "it did not end by itself";
            continue;
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), row.status);
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        EXPECT_TRUE(out.isEmpty()) << out.constData();
        if (row.why == nullptr) {
            EXPECT_TRUE(err.isEmpty()) << err.constData();
            continue;
        }
        EXPECT_EQ(err.count('\n'), 1) << err.constData();
        EXPECT_TRUE(err.endsWith('\n')) << err.constData();
        EXPECT_TRUE(err.startsWith("derravance: no display to show the terminal on (") &&
                    err.contains(row.why))
            << err.constData();
    }
}

// Main's own path in process, every window modal and answered with keys: without a
// configured kind the operator chooses one, then Main shows the main form until the
// operator's code (the fake clock's "mmdd") closes it from the title screen.
TEST(ProgramStart, MainRunsFromTheKindChoiceToTheOperatorsCode) {
    Terminal t;
    t.folder.WriteSettings(QStringLiteral("5"), QStringLiteral("0"));
    t.module = std::make_unique<shared::Module1>(t.fakes.services);
    testing_support::ModalDriver driver;
    driver
        .ThenKey(Qt::Key_0)  // the first kind listed, "1"
        .Then([](QWidget* modal) {
            if (auto* main = qobject_cast<Frmftyaj*>(modal)) {
                for (int tick = 0; tick < 5; ++tick) main->Timer1->Fire();
            }
        })
        .ThenKey(Qt::Key_Escape)  // the offer refused
        .ThenKey(Qt::Key_Escape)  // on the title screen
        .Then([](QWidget*) {
            for (const char digit : {'1', '2', '0', '7'}) {
                testing_support::PressKey(Qt::Key_0 + (digit - '0'), Qt::NoModifier, 0,
                                          QString(QLatin1Char(digit)));
            }
            testing_support::PressKey(Qt::Key_Return);
        })
        // The seam of the program's end returns: the main form may be on top once more
        // before the end unloads it.
        .Then([](QWidget*) {});
    EXPECT_EQ(startup::Main(*t.module), shared::kExitNormal);
    EXPECT_EQ(driver.Unexpected(), 0);
    QStringList shown;
    for (const auto& seen : driver.Seen()) shown << seen.className;
    EXPECT_EQ(shown.mid(0, 5),
              QStringList({"Frmquit5", "Frmftyaj", "Frmquit2", "Frmftyaj", "Frmquit"}));
    EXPECT_EQ(t.module->PaperName, QStringLiteral("10001001")) << "the kind chosen is offered";
    EXPECT_EQ(t.fakes.end.statuses, std::vector<int>{shared::kExitNormal});
}

// What a run leaves: the bank in write-ahead-log mode, and its log and index beside it
// (the terminal ends without closing the file) unless a program that closed the file
// since has removed them.
void LeaveARun(const QString& folder, bool logs) {
    db::Connection conn;
    conn.Open(testing_support::ConnectionStringFor(folder));
    conn.Execute(QStringLiteral("DELETE FROM sjdj"));
    int keep = logs ? 1 : 0;
    sqlite3_file_control(conn.Handle(), "main", SQLITE_FCNTL_PERSIST_WAL, &keep);
}

// One terminal per program folder. While the built terminal runs there, a second start
// is refused before it reads anything: no operator prompt, the settings and the bank
// left as they are. Killed, the first leaves nothing behind that holds the folder.
TEST(ProgramStart, OneTerminalPerFolder) {
    Terminal t;
    LeaveARun(t.folder.Path(), false);
    QTemporaryDir runtime;
    const QString program = t.folder.File(QStringLiteral("derravance"));
    ASSERT_TRUE(
        QFile::copy(testing_support::BuildDir() + QStringLiteral("/src/derravance"), program));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted(30000)) << first.errorString().toStdString();
    // The log index appears once the first has opened the bank, after it took the lock.
    const QString index = t.Db() + QStringLiteral("-shm");
    const QDeadlineTimer deadline(60000);
    while (!QFile::exists(index) && !deadline.hasExpired() && !first.waitForFinished(20)) {
    }
    ASSERT_TRUE(QFile::exists(index)) << "the first terminal never opened the bank: "
                                      << first.readAllStandardError().toStdString();

    // Without a paper count the second start would ask for the operator code.
    t.folder.WriteIni("[Server]\r\nCyczl=1\r\n");
    const QByteArray ini = t.folder.ReadIni();
    const QByteArray bank = t.folder.Get(QStringLiteral("korva.mdb"));
    const auto seen = t.Modals({Qt::Key_Return}, [&] { EXPECT_FALSE(t.Start()); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].icon, static_cast<int>(QMessageBox::Critical));
    EXPECT_TRUE(seen[0].text.startsWith(
        QStringLiteral("此文件夹中已有一个考试终端在运行：%1。\n").arg(t.folder.Path())))
        << seen[0].text.toStdString();
    EXPECT_EQ(t.fakes.end.statuses, std::vector<int>{shared::kExitStartupFailure});
    EXPECT_EQ(t.folder.ReadIni(), ini);
    EXPECT_EQ(t.folder.Get(QStringLiteral("korva.mdb")), bank);
    EXPECT_FALSE(first.waitForFinished(0)) << "the first terminal ended";

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    t.folder.WriteSettings(QStringLiteral("5"), QStringLiteral("1"));
    t.fakes.end.statuses.clear();
    ASSERT_TRUE(t.Start());
    EXPECT_TRUE(t.ShowsTitle());
    EXPECT_TRUE(t.fakes.end.statuses.empty());
}

// A bank that cannot be opened, or that a hand-in could not write, ends the start with a
// message naming the file and what cannot be written, whatever a run has left beside it.
// The files stay as they were, and nothing ticks behind the message.
TEST(ProgramStart, ABankThatCannotBeOpenedOrWrittenEndsTheStart) {
    enum Left { kFresh, kAfterARun, kAfterARunWithLogs };
    const struct {
        const char* readOnly;  // nullptr: no bank at all; "": the folder
        Left left;
    } rows[] = {
        {nullptr, kFresh},
        {"korva.mdb", kFresh},
        {"korva.mdb", kAfterARun},
        {"korva.mdb", kAfterARunWithLogs},
        {"", kFresh},
        {"", kAfterARun},
        {"", kAfterARunWithLogs},
        {"korva.mdb-wal", kAfterARunWithLogs},
        {"korva.mdb-shm", kAfterARunWithLogs},
    };
    bool cannotMakeReadOnly = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << (row.readOnly ? row.readOnly : "no bank") << ", " << row.left);
        Terminal t;
        if (row.readOnly == nullptr) QFile::remove(t.Db());
        if (row.left != kFresh) LeaveARun(t.folder.Path(), row.left == kAfterARunWithLogs);
        const QStringList names = t.folder.Names();
        ASSERT_EQ(names.contains(QStringLiteral("korva.mdb-shm")), row.left == kAfterARunWithLogs);
        std::vector<QByteArray> before;
        for (const QString& name : names) before.push_back(t.folder.Get(name));
        const QString refused = row.readOnly == nullptr ? QString()
                                : *row.readOnly == 0
                                    ? t.folder.Path()
                                    : t.folder.File(QString::fromLatin1(row.readOnly));
        // Root writes through file modes: the guard then sets the immutable flag, and a
        // machine that cannot set it cannot run these cases at all.
        std::optional<testing_support::ReadOnly> readOnly;
        if (row.readOnly != nullptr && !readOnly.emplace(refused).Made()) {
            cannotMakeReadOnly = true;
            continue;
        }

        const auto seen = t.Modals({Qt::Key_Return}, [&] { t.Start(); });
        EXPECT_EQ(t.folder.Names(), names);
        for (qsizetype i = 0; i < names.size(); ++i) {
            EXPECT_EQ(t.folder.Get(names[i]), before[i]) << names[i].toStdString();
        }
        EXPECT_EQ(t.fakes.end.statuses, std::vector<int>{shared::kExitStartupFailure});
        EXPECT_EQ(seen.size(), 1u);
        if (seen.size() != 1u) continue;
        EXPECT_EQ(seen[0].icon, static_cast<int>(QMessageBox::Critical));
        const QString why = row.readOnly ? refused + QStringLiteral(" is not writable")
                                         : QStringLiteral("no such file");
        EXPECT_TRUE(
            seen[0].text.startsWith(QStringLiteral("无法打开题库文件 %1。\n").arg(t.Db())) &&
            seen[0].text.contains(why))
            << seen[0].text.toStdString();
        ASSERT_EQ(t.module->MainForm.get(), t.form);
        EXPECT_FALSE(t.form->Timer1->Enabled()) << "no offer behind the message";
        EXPECT_FALSE(t.form->Timer2->Enabled());
    }
    if (cannotMakeReadOnly) {
        GTEST_SKIP() << "this machine cannot make a file read-only for root (no immutable flag): "
                        "the read-only cases did not run";
    }
}

}  // namespace
