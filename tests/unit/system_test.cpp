#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/system.h"

namespace {

TEST(BasicRandom, StartsFromTheSameStateEveryTime) {
    platform::BasicRandom a;
    platform::BasicRandom b;
    for (int i = 0; i < 100; ++i) {
        const float x = a.Next();
        EXPECT_EQ(x, b.Next());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
    }
}

TEST(BasicRandom, FollowsTheTwentyFourBitRecurrence) {
    platform::BasicRandom r;
    std::uint32_t state = 0x50000;
    for (int i = 0; i < 5; ++i) {
        state = static_cast<std::uint32_t>((std::uint64_t{state} * 0x43FD43FDu + 0xC39EC3u) &
                                           0xFFFFFFu);
        EXPECT_EQ(r.Next(), static_cast<float>(state) / 16777216.0f);
    }
}

TEST(FormatNnSs, ShowsMinutesAndSecondsOfTheSpan) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 0, 0));
    struct Case {
        qint64 ms;
        const char* shown;
    } cases[] = {
        {50 * 60 * 1000, "50:00"},       {90 * 60 * 1000, "30:00"},
        {(49 * 60 + 59) * 1000, "49:59"}, {0, "00:00"},
        {60 * 60 * 1000, "00:00"},        {-500, "00:00"},
        {61 * 1000 + 999, "01:01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::FormatNnSs(now.addMSecs(c.ms), now), QString::fromUtf8(c.shown))
            << c.ms;
    }
}

TEST(DaysBetween, IsNegativeOnlyAfterTheEnd) {
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 0, 0));
    EXPECT_EQ(platform::DaysBetween(now, now), 0.0);
    EXPECT_GT(platform::DaysBetween(now, now.addMSecs(1)), 0.0);
    EXPECT_LT(platform::DaysBetween(now, now.addMSecs(-1)), 0.0);
    EXPECT_DOUBLE_EQ(platform::DaysBetween(now, now.addDays(1)), 1.0);
}

}  // namespace
