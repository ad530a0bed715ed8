#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/CivilDate.h"

// The first day of the Gregorian calendar in Japan (明治6年1月1日); before it the country used
// a lunisolar calendar, so earlier days are not converted.
inline constexpr CivilDate kGregorianStart{1873, 1, 1};
inline constexpr int kLastConvertibleYear = 9999;
// The years of the year table.
inline constexpr int kTableFirstYear = 1873;
inline constexpr int kTableLastYear = 2100;

// A date of the Japanese calendar: an era (index into kEras) and its year (1 is 元年).
struct WarekiDate {
    int era = 0;
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const WarekiDate&, const WarekiDate&) = default;
};

// The typed field that a refused date is to be corrected in.
enum class DateField { None, Era, Year, Month, Day };

// A day in both calendars, or the reason (a Japanese sentence) why there is none and the field
// it concerns.
struct DateConversion {
    bool ok = false;
    CivilDate seireki;
    WarekiDate wareki;
    std::string reason;
    DateField field = DateField::None;
};

// Dates as typed: digits, ASCII or full-width, blanks around them ignored; the era year may also
// be "元".
struct SeirekiFields {
    std::string_view year, month, day;
};
struct WarekiFields {
    int era = -1;
    std::string_view year, month, day;
};

DateConversion FromSeireki(const CivilDate& date);
DateConversion FromWareki(const WarekiDate& date);
DateConversion FromSeireki(const SeirekiFields& fields);
DateConversion FromWareki(const WarekiFields& fields);

// "平成元年", "昭和64年".
std::string EraYearText(int era, int year);
// "平成元年1月8日": no padding, 元 for year one.
std::string WarekiText(const WarekiDate& date);
// "1989-01-08".
std::string IsoText(const CivilDate& date);

// Whether a whole text is a date at all, before any check that the day exists: "平成元年1月8日"
// (an era of kEras, the year as digits or 元, the month and the day as digits) and "1989-01-08"
// (three runs of digits between two hyphens, ASCII "-" or full-width "－"). Digits may be ASCII
// or full-width; ASCII blanks and tabs may stand around the text and around each of its numbers.
// The fields, without their blanks, point into text. False for any other text: other blanks, a
// sign, numbers in kanji, anything left over.
bool SplitWarekiText(std::string_view text, WarekiFields& fields);
bool SplitIsoText(std::string_view text, SeirekiFields& fields);

// The sexagenary name of a year: "甲子" for 1984.
std::string Kanshi(int year);
// Every era in force during the year: "昭和63年", or "昭和64年/平成元年" in a year of change.
std::string YearEraText(int year);
// A birth year for the age column, typed as a year of the table; reason says why not.
bool ReadBirthYear(std::string_view text, int& year, std::string& reason);
// One row of the year table without its line break: year, eras and 干支 separated by tabs,
// then, with a birth year, the age reached in that year (empty before the birth year).
std::string YearTableLine(int year, std::optional<int> birthYear);
// Every row from kTableFirstYear to kTableLastYear, each ending in "\n".
std::string YearTableText(std::optional<int> birthYear);
