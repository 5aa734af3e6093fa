#include "shared/statements.h"

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "shared/recordsets.h"
#include "support/exam_db.h"

namespace {

using testing_support::Query;
using testing_support::Row;

const QString kPaper = QStringLiteral("1001001");
const QString kOther = QStringLiteral("1001002");
const QString kAdmission = QStringLiteral("123456");

TEST(Statements, TextsAsTheTerminalRunsThem) {
    const QString p = kPaper;
    const QString z = kAdmission;
    const struct {
        QString text;
        const char* expected;
    } cases[] = {
        {statements::S1(), "SELECT * From sjname order by sjbh"},
        {statements::S2(QStringLiteral("3")), "SELECT * From sjname where sjbh='3'"},
        {statements::S3(p), "SELECT * FROM sj where sjmc='1001001'"},
        {statements::S4(p), "SELECT * FROM sj where sjmc='1001001'"},
        {statements::S5(z), "DELETE * From sjdj where zh='123456'"},
        {statements::S6(p, z),
         "INSERT INTO sjdj (th, tx, km, tm, da1,da2,da3,da4,da5,da6,da,bk,fz,sjmc,zh,bz,pcxname ) "
         "SELECT th, tx, km, tm, da1,da2,da3,da4,da5,da6,da,bk,fz,sjmc,'123456','0',pcxname "
         "FROM sj where sjmc='1001001' ORDER BY BK DESC"},
        {statements::S7(p, z),
         "SELECT * From sjdj where sjmc='1001001' and zh='123456' and bz='0'order by ID"},
        {statements::S8(QStringLiteral("91")), "SELECT * From sjname where sjbh='91'"},
        {statements::S9(p, z),
         "SELECT sum(df)  From sjdj where sjmc='1001001' and zh='123456' and bz='0'"},
        {statements::S10(p, z),
         "update sjdj set bz='1' where sjmc='1001001' and zh='123456' and bz='0'"},
        {statements::S11(p, z),
         "SELECT * From sjdj where sjmc='1001001' and zh='123456' and df=0 order by ID"},
        // A quote in a pasted value is doubled, so it can never end the literal.
        {statements::S3(QStringLiteral("a'b")), "SELECT * FROM sj where sjmc='a''b'"},
        {statements::S10(QStringLiteral("'"), QStringLiteral("''")),
         "update sjdj set bz='1' where sjmc='''' and zh='''''' and bz='0'"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
}

class StatementsOnTheBank : public ::testing::Test {
protected:
    void SetUp() override { shared::OpenConnection(conn, folder.ConnectionString()); }

    db::Recordset& Open(const QString& statement) {
        shared::OpenRecordset(rs, conn, statement, db::adLockOptimistic, false);
        return rs;
    }

    // The given column of every row of the statement, in its order.
    std::vector<db::Value> Column(const QString& statement, const char* name) {
        std::vector<db::Value> values;
        for (Open(statement); !rs.Eof(); rs.MoveNext()) values.push_back(rs.Field(name));
        return values;
    }

    std::vector<Row> Table(const QString& sql) const { return Query(folder.DbPath(), sql); }
    void Exec(const QString& sql) const { testing_support::Exec(folder.DbPath(), sql); }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset rs;
};

// One sheet from the count of its paper to the review, beside the sheets of another
// paper and of other candidates that no statement may touch.
TEST_F(StatementsOnTheBank, ASheetFromItsPaperToItsReview) {
    // Order keys out of question order: th 1..10 get bk 3 6 9 1 4 7 10 2 5 8.
    testing_support::AddPaper(folder.DbPath(), kPaper, 10, [](int i, testing_support::Question& q) {
        q.bk = (i * 3) % 11;
        q.fz = i;
        if (i % 3 == 0) q.pcxname = QStringLiteral("K%1").arg(i);
    });
    // Ties: the copy keeps the order in which the database returns them.
    testing_support::AddPaper(folder.DbPath(), kOther, 60,
                              [](int i, testing_support::Question& q) { q.bk = i > 50 ? 2 : 1; });
    EXPECT_EQ(Open(statements::S3(kPaper)).RecordCount(), 10);
    EXPECT_EQ(Open(statements::S4(kOther)).RecordCount(), 60);
    EXPECT_EQ(Open(statements::S4(QStringLiteral("1001003"))).RecordCount(), 0);

    // The last exam's sheets of this number go, handed in or not; near numbers stay.
    Exec("INSERT INTO sjdj (tx, sjmc, zh, bz) VALUES ('t', 'A', '123456', '0'),"
         "('t', 'B', '123456', '1'), ('t', 'A', '1234567', '0'), ('t', 'A', '12345', '1')");
    conn.Execute(statements::S5(kAdmission));
    EXPECT_EQ(Table("SELECT zh FROM sjdj ORDER BY id"), (std::vector<Row>{{"1234567"}, {"12345"}}));

    conn.Execute(statements::S6(kOther, kAdmission));
    conn.Execute(statements::S6(kPaper, kAdmission));
    conn.Execute(statements::S6(kPaper, QStringLiteral("999")));
    const QString columns = "th, tx, km, tm, da1, da2, da3, da4, da5, da6, da, bk, fz, sjmc, pcxname";
    EXPECT_EQ(Table("SELECT " + columns + " FROM sjdj WHERE zh='123456' AND sjmc='" + kPaper +
                    "' ORDER BY id"),
              Table("SELECT " + columns + " FROM sj WHERE sjmc='" + kPaper + "' ORDER BY bk DESC"))
        << "a copy of the paper, highest order key first";
    EXPECT_EQ(Table("SELECT DISTINCT zh, bz, sjda, df, xq FROM sjdj WHERE sjmc='" + kPaper +
                    "' AND zh='123456'"),
              (std::vector<Row>{{kAdmission, "0", {}, 0, 0}}));
    std::vector<db::Value> tied;
    for (int i = 51; i <= 60; ++i) tied.emplace_back(i);
    for (int i = 1; i <= 50; ++i) tied.emplace_back(i);
    EXPECT_EQ(Column(statements::S7(kOther, kAdmission), "th"), tied);
    const auto ids = Column(statements::S7(kPaper, kAdmission), "ID");
    ASSERT_EQ(ids.size(), 10u) << "this paper and this candidate only";
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i].ToDouble(), ids[0].ToDouble() + double(i)) << "consecutive, in order";
    }

