#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/support/Engine.h"

// 休学, 留学, 転入学, 高卒認定, 単位取得退学 and 飛び入学 in a history born on 1980-01-01, whose
// default route runs 高校 1995-04..1998-03, 大学 1998-04..2002-03, 修士 2002-04..2004-03 and
// 博士 2004-04..2007-03.

namespace {

using K = SchoolEventKind;

const RowsCase kRows[] = {
    // A year of 休学 moves the 卒業 a year later.
    {History{.end = {STAGE_UNIVERSITY}, .events = {Leave({2000, 4}, {2001, 4})}}, 6,
     "1995 平成7 4 高等学校　入学;1998 平成10 3 高等学校　卒業;1998 平成10 4 大学　入学;"
     "2000 平成12 4 大学　休学;2001 平成13 4 大学　復学;2003 平成15 3 大学　卒業"},
    // Half-years back to back make a year; the 修士 follows, here in October.
    {History{.end = {STAGE_MASTER},
             .changes = {{STAGE_MASTER, &StageRecord::nEntryMonth, 10}},
             .events = {Leave({2000, 10}, {2001, 1}), Leave({2001, 1}, {2001, 4})}},
     10,
     "2000 平成12 10 大学　休学;2001 平成13 1 大学　復学;2001 平成13 1 大学　休学;"
     "2001 平成13 4 大学　復学;2003 平成15 3 大学　卒業;2003 平成15 10 大学院修士課程　入学;"
     "2005 平成17 9 大学院修士課程　修了"},
    // Half a year in a 高校 lengthens it by a whole year.
    {History{.end = {STAGE_UNIVERSITY},
             .events = {Leave({1996, 10}, {1997, 4}, STAGE_HIGH_SCHOOL)}},
     6,
     "1995 平成7 4 高等学校　入学;1996 平成8 10 高等学校　休学;1997 平成9 4 高等学校　復学;"
     "1999 平成11 3 高等学校　卒業;1999 平成11 4 大学　入学;2003 平成15 3 大学　卒業"},
    // An exchange moves nothing; a 留学 that lengthened the course moves it like a 休学. The
    // return is written in the row's calendar, 元年 for an era's first year.
    {History{.end = {STAGE_UNIVERSITY},
             .events = {Event(K::Exchange, STAGE_UNIVERSITY, {1999, 9}, {2000, 6},
                              "東都大学（米国）")}},
     5,
     "1998 平成10 4 大学　入学;1999 平成11 9 東都大学（米国）に交換留学 2000年6月 平成12年6月;"
     "2002 平成14 3 大学　卒業"},
    {History{.birth = 19970101,
             .end = {STAGE_UNIVERSITY},
             .events = {Event(K::StudyAbroad, STAGE_UNIVERSITY, {2018, 9}, {2019, 5}, "パリ大学")}},
     5,
     "2015 平成27 4 大学　入学;2018 平成30 9 パリ大学に留学 2019年5月 令和元年5月;"
     "2020 令和2 3 大学　卒業"},
    // The school transferred into names the 転入学 and the leaving, not the next school; without a
    // name, the word.
    {History{
         .end = {STAGE_UNIVERSITY},
         .events = {Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1996, 4}, {}, "東都高校", "普通科")}},
     5,
     "1995 平成7 4 西高校　入学;1996 平成8 4 東都高校　普通科　転入学;"
     "1998 平成10 3 東都高校　普通科　卒業;1998 平成10 4 大学　入学;2002 平成14 3 大学　卒業",
     kToday, Block(STAGE_HIGH_SCHOOL, "西高校")},
    {History{.end = {STAGE_HIGH_SCHOOL},
             .events = {Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1997, 9})}},
     3, "1995 平成7 4 西高校　入学;1997 平成9 9 高等学校　転入学;1998 平成10 3 高等学校　卒業",
     kToday, Block(STAGE_HIGH_SCHOOL, "西高校")},
    // 高卒認定 passed in April: the 大学 the next April; the 高校 left before it, with its month
    // (as early as the month it was entered), which the month given for a 中途退学 leaves alone.
    {History{.end = {STAGE_UNIVERSITY, OUTCOME_DROPPED_OUT, 2},
             .exam = EquivalencyExam{{2000, 4}, YearMonth{1995, 4}}},
     5,
     "1995 平成7 4 高等学校　入学;1995 平成7 4 高等学校　中途退学;"
     "2000 平成12 4 高等学校卒業程度認定試験　合格;2001 平成13 4 大学　入学;"
     "2002 平成14 9 大学　中途退学",
     kToday, Block(1, "", "", 9)},
    // Passed at 16: not before the April the 高校 would have ended in; then a year of 浪人.
    {History{.end = {STAGE_UNIVERSITY},
             .changes = {{STAGE_UNIVERSITY, &StageRecord::nRoninYears, 1}},
             .exam = EquivalencyExam{{1996, 11}, std::nullopt}},
     3,
     "1996 平成8 11 高等学校卒業程度認定試験　合格;1999 平成11 4 大学　入学;"
     "2003 平成15 3 大学　卒業"},
    {History{.end = {STAGE_HIGH_SCHOOL}, .exam = EquivalencyExam{{1998, 3}, std::nullopt}}, 1,
     "1998 平成10 3 高等学校卒業程度認定試験　合格"},
    // 単位取得退学 after the doctoral course's length; 見込み while it lies ahead.
    {History{.end = {STAGE_DOCTOR, OUTCOME_CREDITS_WITHDRAWN}}, 8,
     "2004 平成16 4 東都大学大学院　経済学研究科　博士課程　入学;"
     "2007 平成19 3 東都大学大学院　経済学研究科　博士課程　単位取得退学見込み",
     CivilDate{2006, 12, 1}, Block(STAGE_DOCTOR, "東都大学大学院", "経済学研究科")},
    // A 休学 in the doctorate comes after its entry, which is written once.
    {History{.events = {Leave({2005, 4}, {2006, 4}, STAGE_DOCTOR)}}, 10,
     "2004 平成16 4 大学院博士課程　入学;2005 平成17 4 大学院博士課程　休学;"
     "2006 平成18 4 大学院博士課程　復学;2008 平成20 3 大学院博士課程　修了"},
    // A return ahead is left out, the 卒業 ahead kept as 見込み.
    {History{.end = {STAGE_UNIVERSITY}, .events = {Leave({2000, 10}, {2001, 4})}}, 5,
     "1998 平成10 4 大学　入学;2000 平成12 10 大学　休学;2002 平成14 9 大学　卒業見込み",
     CivilDate{2001, 1, 31}},
    // The last year skipped as a 飛び入学: the 高校 is left, not finished.
    {History{.end = {STAGE_UNIVERSITY},
             .changes = {{STAGE_HIGH_SCHOOL, &StageRecord::nCourseMonths, 24}},
             .skipped = STAGE_HIGH_SCHOOL},
     4,
     "1995 平成7 4 高等学校　入学;1997 平成9 3 高等学校　中途退学（飛び入学のため）;"
     "1997 平成9 4 大学　入学;2001 平成13 3 大学　卒業",
     kToday, Block(1, "", "", std::nullopt, SkipWording::EarlyEntry)},
};

