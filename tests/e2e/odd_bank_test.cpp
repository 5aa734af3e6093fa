#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QMessageBox>

#include "platform/db/connection.h"
#include "platform/ui/label.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::Terminal;

QString Pragma(sqlite3* handle, const char* pragma) {
    sqlite3_stmt* st = nullptr;
    QString value;
    if (sqlite3_prepare_v2(handle, pragma, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    return value;
}

QString Text(const char* hex) { return QString::fromUtf8(QByteArray::fromHex(hex)); }

// A bank converted from GBK that holds binary data in the copied columns, handed in while
// another program (an operator's query, a backup) reads the file: its texts are shown with
// replacement characters, its values stored byte for byte; the commit is on disk when it
// returns and the reader does not hold it up.
TEST(HandIn, FromAnOddBankBesideAReader) {
    const struct {
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
    const QString paper = QStringLiteral("10001003");  // drawn; its question 10 comes first
    Terminal t;
    for (const auto& c : cases) {
        testing_support::Exec(t.Db(), QStringLiteral("UPDATE sj SET %1 = %2 WHERE sjmc = '%3' AND "
                                                     "th IN (%4)")
                                          .arg(c.column, c.value, paper, c.questions));
    }
    t.fakes.random.values = {0.0f, 0.5f};
    ASSERT_TRUE(t.Start());
    const char* const pragmas[][2] = {
        {"PRAGMA journal_mode", "wal"}, {"PRAGMA synchronous", "2"}, {"PRAGMA busy_timeout", "10000"}};
    for (const auto& [pragma, value] : pragmas) {
        EXPECT_EQ(Pragma(t.module->Conn->Handle(), pragma), QString::fromUtf8(value)) << pragma;
    }
    t.TakeOffer();
    ASSERT_EQ(t.module->PaperName, paper);
    EXPECT_EQ(t.form->Label2->Caption(), "    " + Text("C7EBCECAD5FDC8B7B5C4"));
    EXPECT_TRUE(t.form->Label2->Caption().contains(QChar::ReplacementCharacter));
    EXPECT_EQ(t.form->Label6[2]->Caption(), Text("D5FDC8B7"));

    testing_support::HeldReader reader(t.Db());
    const QString handedIn = QStringLiteral("SELECT count(*) FROM sjdj WHERE bz = '1'");
    ASSERT_EQ(reader.Scalar(handedIn), db::Value(0));
    // Position p shows question 11 - p: odd positions multiple choice (right: 1 and 3),
    // even ones single choice (right: 2).
    for (int position = 1; position <= 10; ++position) {
        for (int key : position % 2 ? std::vector{Qt::Key_1, Qt::Key_3} : std::vector{Qt::Key_2}) {
            t.Key(key);
        }
        t.Key(Qt::Key_Plus, Qt::KeypadModifier);
    }
    testing_support::ModalDriver driver;
    driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_2);
    t.Key(Qt::Key_Escape);
    ASSERT_TRUE(driver.Done());
    ASSERT_EQ(driver.Seen().size(), 3u);
    EXPECT_EQ(driver.Seen()[1].icon, static_cast<int>(QMessageBox::Information));
    EXPECT_EQ(driver.Seen()[1].text, QStringLiteral("考生：驾驶员合计考100分， 合格！"));
    EXPECT_EQ(reader.Scalar(handedIn), db::Value(0)) << "the reader kept its view throughout";

    // Every answer stored, and every odd value in the sheet as it is in the bank.
    const QString sheet = QStringLiteral(
        "SELECT count(*) FROM sj JOIN sjdj ON sj.sjmc = sjdj.sjmc AND sj.th = sjdj.th WHERE ");
    EXPECT_EQ(testing_support::Scalar(t.Db(), sheet + "sjdj.bz = '1' AND sjdj.sjda = sj.da AND "
                                                      "sjdj.df = 10 AND sjdj.xq = 1"),
              db::Value(10));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.value);
        EXPECT_EQ(testing_support::Scalar(
                      t.Db(), sheet + QStringLiteral("sj.th IN (%4) AND sjdj.%1 IS sj.%1 AND "
                                                     "hex(sjdj.%1) = hex(%2) AND typeof(sjdj.%1) = '%3'")
                                          .arg(c.column, c.value, c.type, c.questions)),
                  db::Value(static_cast<int>(QString(c.questions).count(',')) + 1));
    }
}

}  // namespace
