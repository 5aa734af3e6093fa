#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QMessageBox>

#include "platform/db/connection.h"
#include "platform/ui/label.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

// The paper the scripted draw offers; its question 10 is shown first.
const QString kPaper = QStringLiteral("10001003");

// On the standard papers position p shows question 11 - p: odd positions are multiple
// choice (right: 1 and 3), even ones single choice (right: 2).
void AnswerAllRight(Terminal& t) {
    for (int position = 1; position <= 10; ++position) {
        if (position % 2 == 1) {
            t.Key(Qt::Key_1);
            t.Key(Qt::Key_3);
        } else {
            t.Key(Qt::Key_2);
        }
        t.Key(Qt::Key_Plus, Qt::KeypadModifier);
    }
}

// Ends the exam with Esc and 1, closes the result with Enter and declines the review;
// returns the result message, or the empty text when none came up.
QString HandIn(Terminal& t) {
    ModalDriver driver;
    driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_2);
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(driver.Done());
    for (const auto& seen : driver.Seen()) {
        if (seen.className == QStringLiteral("QMessageBox") &&
            seen.icon == static_cast<int>(QMessageBox::Information)) {
            return seen.text;
        }
    }
    return QString();
}

QString Text(const char* hex) {
    return QString::fromUtf8(QByteArray::fromHex(hex));
}

// A bank converted from GBK and one that holds binary data in the copied columns.
TEST(OddBank, ItsValuesAreHandedInByteForByte) {
    struct Case {
        const char* column;
        const char* value;      // SQL
        const char* questions;  // the th of the rows it is stored in
        const char* type;
    } cases[] = {
        {"tm", "CAST(X'C7EBCECAD5FDC8B7B5C4' AS TEXT)", "10", "text"},
        {"da2", "CAST(X'D5FDC8B7' AS TEXT)", "10", "text"},
        {"tm", "CAST(X'41FF42' AS TEXT)", "4", "text"},
        {"km", "X'41'", "1,2,3,4,5,6,7,8,10", "blob"},
        {"km", "X''", "9", "blob"},
        {"pcxname", "X'00FF'", "7", "blob"},
    };
    Terminal t;
    for (const auto& c : cases) {
        testing_support::Exec(
            t.Db(), QStringLiteral("UPDATE sj SET %1 = %2 WHERE sjmc = '%3' AND th IN (%4)")
                        .arg(c.column, c.value, kPaper, c.questions));
    }
    t.fakes.random.values = {0.0f, 0.5f};
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.module->PaperName, kPaper);

    // Shown with replacement characters for what is not UTF-8.
    EXPECT_EQ(t.form->Label2->Caption(), QStringLiteral("    ") + Text("C7EBCECAD5FDC8B7B5C4"));
    EXPECT_TRUE(t.form->Label2->Caption().contains(QChar::ReplacementCharacter));
    EXPECT_EQ(t.form->Label6[2]->Caption(), Text("D5FDC8B7"));

    AnswerAllRight(t);
    EXPECT_EQ(HandIn(t), QStringLiteral("考生：驾驶员合计考100分， 合格！"));

    // Every answer stored, and every odd value in the sheet as it is in the bank.
    const QString sheet = QStringLiteral(
        " FROM sj JOIN sjdj ON sj.sjmc = sjdj.sjmc AND sj.th = sjdj.th WHERE sj.th IN (%1)");
    EXPECT_EQ(testing_support::Scalar(t.Db(),
                                      QStringLiteral("SELECT count(*)") +
                                          sheet.arg(QStringLiteral("1,2,3,4,5,6,7,8,9,10")) +
                                          QStringLiteral(" AND sjdj.bz = '1' AND sjdj.sjda = sj.da"
                                                         " AND sjdj.df = 10 AND sjdj.xq = 1")),
              db::Value(10));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.value);
        const QString rows = sheet.arg(QString::fromUtf8(c.questions));
        EXPECT_EQ(testing_support::Scalar(t.Db(), QStringLiteral("SELECT count(*)") + rows),
                  db::Value(static_cast<int>(QString(c.questions).count(QLatin1Char(','))) + 1));
        EXPECT_EQ(testing_support::Scalar(
                      t.Db(), QStringLiteral("SELECT count(*)%1 AND (sjdj.%2 IS NOT sj.%2 OR "
                                             "hex(sjdj.%2) <> hex(%3) OR typeof(sjdj.%2) <> '%4')")
                                  .arg(rows, c.column, c.value, c.type)),
                  db::Value(0));
    }
}

QString Pragma(sqlite3* handle, const char* pragma) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(handle, pragma, -1, &st, nullptr) != SQLITE_OK) return {};
    QString value;
    if (sqlite3_step(st) == SQLITE_ROW) {
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return value;
}

// A commit that returns is on disk, and a program reading the file meanwhile (an
// operator's query, a backup) does not hold up the hand-in.
TEST(HandInConnection, IsDurableAndNoReaderHoldsItUp) {
    Terminal t;
    t.fakes.random.values = {0.0f, 0.5f};
    ASSERT_TRUE(t.Start());
    struct Case {
        const char* pragma;
        const char* value;
    } cases[] = {
        {"PRAGMA journal_mode", "wal"},
        {"PRAGMA synchronous", "2"},  // FULL
        {"PRAGMA busy_timeout", "10000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pragma(t.module->Conn->Handle(), c.pragma), QString::fromUtf8(c.value))
            << c.pragma;
    }

    t.TakeOffer();
    ASSERT_EQ(t.module->PaperName, kPaper);
    testing_support::HeldReader reader(t.Db());
    const QString handedIn = QStringLiteral("SELECT count(*) FROM sjdj WHERE bz = '1'");
    ASSERT_EQ(reader.Scalar(handedIn), db::Value(0));
    AnswerAllRight(t);
    EXPECT_EQ(HandIn(t), QStringLiteral("考生：驾驶员合计考100分， 合格！"));
    EXPECT_EQ(reader.Scalar(handedIn), db::Value(0)) << "the reader kept its view throughout";
    EXPECT_EQ(testing_support::Scalar(t.Db(), handedIn), db::Value(10));
}

}  // namespace
