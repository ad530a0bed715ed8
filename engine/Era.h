#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/CivilDate.h"

// One era of the Japanese calendar: its name and the first day on which it was in force. An era
// lasts until the day before the next one begins; the last era has no end.
struct EraStart {
    std::string_view name;
    CivilDate first;
};

// The eras in order. 明治 is counted from the first day of 1868, its first year; the calendar
// only became the Gregorian one on 1873-01-01.
inline constexpr std::array<EraStart, 5> kEras{{
    {"明治", {1868, 1, 1}},
    {"大正", {1912, 7, 30}},
    {"昭和", {1926, 12, 25}},
    {"平成", {1989, 1, 8}},
    {"令和", {2019, 5, 1}},
}};
inline constexpr int kEraCount = static_cast<int>(kEras.size());

// The index into kEras of the era in force on date. Before 明治 the answer is 明治 (whose years
// then count zero or less), so that no date is without an era.
int EraIndexOn(const CivilDate& date);

// The last day of era index, or nothing for the current era.
bool EraLastDay(int index, CivilDate& last);

// The index of the era called name, or -1.
int EraIndexOf(std::string_view name);

struct EraYear {
    std::string_view name;  // "明治", "大正", "昭和", "平成", "令和"
    int year = 0;
};

// The era and its year in force on the given day (month 1..12, day 1..31).
EraYear EraOn(int year, int month, int day);

// The Western year in which year eraYear of era index falls.
int WesternYear(int index, int eraYear);

// The era part of a line without its parentheses: "昭和 61年", "平成  4年", "平成 元年",
// "令和元年".
void AppendEraText(std::string& out, const EraYear& era);
