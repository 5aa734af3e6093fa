#include <gtest/gtest.h>

#include "platform/db/error.h"
#include "platform/db/value.h"

namespace {

TEST(DbValue, NullIsApartFromTheEmptyText) {
    const db::Value null;
    const db::Value empty = QString();
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(empty.IsNull());
    EXPECT_TRUE(empty.IsText());
    EXPECT_FALSE(null == empty);
    EXPECT_THROW(null.ToText(), db::Error);
    EXPECT_EQ(null.ToTextOrEmpty(), QString());
    EXPECT_EQ(empty.ToText(), QString());
    EXPECT_THROW(null.ToDouble(), db::Error);
}

TEST(DbValue, ShowsAndReadsNumbers) {
    struct Case {
        db::Value value;
        const char* text;
        double number;
    } cases[] = {
        {db::Value(std::int64_t{42}), "42", 42.0},
        {db::Value(-7), "-7", -7.0},
        {db::Value(2.5), "2.5", 2.5},
        {db::Value(3.0), "3", 3.0},
        {db::Value(" 12 "), " 12 ", 12.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.ToText(), QString::fromUtf8(c.text)) << c.text;
        EXPECT_DOUBLE_EQ(c.value.ToDouble(), c.number) << c.text;
    }
    EXPECT_THROW(db::Value("12a").ToDouble(), db::Error);
    EXPECT_THROW(db::Value("").ToDouble(), db::Error);
}

}  // namespace
