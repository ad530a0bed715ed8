#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

// A calendar date in the proleptic Gregorian calendar; month 1..12, day 1..31.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
    friend auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Day number of a date counted from 1970-01-01. A day that the month lacks is carried into the
// next month (31 April is 1 May), as the C library's make-time conversion does.
std::int64_t DayNumber(int year, int month, int day);

// The first year a current age can be counted to: the calendar conversion that the age is
// defined by starts at 1900.
inline constexpr int kFirstCountableYear = 1900;

// Reads "YYYY-MM-DD" with a real calendar date; returns false for anything else.
bool ParseIsoDate(std::string_view text, CivilDate& date);

// The day before date (a real calendar date).
CivilDate PreviousDay(const CivilDate& date);
