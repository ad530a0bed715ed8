#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/CivilDate.h"

class CHistoryData;

// The calendar of a résumé's 年 column: all 和暦 ("平成10", "令和元") or all 西暦 ("1998").
enum class ResumeCalendar { Wareki, Seireki };

// One row of a résumé's 学歴 block, in both calendars; ResumeCells gives the columns.
struct ResumeRow {
    int year = 0;              // Western year
    std::string eraName;       // the era of the event's date
    int eraYear = 0;           // 1 is written 元
    std::optional<int> month;  // none for 中途退学 and 除籍
    std::string text;          // formal school name, "　", event: "高等学校　卒業"

    friend bool operator==(const ResumeRow&, const ResumeRow&) = default;
};

// The rows of the last computed history, from its events and stage records: formal school names,
// the doctoral entry the history leaves implicit, and nothing after today except the first
// leaving, which reads 卒業見込み or 修了見込み.
std::vector<ResumeRow> BuildResumeRows(const CHistoryData& history, const CivilDate& today);

// The columns 年, 月 and 学歴 of a row.
std::array<std::string, 3> ResumeCells(const ResumeRow& row, ResumeCalendar calendar);

// Tab-separated lines for pasting into a form's columns: UTF-8, LF after every row, no header.
std::string ResumeTsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);

// The bytes of a CSV file: UTF-8 with a byte-order mark, a header row 年,月,学歴, CR LF after
// every row, fields quoted as RFC 4180 where they need it.
std::string ResumeCsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);
