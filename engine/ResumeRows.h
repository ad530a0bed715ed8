#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CivilDate.h"

class CHistoryData;

// The calendar of a résumé's 年 column: all 和暦 ("平成10", "令和元") or all 西暦 ("1998").
enum class ResumeCalendar { Wareki, Seireki };
// What each calendar is called, in the order of ResumeCalendar.
inline constexpr std::array<std::string_view, 2> kResumeCalendarNames = {"和暦", "西暦"};
inline std::string_view CalendarName(ResumeCalendar calendar) {
    return kResumeCalendarNames[static_cast<std::size_t>(calendar)];
}

// The titles of a résumé's columns, as the CSV's header row and the tables show them.
inline constexpr std::array<std::string_view, 3> kResumeColumnTitles = {"年", "月", "学歴"};

// Where the 学歴 block starts.
enum class ResumeStart {
    JuniorHighGraduation,  // 中学校卒業から: the first row is the 中学校's leaving
    HighSchoolEntry,       // 高校入学から: no 小学校 or 中学校 rows
    ElementaryEntry,       // 小学校入学から: every row
    HighSchoolGraduation,  // 高校卒業から: the first row is the 高校's or 高専's leaving
};

// How a course whose last year was skipped (飛び級) ends.
enum class SkipWording {
    EarlyGraduation,  // 早期卒業: it ends in 卒業
    EarlyEntry,       // 飛び入学: it is left (中途退学) for the next school
};

// What the user gives for one school: its formal name ("東都大学") and its 学部・学科 or
// 研究科・専攻 ("経済学部　経済学科"), both checked by CleanSchoolText. Either may be empty.
struct SchoolNaming {
    std::string name;
    std::string department;

    friend bool operator==(const SchoolNaming&, const SchoolNaming&) = default;
};

inline constexpr int kResumeStageCount = 8;

// How the block is written. A default object gives the block as guides ask for it: from the
// 中学校's leaving, under a heading, with the formal school words.
struct ResumeOptions {
    ResumeStart start = ResumeStart::JuniorHighGraduation;
    bool heading = true;
    std::array<SchoolNaming, kResumeStageCount> schools{};  // stage 1..8 at index stage - 1
    std::optional<int> leavingMonth{};  // the month of a 中途退学 or 除籍, 1..12
    SkipWording skip = SkipWording::EarlyGraduation;
    bool closing = false;  // the block ends with a row 「以上」

    friend bool operator==(const ResumeOptions&, const ResumeOptions&) = default;
};

// A month in both calendars.
struct ResumeMonth {
    int year = 0;         // Western year
    std::string eraName;  // the era of the month's last day
    int eraYear = 0;      // 1 is written 元
    int month = 0;

    friend bool operator==(const ResumeMonth&, const ResumeMonth&) = default;
};

// One row of a résumé's 学歴 block, in both calendars; ResumeCells gives the columns.
struct ResumeRow {
    int year = 0;               // Western year
    std::string eraName;        // the era of the event's date
    int eraYear = 0;            // 1 is written 元
    std::optional<int> month;   // none for the heading and a leaving whose month is not known
    std::string text;           // "東都大学　経済学部　卒業", "高等学校　卒業"
    bool heading = false;       // the block's first row 「学歴」, without year and month
    bool monthMissing = false;  // a 中途退学 or 除籍 whose month was not given
    bool closing = false;       // the block's last row 「以上」, without year and month
    std::optional<ResumeMonth> until = std::nullopt;  // a 留学's return, written after the text

    friend bool operator==(const ResumeRow&, const ResumeRow&) = default;
};

// The rows of the last computed history, from its events and stage records: the formal school
// words or the given names (a high school transferred into under its own), the doctoral entry
// the history leaves implicit, the 高専's 専攻科 as a course of its own, 休学, 留学 and the other
// events of the stages, and nothing after today except the first leaving that ends a course,
// which reads 卒業見込み or 修了見込み; then cut to the chosen start, headed and closed.
std::vector<ResumeRow> BuildResumeRows(const CHistoryData& history, const CivilDate& today,
                                       const ResumeOptions& options);

// "「大学　中途退学」の月が空いています。…" for the first row whose month is missing, else "".
std::string MissingMonthNote(const std::vector<ResumeRow>& rows);

// The longest school name or department, in characters.
inline constexpr int kMaxSchoolTextLength = 60;
enum class SchoolTextProblem { None, ControlCharacter, TooLong };
// A typed school name or department as a row uses it: blanks (ASCII and full-width) around it
// dropped. Refused: a tab, a line break or another control character (or bytes that are no
// UTF-8), and more than kMaxSchoolTextLength characters.
SchoolTextProblem CleanSchoolText(std::string_view text, std::string& cleaned);

// The columns 年, 月 and 学歴 of a row; a 留学's return is written in the same calendar:
// "…に交換留学（令和7年3月まで）" or "…（2025年3月まで）".
std::array<std::string, 3> ResumeCells(const ResumeRow& row, ResumeCalendar calendar);

// Tab-separated lines for pasting into a form's columns: UTF-8, LF after every row, no header; a
// cell that a spreadsheet would take for a formula is written after a "'", as in the CSV.
std::string ResumeTsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);

// The bytes of a CSV file: UTF-8 with a byte-order mark, a header row 年,月,学歴, CR LF after
// every row, fields quoted as RFC 4180 where they need it, and a cell that a spreadsheet would
// take for a formula (one that starts with =, +, -, @, a tab or CR) written after a "'".
std::string ResumeCsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);
