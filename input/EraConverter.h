#pragma once

#include <string>

// A date converted between 西暦 and 和暦 from its typed fields (digits, ASCII or full-width; the
// era year also "元"), as the era converter shows it: the other side's fields and one sentence,
// or the reason why there is no such date and the field it concerns.
struct ConvertedDate {
    bool ok = false;
    std::string text;   // "西暦1989年1月8日 ＝ 平成元年1月8日", or the reason
    std::string field;  // the refused field: "era", "year", "month", "day"; "" when ok
    int year = 0, month = 0, day = 0;  // 西暦
    int era = 0;                       // index into kEras
    std::string eraYear;               // "元" or the digits
    int eraMonth = 0, eraDay = 0;
};
ConvertedDate ConvertSeireki(const std::string& year, const std::string& month,
                             const std::string& day);
ConvertedDate ConvertWareki(int era, const std::string& year, const std::string& month,
                            const std::string& day);

// The year table for a birth year as typed ("" for none): its text, or the reason the year is
// refused and no text.
struct YearTableView {
    std::string text;
    std::string reason;
};
YearTableView YearTableFor(const std::string& birthYearText);
