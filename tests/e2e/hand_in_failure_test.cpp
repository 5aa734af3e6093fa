#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QMessageBox>
#include <optional>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::SeenModal;
using testing_support::Terminal;

constexpr auto kKeypad = Qt::KeypadModifier;
const QString kHeading = QStringLiteral("货运驾驶员从业资格 试卷");
const QString kFailure = QStringLiteral("操作有错！");

// Another program writing to the question bank: a connection of its own inside an
// immediate transaction, which holds the write lock until it is closed.
class WriteLock {
public:
    explicit WriteLock(const QString& path) {
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE,
                                  nullptr),
                  SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~WriteLock() { sqlite3_close_v2(db_); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    sqlite3* db_ = nullptr;
};

enum class Failure { WriteLock, RowsRefused };

// A failure of the database that lasts until it is put away.
class Trouble {
public:
    Trouble(const Terminal& t, Failure failure, const char* refusedWrite)
        : db_(t.Db()), failure_(failure) {
        if (failure_ == Failure::WriteLock) {
            lock_.emplace(db_);
        } else {
            testing_support::Exec(db_,
                                  QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON sjdj BEGIN "
                                                 "SELECT RAISE(ABORT, 'disk full'); END")
                                      .arg(QString::fromLatin1(refusedWrite)));
        }
    }
    void End() {
        if (failure_ == Failure::WriteLock) {
            lock_.reset();
        } else {
            testing_support::Exec(db_, QStringLiteral("DROP TRIGGER refuse"));
        }
    }

private:
    QString db_;
    Failure failure_;
    std::optional<WriteLock> lock_;
};

enum class Ending { EscAndOne, TimeOut, TimeOutBehindThePrompt };

// Ends the exam as told; the keys answer the modal windows that follow.
std::vector<SeenModal> EndExam(Terminal& t, Ending ending, std::initializer_list<int> keys) {
    if (t.form->Label1->Caption() == kProductTitle) {
        // Esc would open the operator's exit prompt, which these keys never close.
        ADD_FAILURE() << "no exam on screen to end";
        return {};
    }
    const auto timeOut = [&t] {
        t.fakes.clock.Advance(51 * 60 * 1000);
        t.form->Timer2->Fire();
    };
    ModalDriver driver;
    if (ending == Ending::EscAndOne) driver.ThenKey(Qt::Key_1);
    // The candidate leaves the end-exam prompt open; the time runs out.
    if (ending == Ending::TimeOutBehindThePrompt) driver.Then([&](QWidget*) { timeOut(); });
    for (int key : keys) driver.ThenKey(key);
    if (ending == Ending::TimeOut) {
        timeOut();
    } else {
        t.Key(Qt::Key_Escape);
    }
    EXPECT_TRUE(driver.Done());
    return driver.Seen();
}

std::string ResultOf(const std::vector<SeenModal>& seen) {
    for (const auto& modal : seen) {
        if (modal.text.startsWith(QStringLiteral("考生："))) return modal.text.toStdString();
    }
    return "no result";
}

std::string Text(const db::Value& value) {
    return value.IsNull() ? "Null" : value.ToText().toStdString();
}

void ExpectNoTransaction(const Terminal& t) {
    EXPECT_FALSE(t.module->Conn->InTransaction());
    EXPECT_EQ(sqlite3_get_autocommit(t.module->Conn->Handle()), 1);
}

// On the standard papers position p of the sheet holds question 11 - p: odd positions
// multiple choice, even ones single choice.
QString RightAnswerAt(int position) {
    return QString::fromLatin1(position % 2 == 1 ? testing_support::kMultipleAnswer
                                                 : testing_support::kSingleAnswer);
}

// A whole exam from the offer to the result, every answer right.
void RunWholeExam(Terminal& t) {
    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
    for (int position = 1; position <= 10; ++position) {
        if (position % 2 == 1) {
            t.Key(Qt::Key_1);
            t.Key(Qt::Key_3);
        } else {
            t.Key(Qt::Key_2);
        }
        t.Key(Qt::Key_Plus, kKeypad);
    }
    EXPECT_EQ(ResultOf(EndExam(t, Ending::EscAndOne, {Qt::Key_Return, Qt::Key_2})),
              "考生：驾驶员合计考100分， 合格！");
    EXPECT_EQ(t.form->Label1->Caption(), kProductTitle);
    EXPECT_EQ(Text(testing_support::Scalar(
                  t.Db(), QStringLiteral("SELECT count(*) FROM sjdj WHERE bz='1' AND df=10"))),
              "10");
    ExpectNoTransaction(t);
}

