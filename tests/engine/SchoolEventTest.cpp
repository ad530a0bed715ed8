#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

// 休学, 留学, 転入学, 高卒認定, 単位取得退学 and 飛び入学 in a history born on 1980-01-01, whose
// default route runs 高校 1995-04..1998-03, 大学 1998-04..2002-03, 修士 2002-04..2004-03 and
// 博士 2004-04..2007-03.

namespace {

using Lines = std::vector<std::string>;
using K = SchoolEventKind;

Lines Split(const std::string& text) {
    Lines parts;
    std::string part;
    for (std::istringstream in(text); std::getline(in, part, ';');) parts.push_back(part);
    return parts;
}

void EndAt(CHistoryData& h, int stage, int outcome = OUTCOME_COMPLETED) {
    h.Stage(stage).nNextStage = STAGE_NONE;
    h.Stage(stage).nOutcome = outcome;
}

SchoolEvent Event(SchoolEventKind kind, int stage, YearMonth from, YearMonth to = {},
                  std::string place = {}, std::string department = {}) {
    return {kind, stage, from, to, std::move(place), std::move(department)};
}

ResumeOptions FromHighSchool(SkipWording skip = SkipWording::EarlyGraduation) {
    ResumeOptions options;
    options.start = ResumeStart::HighSchoolEntry;
    options.heading = false;
    options.skip = skip;
    return options;
}

ResumeOptions Named(int stage, const char* name, const char* department = "") {
    ResumeOptions options = FromHighSchool();
    options.schools[std::size_t(stage - 1)] = {name, department};
    return options;
}

struct RowsCase {
    void (*setup)(CHistoryData&);
    CivilDate today;
    std::size_t before;  // rows from the 高校's entry that are not written out
    // The other rows, "西暦 和暦 月 学歴" split by ';' ("-": no month); a 留学's return follows
    // as "西暦年月 和暦年月".
    const char* rows;
    ResumeOptions options = FromHighSchool();
};

void ExpectRows(const std::vector<ResumeRow>& rows, const char* expected) {
    std::string seireki, wareki;
    for (const std::string& line : Split(expected)) {
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
    EXPECT_EQ(ResumeTsv(rows, ResumeCalendar::Seireki), seireki);
    EXPECT_EQ(ResumeTsv(rows, ResumeCalendar::Wareki), wareki);
}

void UniversityLeave(CHistoryData& h, YearMonth from, YearMonth to) {
    h.m_aSchoolEvents.push_back(Event(K::LeaveOfAbsence, STAGE_UNIVERSITY, from, to));
}

const RowsCase kRows[] = {
    // A year of 休学 moves the 卒業 a year later.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         UniversityLeave(h, {2000, 4}, {2001, 4});
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 高等学校　入学;1998 平成10 3 高等学校　卒業;1998 平成10 4 大学　入学;"
     "2000 平成12 4 大学　休学;2001 平成13 4 大学　復学;2003 平成15 3 大学　卒業"},
    // Half a year ends the course in September; the 修士 begins the next April.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_MASTER);
         UniversityLeave(h, {2000, 10}, {2001, 4});
     },
     {2026, 12, 7},
     2,
     "1998 平成10 4 大学　入学;2000 平成12 10 大学　休学;2001 平成13 4 大学　復学;"
     "2002 平成14 9 大学　卒業;2003 平成15 4 大学院修士課程　入学;"
     "2005 平成17 3 大学院修士課程　修了"},
    // ... or the October after it with autumn entry. Half-years back to back make a year.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_MASTER);
         h.Stage(STAGE_MASTER).nEntryMonth = 10;
         UniversityLeave(h, {2000, 10}, {2001, 1});
         UniversityLeave(h, {2001, 1}, {2001, 4});
     },
     {2026, 12, 7},
     3,
     "2000 平成12 10 大学　休学;2001 平成13 1 大学　復学;2001 平成13 1 大学　休学;"
     "2001 平成13 4 大学　復学;2003 平成15 3 大学　卒業;2003 平成15 10 大学院修士課程　入学;"
     "2005 平成17 9 大学院修士課程　修了"},
    {[](CHistoryData& h) {
         EndAt(h, STAGE_MASTER);
         h.Stage(STAGE_MASTER).nEntryMonth = 10;
         UniversityLeave(h, {2000, 10}, {2001, 4});
     },
     {2026, 12, 7},
     5,
     "2002 平成14 9 大学　卒業;2002 平成14 10 大学院修士課程　入学;"
     "2004 平成16 9 大学院修士課程　修了"},
    // Half a year in a 高校 lengthens it by a whole year.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.m_aSchoolEvents = {Event(K::LeaveOfAbsence, STAGE_HIGH_SCHOOL, {1996, 10}, {1997, 4})};
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 高等学校　入学;1996 平成8 10 高等学校　休学;1997 平成9 4 高等学校　復学;"
     "1999 平成11 3 高等学校　卒業;1999 平成11 4 大学　入学;2003 平成15 3 大学　卒業"},
    // An exchange moves nothing; a 留学 that lengthened the course moves it like a 休学. The
    // return is written in the row's calendar, 元年 for an era's first year.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.m_aSchoolEvents = {
             Event(K::Exchange, STAGE_UNIVERSITY, {1999, 9}, {2000, 6}, "東都大学（米国）")};
     },
     {2026, 12, 7},
     2,
     "1998 平成10 4 大学　入学;1999 平成11 9 東都大学（米国）に交換留学 2000年6月 平成12年6月;"
     "2002 平成14 3 大学　卒業"},
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.m_nBirthYear = 1997;
         h.m_aSchoolEvents = {
             Event(K::StudyAbroad, STAGE_UNIVERSITY, {2018, 9}, {2019, 5}, "パリ大学")};
     },
     {2026, 12, 7},
     2,
     "2015 平成27 4 大学　入学;2018 平成30 9 パリ大学に留学 2019年5月 令和元年5月;"
     "2020 令和2 3 大学　卒業"},
    // The school transferred into names the 転入学 and the leaving; without a name, the word.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_HIGH_SCHOOL, OUTCOME_DROPPED_OUT);
         h.Stage(STAGE_HIGH_SCHOOL).nEndGrade = 3;
         h.m_aSchoolEvents = {
             Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1996, 4}, {}, "東都高校", "普通科")};
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 西高校　入学;1996 平成8 4 東都高校　普通科　転入学;"
     "1997 平成9 - 東都高校　普通科　中途退学",
     Named(STAGE_HIGH_SCHOOL, "西高校")},
    {[](CHistoryData& h) {
         EndAt(h, STAGE_HIGH_SCHOOL);
         h.m_aSchoolEvents = {Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1997, 9})};
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 高等学校　入学;1997 平成9 9 高等学校　転入学;1998 平成10 3 高等学校　卒業"},
    // 高卒認定 passed in August: the 大学 the next April; the 高校 left before it, with its month.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.m_equivalency = EquivalencyExam{{2000, 8}, YearMonth{1996, 6}};
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 高等学校　入学;1996 平成8 6 高等学校　中途退学;"
     "2000 平成12 8 高等学校卒業程度認定試験　合格;2001 平成13 4 大学　入学;"
     "2005 平成17 3 大学　卒業"},
    // Passed at 16: not before the April the 高校 would have ended in; then a year of 浪人.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.Stage(STAGE_UNIVERSITY).nRoninYears = 1;
         h.m_equivalency = EquivalencyExam{{1996, 11}, std::nullopt};
     },
     {2026, 12, 7},
     0,
     "1996 平成8 11 高等学校卒業程度認定試験　合格;1999 平成11 4 大学　入学;"
     "2003 平成15 3 大学　卒業"},
    {[](CHistoryData& h) {
         EndAt(h, STAGE_HIGH_SCHOOL);
         h.m_equivalency = EquivalencyExam{{1998, 3}, std::nullopt};
     },
     {2026, 12, 7},
     0,
     "1998 平成10 3 高等学校卒業程度認定試験　合格"},
    // 単位取得退学 after the doctoral course's length; 見込み while it lies ahead.
    {[](CHistoryData& h) { h.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_CREDITS_WITHDRAWN; },
     {2026, 12, 7},
     5,
     "2004 平成16 3 大学院修士課程　修了;2004 平成16 4 大学院博士課程　入学;"
     "2007 平成19 3 大学院博士課程　単位取得退学"},
    {[](CHistoryData& h) { h.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_CREDITS_WITHDRAWN; },
     {2006, 12, 1},
     6,
     "2004 平成16 4 東都大学大学院　経済学研究科　博士課程　入学;"
     "2007 平成19 3 東都大学大学院　経済学研究科　博士課程　単位取得退学見込み",
     Named(STAGE_DOCTOR, "東都大学大学院", "経済学研究科")},
    // A 休学 in the doctorate comes after its entry, which is written once.
    {[](CHistoryData& h) {
         h.m_aSchoolEvents = {Event(K::LeaveOfAbsence, STAGE_DOCTOR, {2005, 4}, {2006, 4})};
     },
     {2026, 12, 7},
     6,
     "2004 平成16 4 大学院博士課程　入学;2005 平成17 4 大学院博士課程　休学;"
     "2006 平成18 4 大学院博士課程　復学;2008 平成20 3 大学院博士課程　修了"},
    // A return ahead is left out, the 卒業 ahead kept as 見込み.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         UniversityLeave(h, {2000, 10}, {2001, 4});
     },
     {2001, 1, 31},
     2,
     "1998 平成10 4 大学　入学;2000 平成12 10 大学　休学;2002 平成14 9 大学　卒業見込み"},
    // The last year skipped as a 飛び入学: the 高校 is left, not finished.
    {[](CHistoryData& h) {
         EndAt(h, STAGE_UNIVERSITY);
         h.Stage(STAGE_HIGH_SCHOOL).nCourseMonths = 24;
         h.Stage(STAGE_HIGH_SCHOOL).bLastYearSkipped = true;
     },
     {2026, 12, 7},
     0,
     "1995 平成7 4 高等学校　入学;1997 平成9 3 高等学校　中途退学（飛び入学のため）;"
     "1997 平成9 4 大学　入学;2001 平成13 3 大学　卒業",
     FromHighSchool(SkipWording::EarlyEntry)},
};

