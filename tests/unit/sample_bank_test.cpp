// Reads the sample program folder that the build generates and checks that the terminal
// will find in it what it needs: settings, kinds, complete papers, consistent answers and
// pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <set>

#include "platform/profile.h"
#include "support/build_dir.h"
#include "support/exam_db.h"

namespace {

using testing_support::Row;

const QDir kSample(testing_support::BuildDir() + QStringLiteral("/sample"));

std::vector<Row> Sample(const QString& sql) {
    return testing_support::Query(kSample.filePath(QStringLiteral("korva.mdb")), sql);
}

// Settings for five papers of kind 1, an empty answer table, and the kinds as text with
// the limits of each.
TEST(SampleBank, HoldsSettingsKindsAndNoSheet) {
    for (const auto& [key, value] : {std::pair("Cycyh", "5"), std::pair("Cyczl", "1")}) {
        EXPECT_EQ(platform::ReadProfileString("Server", key, {}, 1024,
                                              kSample.filePath(QStringLiteral("dsyjdc.ini"))),
                  QString::fromUtf8(value));
    }
    EXPECT_TRUE(Sample("SELECT * FROM sjdj").empty());
    const db::Value none;
    const struct {
        const char* sjbh;
        db::Value kssj, jgfs;
    } kinds[] = {
        {"1", 50, 90}, {"2", 50, 90},  {"3", 90, 90},   {"4", 50, 90},  {"5", 50, 90},  {"6", 50, 90},
        {"7", 50, none}, {"8", 50, 90}, {"9", 50, 90}, {"91", 50, 90}, {"92", 50, 90}, {"93", none, 90},
    };
    std::vector<Row> expected;
    for (const auto& k : kinds) expected.push_back({k.sjbh, "text", k.kssj, k.jgfs, 1, 1});
    EXPECT_EQ(Sample("SELECT sjbh, typeof(sjbh), kssj, jgfs, length(sjmc) > 0, length(lb) > 0 "
                     "FROM sjname ORDER BY sjbh"),
              expected);
}

// Five papers of every kind but 92, each of 10 to 20 questions numbered 1 to n, worth 100
// points, every question some; a higher order key for a lower number, so that the sheet
// shows them by their numbers.
TEST(SampleBank, GivesEveryKindButNinetyTwoFiveCompletePapers) {
    std::vector<Row> expected;
    for (const Row& kind : Sample("SELECT sjbh FROM sjname WHERE sjbh <> '92'")) {
        const QString k = kind[0].ToText();
        for (int number = 1; number <= 5; ++number) {
            expected.push_back({(k.size() == 1 ? k + '0' : k) + "00100" + QString::number(number),
                                1, 100, 1, 1, 1});
        }
    }
    std::sort(expected.begin(), expected.end(),
              [](const Row& a, const Row& b) { return a[0].ToText() < b[0].ToText(); });
    EXPECT_EQ(Sample("SELECT sjmc, count(*) BETWEEN 10 AND 20, sum(fz), min(fz) > 0, min(th), "
                     "max(th) = count(*) AND count(DISTINCT th) = count(*) FROM sj GROUP BY sjmc "
                     "ORDER BY sjmc"),
              expected);
    EXPECT_TRUE(Sample("SELECT * FROM sj a JOIN sj b ON a.sjmc = b.sjmc AND a.th < b.th AND "
                       "a.bk <= b.bk").empty());
}

// Options without gaps, at least two; the right answer marks one of them for a
// single-choice question, two or more for a multiple-choice one.
TEST(SampleBank, MarksTheRightAnswersAmongTheOptionsThatExist) {
    const QString single = QStringLiteral("单选题"), multiple = QStringLiteral("多选题");
    std::set<QString> types;
    const auto rows = Sample("SELECT tx, da, tm, km, da1, da2, da3, da4, da5, da6 FROM sj");
    ASSERT_FALSE(rows.empty());
    for (const Row& row : rows) {
        SCOPED_TRACE(row[2].ToText().toStdString());
        ASSERT_FALSE(row[3].IsNull());
        const QString tx = row[0].ToText(), da = row[1].ToText();
        types.insert(tx);
        ASSERT_EQ(da.size(), 6);
        int options = 0;
        while (options < 6 && !row[4 + options].IsNull()) ++options;
        EXPECT_GE(options, 2);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(row[4 + i].IsNull(), i >= options) << "no gaps among the options";
            EXPECT_TRUE(da[i] == u'0' || (da[i] == u'1' && i < options)) << da.toStdString();
        }
        const auto chosen = da.count(u'1');
        EXPECT_TRUE(tx == single ? chosen == 1 : chosen >= 2) << tx.toStdString();
    }
    EXPECT_EQ(types, (std::set<QString>{single, multiple}));
}

// Each picture is found by the first five characters of its name.
TEST(SampleBank, HasEveryPictureItsQuestionsName) {
    const QDir pictures(kSample.filePath(QStringLiteral("tp2")));
    const auto names = Sample("SELECT DISTINCT pcxname FROM sj WHERE pcxname IS NOT NULL");
    EXPECT_FALSE(names.empty());
    for (const Row& row : names) {
        const QString name = row[0].ToText();
        EXPECT_FALSE(QImage(pictures.filePath(name.left(5) + QStringLiteral(".gif"))).isNull())
            << name.toStdString();
    }
}

}  // namespace
