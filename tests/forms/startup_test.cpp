#include "startup/startup.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

#include "platform/ui/form.h"
#include "shared/module1.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::FakeServices;
using testing_support::FullDisk;
using testing_support::ModalDriver;
using testing_support::PressKey;
using testing_support::ProgramFolder;

// The fakes' day gives the operator code "1207".
void TypeAndEnter(const QString& text) {
    for (const QChar c : text) PressKey(c.unicode(), Qt::NoModifier, 0, QString(c));
    PressKey(Qt::Key_Return);
}

// One start: a program folder, the seams on fakes, the module on them.
struct Start {
    ProgramFolder folder;
    FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
    ModalDriver driver;  // fails the test on any window it does not expect

    QStringList Shown() const {
        QStringList classes;
        for (const auto& seen : driver.Seen()) classes << seen.className;
        return classes;
    }
};

const std::vector<int> kRan{}, kEndedBySettings{shared::kExitSettings};

// Cycyh gives the count (the number at its start, rounded half to even): 5 or more runs,
// 1 to 4 or below 0 ends the program silently, 0 or no number asks the operator, who is
// refused here. Cyczl is taken as written. Neither touches the file.
TEST(GetIni, TheSettingsDecideWhetherTheProgramRuns) {
    enum Then { kRuns, kEnds, kAsks };
    const struct {
        QByteArray ini;
        Then then;
        qint32 count = 0;
        const char* kind = "";
    } cases[] = {
        {"[Server]\r\nCycyh=5\r\nCyczl=3\r\n", kRuns, 5, "3"},
        {"[Server]\nCycyh=12abc\n", kRuns, 12, ""},
        {"[Server]\nCycyh=7.5\nCyczl=0\n", kRuns, 8, "0"},
        {"[Server]\nCycyh=6.5\n", kRuns, 6, ""},
        {"[server]\nCYCYH= 9 \ncyczl= 91 \n", kRuns, 9, "91"},
        {"[Server]\nCycyh=5\nCyczl=1' OR '1'='1\n", kRuns, 5, "1' OR '1'='1"},
        {"[Server]\nCycyh=4\n", kEnds},
        {"[Server]\nCycyh=-3\n", kEnds},
        {"[Server]\nCycyh=4.4\n", kEnds},
        {"[Server]\nCycyh=1\n", kEnds},
        {"[Server]\nCycyh=abc\nCyczl=1\n", kAsks},
        {"[Server]\nCycyh=\nCyczl=1\n", kAsks},
        {"[Server]\nCycyh=0\n", kAsks},
        {"[Server]\nCycyh=9999999999\n", kAsks},
        {"[Other]\nCycyh=5\n", kAsks},
        {"", kAsks},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini.constData());
        Start s;
        s.folder.WriteIni(c.ini);
        if (c.then == kAsks) s.driver.ThenKey(Qt::Key_Escape);
        EXPECT_EQ(startup::GetIni(s.module), c.then == kRuns);
        EXPECT_EQ(s.Shown(), c.then == kAsks ? QStringList{"Frmquit"} : QStringList{});
        EXPECT_EQ(s.fakes.end.statuses, c.then == kRuns ? kRan : kEndedBySettings);
        EXPECT_EQ(s.folder.ReadIni(), c.ini);
        if (c.then != kRuns) continue;
        EXPECT_EQ(s.module.PaperCount, c.count);
        EXPECT_EQ(s.module.PaperKind, QString::fromUtf8(c.kind));
        EXPECT_EQ(s.module.ExamMinutes, 50);
        EXPECT_EQ(s.module.AppFolder, s.folder.Path());
    }
}