// The rows from the 高校's entry on.
TEST(SchoolEvents, RowsFollowTheEvents) {
    ExpectRows(ResumeStart::HighSchoolEntry, kRows);
}

// Each event that cannot have happened, with the bounds it breaks.
TEST(SchoolEvents, EventsThatCannotHaveHappenedAreFound) {
    using P = EventProblemKind;
    const struct {
        History history;
        EventProblem problem;
    } cases[] = {
        // Begun within the course: from the entry to the leaving it had without this 休学.
        {History{.events = {Leave({1998, 3}, {1999, 3})}},
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        {History{.events = {Leave({2002, 4}, {2003, 3})}},
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        // Begun in a half-year that an earlier 休学 added, or in one that none did.
        {History{.events = {Leave({2000, 4}, {2000, 10}), Leave({2002, 6}, {2002, 12}),
                            Leave({2003, 4}, {2003, 5})}},
         {P::OutsideEnrolment, 2, -1, {1998, 4}, {2003, 3}}},
        {History{.events = {Leave({2000, 4}, {2000, 4})}}, {P::ReturnNotAfterStart, 0}},
        {History{.events = {Leave({2000, 4}, {2001, 4}), Leave({2001, 3}, {2001, 9})}},
         {P::Overlap, 1, 0}},
        {History{.end = {STAGE_UNIVERSITY},
                 .events = {Event(K::Exchange, STAGE_MASTER, {2003, 4}, {2003, 9}, "x")}},
         {P::StageNotReached, 0}},
        {History{.events = {Event(K::TransferIn, STAGE_UNIVERSITY, {1999, 4})}},
         {P::TransferOutsideHighSchool, 0}},
        // A 転入学 comes after the entry.
        {History{.events = {Event(K::TransferIn, STAGE_HIGH_SCHOOL, {1995, 4})}},
         {P::OutsideEnrolment, 0, -1, {1995, 4}, {1998, 3}}},
        // A course only entered is enrolled up to the leaving it would have; nothing begins
        // after the course would have ended without it.
        {History{.end = {STAGE_UNIVERSITY, OUTCOME_DROPPED_OUT},
                 .events = {Leave({2002, 6}, {2002, 9})}},
         {P::OutsideEnrolment, 0, -1, {1998, 4}, {2002, 3}}},
        {History{.exam = EquivalencyExam{{1995, 2}, std::nullopt}},
         {P::PassedBeforeJuniorHigh, kEquivalencyEvent, -1, {1995, 3}, {1995, 3}}},
        {History{.exam = EquivalencyExam{{1995, 3}, std::nullopt}}, {}},  // that month itself
        {History{.exam = EquivalencyExam{{2027, 1}, std::nullopt}}, {P::PassedAfterToday}},
        {History{.exam = EquivalencyExam{{1999, 8}, YearMonth{1995, 3}}},
         {P::OutsideEnrolment, kEquivalencyEvent, -1, {1995, 4}, {1998, 3}}},
        {History{.exam = EquivalencyExam{{1999, 8}, YearMonth{1998, 3}}}, {}},  // its last month
        {History{.changes = {{STAGE_HIGH_SCHOOL, &StageRecord::nCourseMonths, 60}},
                 .exam = EquivalencyExam{{1999, 8}, std::nullopt}},
         {P::NotHighSchoolCourse}},
        {History{.end = {STAGE_JUNIOR_HIGH}, .exam = EquivalencyExam{{1999, 8}, std::nullopt}},
         {P::StageNotReached}},
        // A 高校 replaced by the 認定 is enrolled only until it was left.
        {History{.events = {Leave({1996, 4}, {1996, 9}, STAGE_HIGH_SCHOOL)},
                 .exam = EquivalencyExam{{1999, 8}, YearMonth{1996, 6}}},
         {P::OutsideEnrolment, 0, -1, {1995, 4}, {1996, 6}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        CHistoryData history = Made(c.history);
        history.BuildHistoryText(kToday);
        const auto fields = [](const EventProblem& p) {
            return std::tuple(int(p.kind), p.event, p.other, p.first.year, p.first.month,
                              p.last.year, p.last.month);
        };
        EXPECT_EQ(fields(history.SchoolEventProblem()), fields(c.problem));
    }
}

}  // namespace
