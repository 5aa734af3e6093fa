#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "platform/numbers.h"

namespace {

struct ReadCase {
    const char* text;
    double leading;  // LeadingNumber
    double full;     // ReadNumber
};

TEST(ReadingNumbers, StopsWhereTheNumberEnds) {
    const ReadCase cases[] = {
        {"5", 5, 5},
        {"4", 4, 4},
        {"-3", -3, -3},
        {"+5", 5, 5},
        {"12abc", 12, 12},
        {"7.5", 7.5, 7.5},
        {"4.4", 4.4, 4.4},
        {" 7", 7, 7},
        {"\t7\n", 7, 7},
        {"1 2", 12, 12},
        {"- 5", -5, -5},
        {"abc", 0, 0},
        {"", 0, 0},
        {"-", 0, 0},
        {"+-5", 0, 0},
        {".", 0, 0},
        {".5", 0.5, 0.5},
        {"5.", 5, 5},
        {"1.2.3", 1.2, 1.2},
        {"1,5", 1, 1},
        {"9999999999", 9999999999.0, 9999999999.0},
        {"1e3", 1000, 1000},
        {"1.5E+2", 150, 150},
        {"25e-1", 2.5, 2.5},
        {"2e", 2, 2},
        {"2e+", 2, 2},
        {"2ex", 2, 2},
        {"1D2", 1, 100},
        {"1d-1", 1, 0.1},
        {"&H1F", 0, 31},
        {"&h1f", 0, 31},
        {"&HFFFFFFFF", 0, 4294967295.0},
        {"&O17", 0, 15},
        {"&o178", 0, 15},
        {"& H 1 F", 0, 31},
        {"&H", 0, 0},
        {"&HG", 0, 0},
        {"&X12", 0, 0},
        {"-&H10", 0, 0},
        {"\xef\xbc\x91", 0, 0},  // a full-width digit is not a digit here
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_DOUBLE_EQ(platform::LeadingNumber(text), c.leading) << c.text;
        EXPECT_DOUBLE_EQ(platform::ReadNumber(text), c.full) << c.text;
    }
}

TEST(ReadingNumbers, KeepsTheFarEndsOfTheDoubleRange) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(platform::LeadingNumber(QStringLiteral("1e999")), inf);
    EXPECT_EQ(platform::ReadNumber(QStringLiteral("-1D999")), -inf);
    EXPECT_EQ(platform::LeadingNumber(QStringLiteral("1e-999")), 0.0);
    EXPECT_EQ(platform::LeadingNumber(QStringLiteral("1e99999999999999999999")), inf);
    EXPECT_EQ(platform::LeadingNumber(QStringLiteral("0e999")), 0.0);
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    const struct {
        double value;
        double rounded;
    } cases[] = {
        {7.5, 8},   {6.5, 6},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},   {1.5, 2},
        {4.4, 4},   {4.6, 5},   {-4.6, -5}, {2.0, 2},   {0.49999999999999994, 0},
        {2147483647.5, 2147483648.0},      {-2147483648.5, -2147483648.0},
        {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::RoundHalfEven(c.value), c.rounded) << c.value;
    }
    EXPECT_TRUE(std::isnan(platform::RoundHalfEven(std::nan(""))));
}

TEST(ToInt32, RoundsAndRefusesWhatDoesNotFit) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::optional<qint32> result;
    } cases[] = {
        {7.5, 8},
        {6.5, 6},
        {-3, -3},
        {0, 0},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},
        {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},
        {-2147483648.6, std::nullopt},
        {9999999999.0, std::nullopt},
        {-9999999999.0, std::nullopt},
        {4294967296.0, std::nullopt},
        {inf, std::nullopt},
        {-inf, std::nullopt},
        {std::nan(""), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ToInt32(c.value), c.result) << c.value;
    }
}

TEST(ToInt32, TurnsSettingsTextsIntoCounts) {
    const struct {
        const char* text;
        std::optional<qint32> count;
    } cases[] = {
        {"5", 5},     {"4", 4},     {"-3", -3}, {"12abc", 12}, {"7.5", 8},
        {"6.5", 6},   {"abc", 0},   {"", 0},    {"4.4", 4},    {"9999999999", std::nullopt},
        {"2147483647.4", 2147483647},           {"2147483647.5", std::nullopt},
        {"-2147483648.5", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ToInt32(platform::LeadingNumber(QString::fromUtf8(c.text))), c.count)
            << c.text;
    }
}

}  // namespace