// Without a count the operator is asked. What is typed after the code goes back into the
// file found, as typed (the exact name first, else one of another case; a hidden file is
// not found), and the run uses its count; a write-back that fails leaves the file byte for
// byte, says why in one line on standard error, and the run goes on. A wrong code, or no
// count of at least one paper, ends the program and leaves the file as it was.
TEST(GetIni, TheOperatorSuppliesTheCount) {
    // Longer than the line on standard error, which the file size limit also holds.
    const QByteArray before = "; " + QByteArray(1000, 'x') + "\r\n[Server]\r\nCyczl=1\r\n";
    const QStringList plain{"dsyjdc.ini"};
    enum Failure { kNone, kWrite, kFlush, kRename, kFileSizeLimit, kReadOnlyFile };
    const FullDisk::Step step[] = {FullDisk::Step::Write, FullDisk::Step::Write,
                                   FullDisk::Step::Flush, FullDisk::Step::Rename};
    const QString reason[] = {{},          FullDisk::kReason, FullDisk::kReason, FullDisk::kReason,
                              "too large", "read-only"};
    const struct {
        QStringList names;
        QString typed;  // null: no dialog, the program ends silently
        qint32 count;   // 0: the program ends
        int written;    // the index of the name written, -1: none
        Failure failure = kNone;
    } cases[] = {
        // clang-format off
        {plain, "120712", 12, 0},          {plain, "12074.4", 4, 0},
        {plain, "0000", 0, -1},            {plain, "1207", 0, -1},
        {plain, "12079999999999", 0, -1},  {plain, "12074", 0, -1},
        {{}, {}, 0, -1},                   {{".dsyjdc.ini"}, {}, 0, -1},
        {{"DSYJDC.INI"}, "120712", 12, 0}, {{"Dsyjdc.Ini"}, "120712", 12, 0},
        {{"DSYJDC.INI", "dsyjdc.ini"}, "120712", 12, 1},
        {{"Dsyjdc.ini", "DSYJDC.INI"}, "120712", 12, 1},
        {plain, "120712", 12, -1, kWrite},         {plain, "120712", 12, -1, kFlush},
        {plain, "120712", 12, -1, kRename},        {plain, "120712", 12, -1, kFileSizeLimit},
        {plain, "120712", 12, -1, kReadOnlyFile},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.join(u' ').toStdString() + " " + c.typed.toStdString() + " " +
                     std::to_string(c.failure));
        Start s;
        for (const QString& name : c.names) s.folder.Put(name, before);
        FullDisk disk(step[std::min<int>(c.failure, kRename)]);
        if (c.failure >= kWrite && c.failure <= kRename) s.fakes.services.files = &disk;
        if (!c.typed.isNull()) s.driver.Then([&](QWidget*) { TypeAndEnter(c.typed); });
        // Made after the folder, it gives the file back before the folder goes, also when
        // the test fails.
        std::optional<testing_support::ReadOnly> readOnly;
        if (c.failure == kReadOnlyFile && !readOnly.emplace(s.folder.IniPath()).Made()) continue;
        bool runs = false;
        ::testing::internal::CaptureStderr();
        {
            std::optional<testing_support::FileSizeLimit> limit;
            if (c.failure == kFileSizeLimit) limit.emplace(before.size());
            runs = startup::GetIni(s.module);
        }
        const QString err = QString::fromStdString(::testing::internal::GetCapturedStderr());
        EXPECT_EQ(runs, c.count > 0);
        EXPECT_TRUE(s.driver.Done());
        EXPECT_EQ(s.fakes.end.statuses, c.count > 0 ? kRan : kEndedBySettings);
        if (c.count > 0) {
            EXPECT_EQ(s.module.PaperCount, c.count);
        }
        const QByteArray written = before + "Cycyh=" + c.typed.mid(4).toUtf8() + "\r\n";
        for (int i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(s.folder.Get(c.names[i]), i == c.written ? written : before) << i;
        }
        EXPECT_EQ(s.folder.Names().size(), c.names.size());
        // The toolkit's own chatter aside, one line tells why the file was left alone.
        const QStringList told =
            err.split(u'\n').filter(QRegularExpression(QStringLiteral("^derravance: ")));
        EXPECT_EQ(told.size(), c.failure == kNone ? 0 : 1) << err.toStdString();
        if (c.failure == kNone || told.size() != 1) continue;
        EXPECT_TRUE(told[0].contains(s.folder.IniPath()) && told[0].contains(reason[c.failure]))
            << err.toStdString();
    }
}

// The selection comes up only when the settings give no kind ("0" or empty); the kind it
// selects is the run's alone, and it stays loaded, hidden. A database it cannot read
// ends the start with a message naming the file.
TEST(PaperKindAtStart, ChosenOnlyWithoutAKind) {
    enum Database { kGood, kMissing, kNoDatabase, kNoKinds };
    const QString selection = QStringLiteral("Frmquit5"), message = QStringLiteral("QMessageBox");
    const struct {
        const char* kind;
        Database database;
        QString shown;
    } cases[] = {
        {"0", kGood, selection},     {"", kGood, selection},   {"3", kGood, {}},
        {"00", kGood, {}},           {"91", kGood, {}},        {"0", kMissing, message},
        {"0", kNoDatabase, message}, {"0", kNoKinds, message},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.database));
        Start s;
        const QString database = s.folder.DatabasePath();
        s.folder.WriteSettings("5", c.kind);
        const QByteArray before = s.folder.ReadIni();
        if (c.database == kNoDatabase) s.folder.Put("korva.mdb", QByteArray(4096, 'x'));
        if (c.database == kGood || c.database == kNoKinds) {
            testing_support::CreateSchema(database);
            testing_support::AddKind(database, "93", "93", "93");
        }
        if (c.database == kNoKinds) testing_support::Exec(database, "DROP TABLE sjname");
        if (!c.shown.isEmpty()) s.driver.ThenKey(c.shown == selection ? Qt::Key_9 : Qt::Key_Return);
        const bool fails = c.shown == message;
        EXPECT_EQ(startup::PrepareRun(s.module), !fails);
        EXPECT_EQ(s.Shown(), c.shown.isEmpty() ? QStringList{} : QStringList{c.shown});
        EXPECT_EQ(s.module.PaperKind, c.shown == selection ? "93" : c.kind);
        const ui::Form* chosen = s.module.PaperKindForm.get();
        EXPECT_EQ(chosen && chosen->IsLoaded() && !chosen->isVisible(), c.shown == selection);
        EXPECT_EQ(s.folder.ReadIni(), before);
        EXPECT_EQ(s.fakes.end.statuses,
                  fails ? std::vector<int>{shared::kExitStartupFailure} : kRan);
        if (!fails || s.driver.Seen().empty()) continue;
        EXPECT_TRUE(s.driver.Seen()[0].text.startsWith(
            QStringLiteral("无法从题库文件 %1 读取考试种类。\n").arg(database)))
            << s.driver.Seen()[0].text.toStdString();
        EXPECT_EQ(s.driver.Seen()[0].icon, static_cast<int>(QMessageBox::Critical));
    }
}

}  // namespace
