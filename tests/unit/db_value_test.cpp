#include <gtest/gtest.h>

#include <optional>

#include "platform/db/error.h"
#include "platform/db/value.h"
#include "support/exam_db.h"

namespace {

const QByteArray kGbk = QByteArray::fromHex("C7EBCECA");  // not UTF-8
const QString kShownGbk(4, QChar::ReplacementCharacter);

TEST(DbValue, ShowsAndReadsEveryKindOfValue) {
    struct Case {
        db::Value value;
        std::optional<QString> text;   // none: cannot be shown
        std::optional<double> number;  // none: is no number
    } cases[] = {
        {db::Value(), std::nullopt, std::nullopt},
        {QString(), QString(), std::nullopt},
        {std::int64_t{42}, QStringLiteral("42"), 42.0},
        {-7, QStringLiteral("-7"), -7.0},
        {2.5, QStringLiteral("2.5"), 2.5},
        {3.0, QStringLiteral("3"), 3.0},
        {" 12 ", QStringLiteral(" 12 "), 12.0},
        {"12a", QStringLiteral("12a"), std::nullopt},
        {db::Value::FromTextBytes(kGbk), kShownGbk, std::nullopt},
        {db::Value::FromTextBytes("\x31\xFF"), QStringLiteral("1\uFFFD"), std::nullopt},
        {db::Value::FromBlob("A"), QStringLiteral("A"), std::nullopt},
        {db::Value::FromBlob("12"), QStringLiteral("12"), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.value));
        if (c.text) {
            EXPECT_EQ(c.value.ToText(), *c.text);
            EXPECT_EQ(c.value.ToTextOrEmpty(), *c.text);
        } else {
            EXPECT_THROW(c.value.ToText(), db::Error);
            EXPECT_EQ(c.value.ToTextOrEmpty(), QString());
        }
        if (c.number) {
            EXPECT_DOUBLE_EQ(c.value.ToDouble(), *c.number);
        } else {
            EXPECT_THROW(c.value.ToDouble(), db::Error);
        }
    }
}

// Equal means the same storage class and the same bytes, so that a value read can be
// found again in the file.
TEST(DbValue, EqualOnlyWhenStoredAlike) {
    struct Case {
        db::Value a;
        db::Value b;
        bool equal;
    } cases[] = {
        {db::Value(), QString(), false},
        {db::Value::FromTextBytes("abc"), "abc", true},
        {db::Value::FromTextBytes("\xE7\x94\xB2"), "甲", true},
        {db::Value::FromTextBytes(kGbk), db::Value::FromTextBytes(kGbk), true},
        {db::Value::FromTextBytes(kGbk), kShownGbk, false},
        {db::Value::FromTextBytes(kGbk), db::Value::FromBlob(kGbk), false},
        {db::Value::FromBlob("A"), "A", false},
        {db::Value::FromBlob(""), QString(), false},
        {db::Value::FromBlob(""), db::Value(), false},
        {db::Value::FromBlob("A"), db::Value::FromBlob("A"), true},
        {1, 1.0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal)
            << testing::PrintToString(c.a) << " and " << testing::PrintToString(c.b);
    }
    EXPECT_TRUE(db::Value::FromTextBytes(kGbk).IsText());
    EXPECT_TRUE(db::Value::FromBlob("A").IsBlob());
    EXPECT_FALSE(db::Value::FromBlob("A").IsText());
}

}  // namespace
