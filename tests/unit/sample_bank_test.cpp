// Reads the sample program folder that the build generates and checks that the terminal
// will find in it what it needs: kinds, complete papers, consistent answers and pictures.
#include <gtest/gtest.h>

#include "support/build_dir.h"
#include <sqlite3.h>

#include <QDir>
#include <QImage>
#include <QSettings>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

using Row = std::vector<std::optional<QString>>;

const QString kSingle = QStringLiteral("单选题");
const QString kMultiple = QStringLiteral("多选题");

QDir SampleFolder() {
    return QDir(testing_support::BuildDir() + QStringLiteral("/sample"));
}

QString PaperCode(const QString& kind, int number) {
    return (kind.size() == 1 ? kind + QLatin1Char('0') : kind) + QStringLiteral("001") +
           QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

class SampleBank : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray path = SampleFolder().filePath(QStringLiteral("korva.mdb")).toUtf8();
        ASSERT_EQ(sqlite3_open_v2(path.constData(), &db_, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK)
            << path.constData();
    }
    void TearDown() override { sqlite3_close(db_); }

    std::vector<Row> Query(const char* sql) {
        std::vector<Row> rows;
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr), SQLITE_OK)
            << sql << ": " << sqlite3_errmsg(db_);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            Row row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                if (sqlite3_column_type(stmt, i) == SQLITE_NULL) {
                    row.emplace_back();
                } else {
                    row.emplace_back(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, i))));
                }
            }
            rows.push_back(row);
        }
        sqlite3_finalize(stmt);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

TEST_F(SampleBank, HoldsTheThreeTables) {
    const std::map<QString, QStringList> columns = {
        {QStringLiteral("sjname"), {"sjbh", "sjmc", "lb", "kssj", "jgfs"}},
        {QStringLiteral("sj"),
         {"th", "tx", "km", "tm", "da1", "da2", "da3", "da4", "da5", "da6", "da", "bk", "fz",
          "sjmc", "pcxname"}},
        {QStringLiteral("sjdj"),
         {"id", "th", "tx", "km",   "tm",      "da1", "da2", "da3",  "da4", "da5", "da6",
          "da", "bk", "fz", "sjmc", "pcxname", "zh",  "bz",  "sjda", "df",  "xq"}},
    };
    for (const auto& [table, expected] : columns) {
        QStringList found;
        for (const Row& row : Query(("PRAGMA table_info(" + table.toStdString() + ")").c_str()))
            found << *row[1];
        EXPECT_EQ(found, expected) << table.toStdString();
    }
    EXPECT_TRUE(Query("SELECT * FROM sjdj").empty());
}

TEST_F(SampleBank, ListsTheKindsWithTheirLimits) {
    struct Kind {
        const char* sjbh;
        std::optional<int> kssj, jgfs;
    } expected[] = {
        {"1", 50, 90}, {"2", 50, 90}, {"3", 90, 90}, {"4", 50, 90},  {"5", 50, 90},  {"6", 50, 90},
        {"7", 50, {}}, {"8", 50, 90}, {"9", 50, 90}, {"91", 50, 90}, {"92", 50, 90}, {"93", {}, 90},
    };
    const auto rows =
        Query("SELECT sjbh, typeof(sjbh), sjmc, lb, kssj, jgfs FROM sjname ORDER BY sjbh");
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const Kind& kind = expected[i];
        SCOPED_TRACE(kind.sjbh);
        EXPECT_EQ(row[0], QString::fromLatin1(kind.sjbh));
        EXPECT_EQ(row[1], QStringLiteral("text"));
        ASSERT_TRUE(row[2] && row[3]);
        EXPECT_FALSE(row[2]->isEmpty());
        EXPECT_FALSE(row[3]->isEmpty());
        const auto number = [](const std::optional<int>& v) {
            return v ? std::optional<QString>(QString::number(*v)) : std::nullopt;
        };
        EXPECT_EQ(row[4], number(kind.kssj));
        EXPECT_EQ(row[5], number(kind.jgfs));
    }
}

TEST_F(SampleBank, GivesEveryKindButNinetyTwoFivePapersOfTenToTwentyQuestions) {
    std::map<QString, int> sizes;
    for (const Row& row : Query("SELECT sjmc, count(*) FROM sj GROUP BY sjmc"))
        sizes[*row[0]] = row[1]->toInt();

    std::set<QString> expectedCodes;
    for (const Row& kind : Query("SELECT sjbh FROM sjname")) {
        if (*kind[0] == QStringLiteral("92")) continue;
        for (int number = 1; number <= 5; ++number) {
            const QString code = PaperCode(*kind[0], number);
            expectedCodes.insert(code);
            ASSERT_TRUE(sizes.count(code)) << code.toStdString();
            EXPECT_GE(sizes[code], 10) << code.toStdString();
            EXPECT_LE(sizes[code], 20) << code.toStdString();
        }
    }
    std::set<QString> codes;
    for (const auto& entry : sizes) codes.insert(entry.first);
    EXPECT_EQ(codes, expectedCodes);
    EXPECT_EQ(PaperCode(QStringLiteral("1"), 3), QStringLiteral("10001003"));
    EXPECT_EQ(PaperCode(QStringLiteral("91"), 12), QStringLiteral("91001012"));
}

