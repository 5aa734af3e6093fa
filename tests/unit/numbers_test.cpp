#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace {

// LeadingNumber reads a settings value, ReadNumber the rest of an operator entry.
TEST(ReadingNumbers, StopsWhereTheNumberEnds) {
    const struct {
        const char* text;
        double leading, full;
    } cases[] = {
        // clang-format off
        {"12abc", 12, 12},   {"7.5", 7.5, 7.5},    {"- 5", -5, -5},       {"+-5", 0, 0},
        {"1.2.3", 1.2, 1.2}, {"1,5", 1, 1},        {"1e3", 1000, 1000},   {"25e-1", 2.5, 2.5},
        {"2e+x", 2, 2},      {"1D2", 1, 100},      {"&H1F", 0, 31},
        {"\xef\xbc\x91", 0, 0},  // a full-width digit is not a digit here
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_DOUBLE_EQ(platform::LeadingNumber(text), c.leading);
        EXPECT_DOUBLE_EQ(platform::ReadNumber(text), c.full);
    }
}

}  // namespace
