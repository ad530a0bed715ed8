#pragma once

#include <string>

// Both sides of the era converter as typed: the 西暦 year, month and day, the era (index into
// kEras) and the 和暦 year, month and day (digits, ASCII or full-width; the era year also "元").
struct ConverterFields {
    std::string year, month, day;
    int era = 0;
    std::string eraYear, eraMonth, eraDay;

    friend bool operator==(const ConverterFields&, const ConverterFields&) = default;
};

// The side typed last converted: the other side's fields rewritten with the same day, or emptied
// when there is no such day, so that no wrong date stays on show (the era list keeps its
// choice); one sentence to show, and the refused field.
struct ConvertedDate {
    bool ok = false;
    std::string text;   // "西暦1989年1月8日 ＝ 平成元年1月8日", or the reason
    std::string field;  // the refused field: "era", "year", "month", "day"; "" when ok
    ConverterFields fields;
};
ConvertedDate ConvertOneSide(const ConverterFields& typed, bool fromWareki);

// The year table for a birth year as typed ("" for none): its text, or the reason the year is
// refused and no text.
struct YearTableView {
    std::string text;
    std::string reason;
};
YearTableView YearTableFor(const std::string& birthYearText);
