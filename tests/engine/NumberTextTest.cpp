#include <gtest/gtest.h>

#include <climits>

#include "engine/CivilDate.h"
#include "engine/NumberText.h"

namespace {

TEST(NumberText, ReadsLikeTheInputBoxes) {
    EXPECT_EQ(ParseLeadingInt("1980"), 1980);
    EXPECT_EQ(ParseLeadingInt("  \t-12abc"), -12);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("-"), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
}

TEST(NumberText, ScanStopsAtTheFirstItemThatIsNotANumber) {
    std::size_t position = 0;
    int value = 5;
    ASSERT_TRUE(ScanInt("12 x 3", position, value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(ScanInt("12 x 3", position, value));
    EXPECT_EQ(value, 12);
}

TEST(NumberText, Padding) {
    std::string out;
    AppendPadded(out, 4, 2);
    AppendPadded(out, 1986, 4);
    AppendPadded(out, -3, 0);
    AppendPadded(out, INT_MIN, 0);
    EXPECT_EQ(out, " 41986-3-2147483648");
}

TEST(CivilDate, DayNumbersAndIsoDates) {
    EXPECT_EQ(DayNumber(1970, 1, 1), 0);
    EXPECT_EQ(DayNumber(2000, 3, 1) - DayNumber(2000, 2, 28), 2);
    EXPECT_EQ(DayNumber(2023, 2, 29), DayNumber(2023, 3, 1));
    EXPECT_EQ(DayNumber(2020, 4, 31), DayNumber(2020, 5, 1));
    CivilDate date;
    EXPECT_TRUE(ParseIsoDate("2024-02-29", date));
    EXPECT_EQ(date, (CivilDate{2024, 2, 29}));
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "20240101",
                            "2024-01-0x", "+024-01-01", ""})
        EXPECT_FALSE(ParseIsoDate(bad, date)) << bad;
}

}  // namespace