// A failed hand-in keeps the exam as it was, answers included; the next one stores
// every answer once.
TEST(HandInFailure, KeepsTheExamAndTheNextHandInStoresEveryAnswer) {
    const struct {
        Ending ending;
        Failure failure;
        int modalsSeen;  // up to the failure message
    } cases[] = {
        {Ending::EscAndOne, Failure::WriteLock, 2},
        {Ending::TimeOut, Failure::WriteLock, 1},
        {Ending::TimeOutBehindThePrompt, Failure::WriteLock, 2},
        // Refused after the answers went out in the batch.
        {Ending::EscAndOne, Failure::RowsRefused, 2},
        {Ending::TimeOut, Failure::RowsRefused, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ending " << static_cast<int>(c.ending) << ", failure "
                                        << static_cast<int>(c.failure));
        Terminal t;
        t.busyTimeoutMs = 20;
        ASSERT_TRUE(t.Start());
        t.TakeOffer();
        ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
        // Positions 1, 2 and 4 right and saved; back on 3, answered right on screen only.
        for (int key : {Qt::Key_1, Qt::Key_3, Qt::Key_F4, Qt::Key_2, Qt::Key_F4, Qt::Key_1,
                        Qt::Key_F4, Qt::Key_2, Qt::Key_F3, Qt::Key_3}) {
            t.Key(key);
        }
        ASSERT_EQ(t.form->Label11->Caption(), QStringLiteral("3"));
        ASSERT_EQ(t.Markers(), QStringLiteral("101000"));

        Trouble trouble(t, c.failure, "UPDATE OF bz");
        const auto failed = EndExam(t, c.ending, {Qt::Key_Return});
        ASSERT_EQ(static_cast<int>(failed.size()), c.modalsSeen);
        EXPECT_EQ(failed.back().text, kFailure);
        EXPECT_EQ(failed.back().icon, static_cast<int>(QMessageBox::Warning));
        EXPECT_EQ(t.form->Label1->Caption(), kHeading);
        EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("3"));
        EXPECT_EQ(t.Markers(), QStringLiteral("101000"));
        EXPECT_TRUE(t.form->Label8->Visible());
        EXPECT_FLOAT_EQ(t.form->Image2->Left(), 20000.0f);
        EXPECT_TRUE(t.form->Timer2->Enabled());
        EXPECT_FALSE(t.form->Timer1->Enabled());
        EXPECT_TRUE(t.form->ReviewState.isEmpty());
        EXPECT_EQ(t.module->SheetRs->ActiveConnection(), nullptr);
        ExpectNoTransaction(t);
        EXPECT_EQ(
            Text(testing_support::Scalar(
                t.Db(), QStringLiteral("SELECT count(*) FROM sjdj WHERE bz='0' AND sjda IS NULL"))),
            "10")
            << "nothing stored";

        trouble.End();
        const auto handedIn = EndExam(t, c.ending, {Qt::Key_Return, Qt::Key_2});
        EXPECT_EQ(ResultOf(handedIn), "考生：驾驶员合计考40分， 不合格！");
        EXPECT_EQ(t.form->Label1->Caption(), kProductTitle);
        EXPECT_TRUE(t.form->Timer1->Enabled());
        EXPECT_FALSE(t.form->Timer2->Enabled());
        ExpectNoTransaction(t);
        const auto rows = testing_support::Query(
            t.Db(), QStringLiteral("SELECT th, sjda, df, bz FROM sjdj ORDER BY id"));
        ASSERT_EQ(rows.size(), 10u);
        for (int position = 1; position <= 10; ++position) {
            const auto& row = rows[position - 1];
            EXPECT_EQ(row[0].ToDouble(), 11 - position);
            const bool answered = position <= 4;
            EXPECT_EQ(Text(row[1]), answered ? RightAnswerAt(position).toStdString() : "Null")
                << position;
            EXPECT_EQ(row[2].ToDouble(), answered ? 10.0 : 0.0) << position;
            EXPECT_EQ(Text(row[3]), "1") << position;
        }

        RunWholeExam(t);
    }
}

// A sheet that cannot be built leaves the previous one in the table and no
// transaction behind; after the end-exam prompt the terminal offers again.
TEST(SheetBuildFailure, LeavesThePreviousSheetAndTheNextExamRuns) {
    for (const Failure failure : {Failure::RowsRefused, Failure::WriteLock}) {
        SCOPED_TRACE(static_cast<int>(failure));
        Terminal t;
        t.busyTimeoutMs = 20;
        ASSERT_TRUE(t.Start());
        RunWholeExam(t);
        const auto before =
            testing_support::Query(t.Db(), QStringLiteral("SELECT * FROM sjdj ORDER BY id"));

        Trouble trouble(t, failure, "INSERT");
        {
            ModalDriver driver;
            driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_A).ThenKey(Qt::Key_Return);
            t.IdleTicks(5);
            ASSERT_TRUE(driver.Done());
            EXPECT_EQ(driver.Seen().back().text, kFailure);
        }
        EXPECT_EQ(t.form->PaperState, QStringLiteral("000"));
        EXPECT_EQ(t.form->Label1->Caption(), kHeading);
        EXPECT_FALSE(t.form->Timer1->Enabled());
        EXPECT_FALSE(t.form->Timer2->Enabled());
        ExpectNoTransaction(t);
        EXPECT_EQ(testing_support::Query(t.Db(), QStringLiteral("SELECT * FROM sjdj ORDER BY id")),
                  before);

        // No sheet of this paper to hand in: reported, and the title comes back.
        trouble.End();
        const auto ended = EndExam(t, Ending::EscAndOne, {Qt::Key_Return});
        ASSERT_EQ(ended.size(), 2u);
        EXPECT_EQ(ended.back().text, kFailure);
        EXPECT_EQ(t.form->Label1->Caption(), kProductTitle);
        EXPECT_TRUE(t.form->Timer1->Enabled());
        ExpectNoTransaction(t);
        EXPECT_EQ(testing_support::Query(t.Db(), QStringLiteral("SELECT * FROM sjdj ORDER BY id")),
                  before);

        RunWholeExam(t);
    }
}

}  // namespace