TEST_F(SampleBank, MakesEveryPaperWorthOneHundredPoints) {
    for (const Row& row : Query("SELECT sjmc, sum(fz), min(fz) FROM sj GROUP BY sjmc")) {
        EXPECT_EQ(row[1], QStringLiteral("100")) << row[0]->toStdString();
        EXPECT_GT(row[2]->toInt(), 0) << row[0]->toStdString();
    }
}

TEST_F(SampleBank, NumbersAndOrdersEachPaperUniquely) {
    const auto rows = Query(
        "SELECT sjmc, count(*), count(DISTINCT th), count(DISTINCT bk), min(th), max(th) "
        "FROM sj GROUP BY sjmc");
    ASSERT_FALSE(rows.empty());
    for (const Row& row : rows) {
        SCOPED_TRACE(row[0]->toStdString());
        EXPECT_EQ(row[2], row[1]);
        EXPECT_EQ(row[3], row[1]);
        EXPECT_EQ(row[4], QStringLiteral("1"));
        EXPECT_EQ(row[5], row[1]);
    }
    // Descending order keys show the questions by their numbers.
    const auto shown = Query("SELECT th FROM sj WHERE sjmc='10001001' ORDER BY bk DESC");
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i][0], QString::number(i + 1));
}

TEST_F(SampleBank, MarksTheRightAnswersAmongTheOptionsThatExist) {
    const auto rows = Query("SELECT tx, da, da1, da2, da3, da4, da5, da6, tm, km FROM sj");
    ASSERT_FALSE(rows.empty());
    for (const Row& row : rows) {
        ASSERT_TRUE(row[0] && row[1] && row[8] && row[9]);
        SCOPED_TRACE(row[8]->toStdString());
        const QString& tx = *row[0];
        const QString& da = *row[1];
        EXPECT_TRUE(tx == kSingle || tx == kMultiple);
        ASSERT_EQ(da.size(), 6);
        int options = 0;
        while (options < 6 && row[2 + options]) ++options;
        EXPECT_GE(options, 2);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(da[i] == QLatin1Char('0') || da[i] == QLatin1Char('1')) << i;
            EXPECT_EQ(row[2 + i].has_value(), i < options) << "option " << i + 1;
            if (da[i] == QLatin1Char('1')) {
                EXPECT_LT(i, options) << "answer " << i + 1;
            }
        }
        const auto chosen = da.count(QLatin1Char('1'));
        EXPECT_GE(chosen, tx == kSingle ? 1 : 2);
        EXPECT_LE(chosen, tx == kSingle ? 1 : 6);
    }
}

TEST_F(SampleBank, ShowsBothQuestionTypes) {
    std::set<QString> types;
    for (const Row& row : Query("SELECT DISTINCT tx FROM sj")) types.insert(*row[0]);
    EXPECT_EQ(types, (std::set<QString>{kSingle, kMultiple}));
}

TEST_F(SampleBank, DrawsFromAPoolOfAtLeastSixtyQuestionsOneInFiveWithAPicture) {
    const auto distinct = Query(
        "SELECT count(*), sum(pcxname IS NOT NULL) FROM (SELECT DISTINCT tm, da1, da2, da3, da4, "
        "da5, da6, pcxname FROM sj)");
    const double questions = distinct[0][0]->toDouble();
    EXPECT_GE(questions, 60);
    EXPECT_NEAR(distinct[0][1]->toDouble() / questions, 0.2, 0.05);

    const auto rows = Query("SELECT count(*), sum(pcxname IS NOT NULL) FROM sj");
    EXPECT_NEAR(rows[0][1]->toDouble() / rows[0][0]->toDouble(), 0.2, 0.1);
}

TEST_F(SampleBank, FindsEveryPictureByTheFirstFiveCharactersOfItsName) {
    const QDir pictures(SampleFolder().filePath(QStringLiteral("tp2")));
    bool longName = false, fits = false, tooWide = false, tooHigh = false;
    for (const Row& row : Query("SELECT DISTINCT pcxname FROM sj WHERE pcxname IS NOT NULL")) {
        const QString& name = *row[0];
        SCOPED_TRACE(name.toStdString());
        ASSERT_GE(name.trimmed().size(), 5);
        longName = longName || name.size() > 5;
        const QImage image(pictures.filePath(name.left(5) + QStringLiteral(".gif")));
        ASSERT_FALSE(image.isNull());
        fits = fits || (image.width() <= 250 && image.height() <= 200);
        tooWide = tooWide || image.width() > 289;
        tooHigh = tooHigh || image.height() > 300;
    }
    EXPECT_TRUE(longName);
    EXPECT_TRUE(fits);
    EXPECT_TRUE(tooWide);
    EXPECT_TRUE(tooHigh);
}

TEST_F(SampleBank, ComesWithSettingsForFivePapersOfKindOne) {
    const QSettings ini(SampleFolder().filePath(QStringLiteral("dsyjdc.ini")),
                        QSettings::IniFormat);
    EXPECT_EQ(ini.status(), QSettings::NoError);
    EXPECT_EQ(ini.value(QStringLiteral("Server/Cycyh")).toString(), QStringLiteral("5"));
    EXPECT_EQ(ini.value(QStringLiteral("Server/Cyczl")).toString(), QStringLiteral("1"));
}

}  // namespace
