// Date-times as day counts since 1899-12-30.
#include "platform/Clock.h"
#include "platform/host/HostServices.h"

#include <gtest/gtest.h>

TEST(DateTime, KnownDatesEncodeToTheirDayCounts) {
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1, 18, 0, 0, 0}), 36526.75);
    EXPECT_DOUBLE_EQ(EncodeDateTime({2024, 2, 29, 12, 0, 0, 0}), 45351.5);
    EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
}

TEST(DateTime, DecodeInvertsEncode) {
    const TDateTimeParts samples[] = {
        {2026, 12, 8, 19, 17, 41, 250}, {1900, 3, 1, 0, 0, 0, 0}, {2100, 12, 31, 23, 59, 59, 999},
        {1601, 1, 1, 0, 0, 1, 0},       {1899, 12, 1, 13, 30, 0, 0}};
    for (const auto& p : samples) {
        const TDateTimeParts q = DecodeDateTime(EncodeDateTime(p));
        EXPECT_EQ(std::make_tuple(q.Year, q.Month, q.Day, q.Hour, q.Minute, q.Second, q.Millisecond),
                  std::make_tuple(p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.Millisecond));
    }
}

TEST(DateTime, HostClockFormatsFixedAndRunsOtherwise) {
    HostClock clock;
    const double before = clock.Now();
    EXPECT_GT(before, 46000.0); // later than 2025
    clock.Set(EncodeDateTime({2026, 1, 2, 13, 0, 5, 0}));
    EXPECT_EQ(clock.FormatDateTime(clock.Now()), "2026-01-02 13:00:05");
}
