#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// LeadingNumber reads a settings value, ReadNumber the rest of an operator entry.
TEST(ReadingNumbers, StopsWhereTheNumberEnds) {
    const struct {
        const char* text;
        double leading, full;
    } cases[] = {
        // clang-format off
        {"5", 5, 5},            {"-3", -3, -3},          {"+5", 5, 5},          {"12abc", 12, 12},
        {"7.5", 7.5, 7.5},      {"\t7\n", 7, 7},         {"1 2", 12, 12},       {"- 5", -5, -5},
        {"abc", 0, 0},          {"", 0, 0},              {"-", 0, 0},           {"+-5", 0, 0},
        {".", 0, 0},            {".5", 0.5, 0.5},        {"5.", 5, 5},          {"1.2.3", 1.2, 1.2},
        {"1,5", 1, 1},          {"1e3", 1000, 1000},     {"1.5E+2", 150, 150},  {"25e-1", 2.5, 2.5},
        {"2e", 2, 2},           {"2e+x", 2, 2},          {"1D2", 1, 100},       {"1d-1", 1, 0.1},
        {"&H1F", 0, 31},        {"&h1f", 0, 31},         {"&O17", 0, 15},       {"&o178", 0, 15},
        {"& H 1 F", 0, 31},     {"&H", 0, 0},            {"&HG", 0, 0},         {"&X12", 0, 0},
        {"-&H10", 0, 0},        {"1e999", kInf, kInf},   {"-1D999", -1, -kInf}, {"1e-999", 0, 0},
        {"0e999", 0, 0},        {"1e99999999999999999999", kInf, kInf},
        {"9999999999", 9999999999.0, 9999999999.0},      {"&HFFFFFFFF", 0, 4294967295.0},
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

TEST(WholeNumbers, HalvesGoToTheEvenNeighbourAndOnly32BitsFit) {
    const double nan = std::nan("");
    const std::nullopt_t none = std::nullopt;
    const struct {
        double value, rounded;
        std::optional<qint32> whole;
    } cases[] = {
        // clang-format off
        {7.5, 8, 8},   {6.5, 6, 6},   {-2.5, -2, -2}, {-3.5, -4, -4}, {0.5, 0, 0},  {1.5, 2, 2},
        {4.4, 4, 4},   {4.6, 5, 5},   {-4.6, -5, -5}, {0.49999999999999994, 0, 0},
        {2147483647.4, 2147483647, 2147483647},     {2147483647.5, 2147483648.0, none},
        {-2147483648.5, -2147483648.0, INT32_MIN},  {-2147483648.6, -2147483649.0, none},
        {4503599627370497.0, 4503599627370497.0, none}, {9999999999.0, 9999999999.0, none},
        {kInf, kInf, none},  {-kInf, -kInf, none},  {nan, nan, none},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const double rounded = platform::RoundHalfEven(c.value);
        if (std::isnan(c.rounded)) {
            EXPECT_TRUE(std::isnan(rounded));
        } else {
            EXPECT_EQ(rounded, c.rounded);
        }
        EXPECT_EQ(platform::ToInt32(c.value), c.whole);
    }
}

}  // namespace
