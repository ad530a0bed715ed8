#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

// Histories written as data, and the rows they give, for the engine's tests.

using Lines = std::vector<std::string>;

inline constexpr CivilDate kToday{2026, 12, 7};

// The parts of a text split by ';'.
inline Lines Split(const char* text) {
    Lines parts;
    std::string part;
    for (std::istringstream in(text); std::getline(in, part, ';');) parts.push_back(part);
    return parts;
}

// One field of a stage's record: {STAGE_MASTER, &StageRecord::nEntryMonth, 10}.
struct StageChange {
    int stage;
    int StageRecord::*field;
    int value;
};

// The stage a route ends with, left with outcome in course year grade.
struct RouteEnd {
    int stage = STAGE_DOCTOR;
    int outcome = OUTCOME_COMPLETED;
    int grade = 0;
};

// The default history (born 1980-01-01, 小学校 to 大学院博士) with these changes; every member
// has an initializer, so that a case names only the fields it changes.
struct History {
    int birth = 19800101;  // YYYYMMDD
    RouteEnd end{};
    int months = 0;  // the last stage's course length; 0: its default
    std::vector<StageChange> changes{};
    std::vector<SchoolEvent> events{};
    std::optional<EquivalencyExam> exam{};
    int skipped = STAGE_NONE;  // the stage whose course's last year was skipped
};

inline CHistoryData Made(const History& h) {
    CHistoryData history;
    history.m_nBirthYear = h.birth / 10000;
    history.m_nBirthMonth = h.birth / 100 % 100;
    history.m_nBirthDay = h.birth % 100;
    StageRecord& last = history.Stage(h.end.stage);
    if (h.months) last.nCourseMonths = h.months;
    last.nNextStage = STAGE_NONE;
    last.nOutcome = h.end.outcome;
    last.nEndGrade = h.end.grade;
    for (const StageChange& change : h.changes)
        history.Stage(change.stage).*change.field = change.value;
    if (h.skipped) history.Stage(h.skipped).bLastYearSkipped = true;
    history.m_aSchoolEvents = h.events;
    history.m_equivalency = h.exam;
    return history;
}

// An event of a kind; a 休学 from one month to the 復学.
inline SchoolEvent Event(SchoolEventKind kind, int stage, YearMonth from, YearMonth to = {},
                         std::string place = {}, std::string department = {}) {
    return {kind, stage, from, to, std::move(place), std::move(department)};
}
inline SchoolEvent Leave(YearMonth from, YearMonth to, int stage = STAGE_UNIVERSITY) {
    return {SchoolEventKind::LeaveOfAbsence, stage, from, to, {}, {}};
}

// The rows of a history whose events could all have happened.
inline std::vector<ResumeRow> RowsOf(const History& h, const ResumeOptions& options,
                                     const CivilDate& today = kToday) {
    CHistoryData history = Made(h);
    history.BuildHistoryText(today);
    EXPECT_TRUE(history.SchoolEventProblem().IsNone());
    return BuildResumeRows(history, today, options);
}

// The options of a block without a heading, a stage's school named; its start is the table's.
inline ResumeOptions Block(int stage = 1, const char* name = "", const char* department = "",
                           std::optional<int> leavingMonth = std::nullopt,
                           SkipWording skip = SkipWording::EarlyGraduation) {
    ResumeOptions options{ResumeStart{}, false, {}, leavingMonth, skip};
    options.schools[std::size_t(stage - 1)] = {name, department};
    return options;
}

// A history and the block's options, how many rows they give as of today, and the last of
// them (as ExpectTail reads them).
struct RowsCase {
    History history;
    std::size_t count;
    const char* rows;
    CivilDate today = kToday;
    ResumeOptions options = Block();
};

// Expects count rows that end with the rows of tail, each "西暦 和暦 月 学歴" ("-": no month),
// split by ';'; a 留学's return follows as "西暦年月 和暦年月".
inline void ExpectTail(const std::vector<ResumeRow>& rows, std::size_t count, const char* tail) {
    ASSERT_EQ(rows.size(), count);
    const Lines lines = Split(tail);
    std::string seireki, wareki;
    for (const std::string& line : lines) {
        std::istringstream fields(line);
        std::string year, era, month, text, seirekiUntil, warekiUntil;
        fields >> year >> era >> month >> text >> seirekiUntil >> warekiUntil;
        if (month == "-") month.clear();
        const auto until = [](const std::string& date) {
            return date.empty() ? date : "（" + date + "まで）";
        };
        seireki += year + '\t' + month + '\t' + text + until(seirekiUntil) + '\n';
        wareki += era + '\t' + month + '\t' + text + until(warekiUntil) + '\n';
    }
    const std::vector<ResumeRow> last(rows.end() - std::ssize(lines), rows.end());
    EXPECT_EQ(ResumeTsv(last, ResumeCalendar::Seireki), seireki);
    EXPECT_EQ(ResumeTsv(last, ResumeCalendar::Wareki), wareki);
}

// Each case's rows, the block starting at start.
template <std::size_t N>
void ExpectRows(ResumeStart start, const RowsCase (&cases)[N]) {
    for (RowsCase c : cases) {
        SCOPED_TRACE(c.rows);
        c.options.start = start;
        ExpectTail(RowsOf(c.history, c.options, c.today), c.count, c.rows);
    }
}