    // Questions 2, 5 and 9 scored their points.
    Exec("UPDATE sjdj SET df=fz WHERE th IN (2, 5, 9)");
    EXPECT_EQ(Open(statements::S9(kPaper, kAdmission)).Field(0), db::Value(16));
    EXPECT_TRUE(Open(statements::S9(kPaper, QStringLiteral("9"))).Field(0).IsNull());
    conn.Execute(statements::S10(kPaper, kAdmission));
    EXPECT_EQ(Table("SELECT sjmc, zh, count(*) FROM sjdj WHERE bz='1' GROUP BY sjmc, zh ORDER BY zh"),
              (std::vector<Row>{{"A", "12345", 1}, {kPaper, kAdmission, 10}}));
    EXPECT_EQ(Table("SELECT count(*) FROM sjdj WHERE bz='0'"), (std::vector<Row>{{1 + 60 + 10}}));
    EXPECT_EQ(Open(statements::S7(kPaper, kAdmission)).RecordCount(), 0);
    EXPECT_TRUE(Open(statements::S9(kPaper, kAdmission)).Field(0).IsNull());
    EXPECT_EQ(Column(statements::S11(kPaper, kAdmission), "th"),
              (std::vector<db::Value>{7, 3, 10, 6, 1, 8, 4}))
        << "the handed-in questions without points, in sheet order";
}

TEST_F(StatementsOnTheBank, KindNumbersAreText) {
    testing_support::AddKind(folder.DbPath(), "1", "一", "甲", 45, 80);
    testing_support::AddKind(folder.DbPath(), "01", "零一", "乙");
    testing_support::AddKind(folder.DbPath(), "91", "九一", "丙");
    EXPECT_EQ(Column(statements::S1(), "SJBH"), (std::vector<db::Value>{"01", "1", "91"}));
    EXPECT_EQ(Column(statements::S2(QStringLiteral("1")), "lb"), std::vector<db::Value>{"甲"});
    EXPECT_EQ(Column(statements::S8(QStringLiteral("01")), "lb"), std::vector<db::Value>{"乙"});
    EXPECT_EQ(Open(statements::S8(QStringLiteral("001"))).RecordCount(), 0);
}

TEST_F(StatementsOnTheBank, AValueWithQuotesSelectsNothingAndChangesNothing) {
    testing_support::AddKind(folder.DbPath(), "1", "一", "甲");
    testing_support::AddPaper(folder.DbPath(), kPaper, 10);
    conn.Execute(statements::S6(kPaper, kAdmission));
    const auto before = Table("SELECT * FROM sjdj, (SELECT count(*) FROM sj) ORDER BY id");
    for (const QString bad : {"1' OR '1'='1", "x'; DROP TABLE sj; --", "'"}) {
        SCOPED_TRACE(bad.toStdString());
        for (const QString& select : {statements::S2(bad), statements::S3(bad), statements::S8(bad),
                                      statements::S7(bad, bad), statements::S11(kPaper, bad)}) {
            EXPECT_EQ(Open(select).RecordCount(), 0) << select.toStdString();
        }
        conn.Execute(statements::S5(bad));
        conn.Execute(statements::S10(kPaper, bad));
        conn.Execute(statements::S10(bad, kAdmission));
        EXPECT_EQ(Table("SELECT * FROM sjdj, (SELECT count(*) FROM sj) ORDER BY id"), before);
    }

    // As a value it is stored as it stands.
    const QString bad = QStringLiteral("1' OR '1'='1");
    conn.Execute(statements::S6(kPaper, bad));
    EXPECT_EQ(Open(statements::S7(kPaper, bad)).RecordCount(), 10);
    EXPECT_EQ(rs.Field(QStringLiteral("zh")), db::Value(bad));
    conn.Execute(statements::S5(bad));
    EXPECT_EQ(Table("SELECT * FROM sjdj, (SELECT count(*) FROM sj) ORDER BY id"), before);
}

}  // namespace
