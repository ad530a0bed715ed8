#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A calendar date in the proleptic Gregorian calendar; month 1..12, day 1..31.
struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
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

struct EraYear {
    std::string_view name;  // "明治", "大正", "昭和", "平成", "令和"
    int year = 0;
};

// The era in force on the given day (month 1..12, day 1..31).
EraYear EraOn(int year, int month, int day);

// The era part of a line without its parentheses: "昭和 61年", "平成  4年", "平成 元年",
// "令和元年".
void AppendEraText(std::string& out, const EraYear& era);
