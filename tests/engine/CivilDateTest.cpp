#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/CivilDate.h"

namespace {

// Month lengths as the calendar has them (1900 is no leap year, 2000 is); every month's last day
// and the day after it.
TEST(CivilDate, EndsOfEachMonthAndYear) {
    constexpr int kLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int year : {1900, 2000, 2023, 2024}) {
        const bool leap = year == 2000 || year == 2024;
        for (int month = 1; month <= 12; ++month) {
            const int last = kLength[month] + (month == 2 && leap ? 1 : 0);
            EXPECT_EQ(DaysInMonth(year, month), last) << year << "-" << month;
            char text[32];
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, last);
            CivilDate date;
            ASSERT_TRUE(ParseIsoDate(text, date)) << text;
            EXPECT_EQ(date, (CivilDate{year, month, last}));
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, last + 1);
            EXPECT_FALSE(ParseIsoDate(text, date)) << text;
            // The last day is followed by the first of the next month, December by January.
            const CivilDate next =
                month == 12 ? CivilDate{year + 1, 1, 1} : CivilDate{year, month + 1, 1};
            EXPECT_EQ(DayNumber(year, month, last) + 1, DayNumber(next.year, next.month, 1))
                << text;
            // A day that the month lacks is carried into the next month.
            EXPECT_EQ(DayNumber(year, month, last + 1), DayNumber(next.year, next.month, 1));
        }
    }
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

TEST(CivilDate, IsoDatesOfAnotherFormAreRefused) {
    CivilDate date{1, 2, 3};
    for (const char* bad : {"2024-00-10", "2024-13-01", "2024-01-00", "2023-02-29", "2024-1-01",
                            "2024-01-010", "2024/01/01", "2024-01/01", "2024_01-01", "20240101",
                            "2024-01-0x", "+024-01-01", "2024-+1-01", ""})
        EXPECT_FALSE(ParseIsoDate(bad, date)) << bad;
    EXPECT_EQ(date, (CivilDate{1, 2, 3}));
    ASSERT_TRUE(ParseIsoDate("0999-01-01", date));
    EXPECT_EQ(date, (CivilDate{999, 1, 1}));
}

}  // namespace
