#include "engine/CivilDate.h"

#include "engine/NumberText.h"

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

std::int64_t DayNumber(int year, int month, int day) {
    // Days from civil: the year is shifted so that it starts in March.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = month;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

bool ParseIsoDate(std::string_view text, CivilDate& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    int parts[3] = {};
    const std::string_view fields[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        if (!IsAllDigits(fields[i])) return false;
        parts[i] = ParseLeadingInt(fields[i]);
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > DaysInMonth(parts[0], parts[1]))
        return false;
    date = {parts[0], parts[1], parts[2]};
    return true;
}

CivilDate PreviousDay(const CivilDate& date) {
    if (date.day > 1) return {date.year, date.month, date.day - 1};
    if (date.month > 1) return {date.year, date.month - 1, DaysInMonth(date.year, date.month - 1)};
    return {date.year - 1, 12, 31};
}