TEST(SchoolEvents, RowsFollowTheEvents) {
    for (const RowsCase& c : kRows) {
        SCOPED_TRACE(c.rows);
        CHistoryData history;
        c.setup(history);
        history.BuildHistoryText(c.today);
        EXPECT_TRUE(history.SchoolEventProblem().IsNone());
        const std::vector<ResumeRow> rows = BuildResumeRows(history, c.today, c.options);
        ASSERT_EQ(rows.size(), c.before + Split(c.rows).size());
        ExpectRows({rows.begin() + std::ptrdiff_t(c.before), rows.end()}, c.rows);
    }
}

}  // namespace

namespace {

// The lines of the history text that the events add, with the ages shown.
TEST(SchoolEvents, HistoryLinesInTheUsualFormat) {
    CHistoryData h;
    h.m_nShowAge = 1;
    h.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_CREDITS_WITHDRAWN;
    h.m_equivalency = EquivalencyExam{{1997, 8}, std::nullopt};
    h.m_aSchoolEvents = {Event(K::Exchange, STAGE_UNIVERSITY, {1999, 9}, {2000, 6}, "パリ大学"),
                         Event(K::StudyAbroad, STAGE_MASTER, {2002, 9}, {2003, 3}, "パリ大学"),
                         Event(K::LeaveOfAbsence, STAGE_DOCTOR, {2006, 1}, {2006, 4})};
    h.BuildHistoryText({2026, 12, 7});
    EXPECT_TRUE(h.SchoolEventProblem().IsNone());
    std::string text;
    for (const HistoryEvent& event : h.Events()) {
        if (event.kind != HistoryEventKind::Entry && event.kind != HistoryEventKind::Graduation)
            text += event.text + ";";
    }
    EXPECT_EQ(text,
              "西暦 1997年(平成  9年) 8月　高卒認定合格(17歳);西暦 1999年(平成 11年) 9月　"
              "大学交換留学(19歳);西暦 2002年(平成 14年) 4月　大学院入学(22歳);"
              "西暦 2002年(平成 14年) 9月　大学院修士留学(22歳);西暦 2004年(平成 16年) 9月　"
              "大学院修士修了(24歳);西暦 2006年(平成 18年) 1月　大学院博士休学(26歳);"
              "西暦 2006年(平成 18年) 4月　大学院博士復学(26歳);西暦 2008年(平成 20年) 9月　"
              "大学院博士単位取得退学(28歳);");
}

// Where the block starts from 高校卒業から, and its closing row.
TEST(SchoolEvents, BlockFromTheHighSchoolsLeavingToItsClosingRow) {
    const struct {
        void (*setup)(CHistoryData&);
        const char* texts;
    } cases[] = {
        {[](CHistoryData& h) { EndAt(h, STAGE_UNIVERSITY); },
         "学歴;高等学校　卒業;大学　入学;大学　卒業;以上"},
        {[](CHistoryData& h) {
             EndAt(h, STAGE_UNIVERSITY);
             h.m_equivalency = EquivalencyExam{{2000, 8}, YearMonth{1996, 6}};
         },
         "学歴;高等学校　中途退学;高等学校卒業程度認定試験　合格;大学　入学;大学　卒業;以上"},
        {[](CHistoryData& h) {
             EndAt(h, STAGE_UNIVERSITY);
             h.m_equivalency = EquivalencyExam{{1998, 2}, std::nullopt};
         },
         "学歴;高等学校卒業程度認定試験　合格;大学　入学;大学　卒業;以上"},
        // The 7-year 高専: its main course's 卒業.
        {[](CHistoryData& h) {
             EndAt(h, STAGE_HIGH_SCHOOL);
             h.Stage(STAGE_HIGH_SCHOOL).nCourseMonths = 84;
         },
         "学歴;高等専門学校　卒業;高等専門学校専攻科　入学;高等専門学校専攻科　修了;以上"},
        // A history that ends before the start keeps its last row.
        {[](CHistoryData& h) { EndAt(h, STAGE_JUNIOR_HIGH); }, "学歴;中学校　卒業;以上"},
    };
    ResumeOptions options;
    options.start = ResumeStart::HighSchoolGraduation;
    options.closing = true;
    for (const auto& c : cases) {
        CHistoryData history;
        c.setup(history);
        history.BuildHistoryText({2026, 12, 7});
        const std::vector<ResumeRow> rows = BuildResumeRows(history, {2026, 12, 7}, options);
        std::string texts;
        for (const ResumeRow& row : rows) texts += (texts.empty() ? "" : ";") + row.text;
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(ResumeCells(rows.back(), ResumeCalendar::Seireki),
                  (std::array<std::string, 3>{"", "", "以上"}));
    }
}

// Each event that cannot have happened, with the bounds it breaks.
TEST(SchoolEvents, EventsThatCannotHaveHappenedAreFound) {
    using P = EventProblemKind;
    const struct {
        void (*setup)(CHistoryData&);
        EventProblem problem;
    } cases[] = {
        // Begun within the course: from the entry to the leaving it had without this 休学.
        {[](CHistoryData& h) {
             UniversityLeave(h, {1998, 3}, {1999, 3});
         },
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        {[](CHistoryData& h) {
             UniversityLeave(h, {2002, 4}, {2003, 3});
         },
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        // Begun in a half-year that an earlier 休学 added, or in one that none did.
        {[](CHistoryData& h) {
             UniversityLeave(h, {2000, 4}, {2000, 10});
             UniversityLeave(h, {2002, 6}, {2002, 12});
             UniversityLeave(h, {2003, 4}, {2003, 5});
         },
         {P::OutsideEnrolment, 2, -1, {1998, 4}, {2003, 3}}},
        {[](CHistoryData& h) {
             UniversityLeave(h, {2000, 4}, {2000, 4});
         },
         {P::ReturnNotAfterStart, 0}},
        {[](CHistoryData& h) {
             UniversityLeave(h, {2000, 4}, {2001, 4});
             UniversityLeave(h, {2001, 3}, {2001, 9});
         },
         {P::Overlap, 1, 0}},
        {[](CHistoryData& h) {
             EndAt(h, STAGE_UNIVERSITY);
             h.m_aSchoolEvents = {Event(K::Exchange, STAGE_MASTER, {2003, 4}, {2003, 9}, "x")};
         },
         {P::StageNotReached, 0}},
        {[](CHistoryData& h) {
             h.m_aSchoolEvents = {Event(K::TransferIn, STAGE_UNIVERSITY, {1999, 4})};
         },
         {P::TransferOutsideHighSchool, 0}},
        // A 転入学 comes after the entry.
        {[](CHistoryData& h) {
             h.m_aSchoolEvents = {Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1995, 4})};
         },
         {P::OutsideEnrolment, 0, -1, {1995, 4}, {1998, 3}}},
        // A course only entered is enrolled up to the leaving it would have; nothing begins
        // after the course would have ended without it.
        {[](CHistoryData& h) {
             EndAt(h, STAGE_UNIVERSITY, OUTCOME_DROPPED_OUT);
             UniversityLeave(h, {2002, 6}, {2002, 9});
         },
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        {[](CHistoryData& h) {
             h.m_equivalency = EquivalencyExam{{1995, 2}, std::nullopt};
         },
         {P::PassedBeforeJuniorHigh, kEquivalencyEvent, -1, {1995, 3}, {1995, 3}}},
        {[](CHistoryData& h) {
             h.m_equivalency = EquivalencyExam{{2027, 1}, std::nullopt};
         },
         {P::PassedAfterToday}},
        {[](CHistoryData& h) {
             h.m_equivalency = EquivalencyExam{{1999, 8}, YearMonth{1995, 3}};
         },
         {P::OutsideEnrolment, kEquivalencyEvent, -1, {1995, 4}, {1998, 3}}},
        {[](CHistoryData& h) {
             h.Stage(STAGE_HIGH_SCHOOL).nCourseMonths = 60;
             h.m_equivalency = EquivalencyExam{{1999, 8}, std::nullopt};
         },
         {P::NotHighSchoolCourse}},
        {[](CHistoryData& h) {
             EndAt(h, STAGE_JUNIOR_HIGH);
             h.m_equivalency = EquivalencyExam{{1999, 8}, std::nullopt};
         },
         {P::StageNotReached}},
        // A 高校 replaced by the 認定 is enrolled only until it was left.
        {[](CHistoryData& h) {
             h.m_equivalency = EquivalencyExam{{1999, 8}, YearMonth{1996, 6}};
             h.m_aSchoolEvents = {
                 Event(K::LeaveOfAbsence, STAGE_HIGH_SCHOOL, {1996, 4}, {1996, 9})};
         },
         {P::OutsideEnrolment, 0, -1, {1995, 4}, {1996, 6}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        CHistoryData history;
        c.setup(history);
        history.BuildHistoryText({2026, 12, 7});
        const EventProblem& found = history.SchoolEventProblem();
        const auto fields = [](const EventProblem& p) {
            return std::tuple(p.kind, p.event, p.other, p.first, p.last);
        };
        EXPECT_EQ(fields(found), fields(c.problem))
            << int(c.problem.kind) << " found " << int(found.kind) << " " << found.event << " "
            << found.first.year << "-" << found.first.month << ".." << found.last.year << "-"
            << found.last.month;
    }
}

}  // namespace
