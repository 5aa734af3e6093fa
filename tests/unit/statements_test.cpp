#include "shared/statements.h"

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "shared/recordsets.h"
#include "support/exam_db.h"

namespace {

using testing_support::Row;

// A kind from the settings file may hold a quote, and the paper's name with it.
const QString kPaper = QStringLiteral("1'0001001");
const QString kOther = QStringLiteral("1001002");
const QString kAdmission = QStringLiteral("123456");

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

    std::vector<Row> Table(const QString& sql) const {
        return testing_support::Query(folder.DbPath(), sql);
    }

    testing_support::ExamFolder folder;
    db::Connection conn;
    db::Recordset rs;
};

// One sheet from the count of its paper to the review, beside the sheets of another
// paper and of other candidates that no statement may touch.
TEST_F(StatementsOnTheBank, ASheetFromItsPaperToItsReview) {
    testing_support::AddPaper(folder.DbPath(), kPaper, 10,
                              [](int i, testing_support::Question& q) { q.fz = i; });
    testing_support::AddPaper(folder.DbPath(), kOther, 10);
    EXPECT_EQ(Open(statements::S3(kPaper)).RecordCount(), 10);
    EXPECT_EQ(Open(statements::S4(kOther)).RecordCount(), 10);

    // The last exam's sheets of this number go, handed in or not; near numbers stay.
    testing_support::Exec(folder.DbPath(),
                          "INSERT INTO sjdj (tx, sjmc, zh, bz) VALUES ('t', 'A', '123456', '0'),"
                          "('t', 'B', '123456', '1'), ('t', 'A', '1234567', '0'), "
                          "('t', 'A', '12345', '1')");
    conn.Execute(statements::S5(kAdmission));
    EXPECT_EQ(Table("SELECT zh FROM sjdj ORDER BY id"), (std::vector<Row>{{"1234567"}, {"12345"}}));

    conn.Execute(statements::S6(kOther, kAdmission));
    conn.Execute(statements::S6(kPaper, kAdmission));
    conn.Execute(statements::S6(kPaper, QStringLiteral("999")));
    EXPECT_EQ(Open(statements::S7(kPaper, kAdmission)).RecordCount(), 10);

    // Questions 2, 5 and 9 scored their points.
    testing_support::Exec(folder.DbPath(), "UPDATE sjdj SET df=fz WHERE th IN (2, 5, 9)");
    EXPECT_EQ(Open(statements::S9(kPaper, kAdmission)).Field(0), db::Value(16));
    conn.Execute(statements::S10(kPaper, kAdmission));
    EXPECT_EQ(Table("SELECT sjmc, zh, count(*) FROM sjdj WHERE bz='1' GROUP BY sjmc, zh ORDER BY zh"),
              (std::vector<Row>{{"A", "12345", 1}, {kPaper, kAdmission, 10}}));
    EXPECT_EQ(Open(statements::S7(kPaper, kAdmission)).RecordCount(), 0);
    EXPECT_EQ(Column(statements::S11(kPaper, kAdmission), "th"),
              (std::vector<db::Value>{10, 8, 7, 6, 4, 3, 1}))
        << "the handed-in questions without points, in sheet order";
}

// Kind numbers are text: "1" and "01" are two kinds, and a value with quotes selects
// only the kind written so.
TEST_F(StatementsOnTheBank, AKindIsFoundByItsExactText) {
    const QString quoted = QStringLiteral("1' OR '1'='1");
    for (const QString& kind : {QStringLiteral("1"), QStringLiteral("01"), quoted}) {
        testing_support::AddKind(folder.DbPath(), kind, kind, "lb " + kind);
    }
    const struct {
        QString kind;
        std::vector<db::Value> lb;
    } cases[] = {
        {"1", {"lb 1"}}, {"01", {"lb 01"}}, {"001", {}}, {quoted, {"lb " + quoted}}, {"'", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Column(statements::S2(c.kind), "lb"), c.lb) << c.kind.toStdString();
        EXPECT_EQ(Column(statements::S8(c.kind), "lb"), c.lb) << c.kind.toStdString();
    }
}

}  // namespace
