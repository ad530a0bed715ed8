#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

namespace {

using Lines = std::vector<std::string>;

constexpr CivilDate kToday{2026, 12, 6};

Lines TextLines(const CHistoryData& history) {
    Lines lines;
    for (const HistoryEvent& event : history.Events()) lines.push_back(event.text);
    return lines;
}

// The parts of a text split by ';'.
Lines Split(const char* text) {
    Lines parts;
    std::string part;
    for (std::istringstream in(text); std::getline(in, part, ';');) parts.push_back(part);
    return parts;
}

// Makes stage the last one of the route, ended with outcome in course year grade.
void EndAt(CHistoryData& history, int stage, int courseMonths, int outcome, int grade) {
    StageRecord& record = history.Stage(stage);
    record.nCourseMonths = courseMonths;
    record.nNextStage = STAGE_NONE;
    record.nOutcome = outcome;
    record.nEndGrade = grade;
}

const Lines kDefaultRoute = {
    "西暦 1986年(昭和 61年) 4月　小学校入学",    "西暦 1992年(平成  4年) 3月　小学校卒業",
    "西暦 1992年(平成  4年) 4月　中学校入学",    "西暦 1995年(平成  7年) 3月　中学校卒業",
    "西暦 1995年(平成  7年) 4月　高校入学",      "西暦 1998年(平成 10年) 3月　高校卒業",
    "西暦 1998年(平成 10年) 4月　大学入学",      "西暦 2002年(平成 14年) 3月　大学卒業",
    "西暦 2002年(平成 14年) 4月　大学院入学",    "西暦 2004年(平成 16年) 3月　大学院修士修了",
    "西暦 2007年(平成 19年) 3月　大学院博士修了"};

TEST(HistoryText, DefaultModelGoesFromElementarySchoolToTheDoctorate) {
    CHistoryData history;
    std::string text;
    for (const std::string& line : kDefaultRoute) text += line + "\r\n";
    EXPECT_EQ(history.BuildHistoryText(kToday), text + "現在の年齢は46歳と339日です。");
    EXPECT_TRUE(history.Stage(STAGE_JUNIOR_COLLEGE).strLines.empty());
    EXPECT_EQ(history.SchoolName(STAGE_DOCTOR), "大学院博士");
    EXPECT_EQ(history.SchoolName(STAGE_NONE), "");
    EXPECT_EQ(history.SchoolName(STAGE_DOCTOR + 1), "");
    EXPECT_EQ(history.Stage(STAGE_HIGH_SCHOOL).strLines,
              kDefaultRoute[4] + "\r\n" + kDefaultRoute[5] + "\r\n");
}

TEST(HistoryText, ResetRestoresEveryInputButKeepsKeysAndText) {
    CHistoryData history;
    history.BuildHistoryText(kToday);
    const std::string text = history.m_strHistory;
    history.m_nBirthYear = 2001;
    history.m_nBirthMonth = 5;
    history.m_nBirthDay = 9;
    history.m_nShowAge = 1;
    for (StageRecord& stage : history.m_aStage) stage = {1, 2, 3, 4, 5, 6, 7, 8, 1, "x", 10, 11};
    history.Reset();
    history.Reset();
    EXPECT_EQ(history.m_strHistory, text);
    EXPECT_EQ(history.m_aStageKey, CHistoryData().m_aStageKey);
    EXPECT_EQ(history.BuildHistoryText(kToday), text);
}

void AutumnEntryAfterAHalfYearMore(CHistoryData& h) {
    h.Stage(STAGE_UNIVERSITY).nCourseMonths = 54;
    h.Stage(STAGE_MASTER).nEntryMonth = 10;
    EndAt(h, STAGE_MASTER, 24, OUTCOME_DROPPED_OUT, 0);
}

void TransferIntoYear3(CHistoryData& h) {
    h.Stage(STAGE_HIGH_SCHOOL).nNextStage = STAGE_JUNIOR_COLLEGE;
    h.Stage(STAGE_JUNIOR_COLLEGE).nNextStage = STAGE_UNIVERSITY;
    h.Stage(STAGE_JUNIOR_COLLEGE).nTransferGrade = 3;
    h.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_DROPPED_OUT;
}

void DropOutBeyondTheCourse(CHistoryData& h) {
    EndAt(h, STAGE_UNIVERSITY, 48, OUTCOME_DROPPED_OUT, 6);
    h.Stage(STAGE_UNIVERSITY).nRyunenYears = 1;
}

void EntryAndLeavingInJanuary1989(CHistoryData& h) {
    h.Stage(STAGE_ELEMENTARY).nCourseMonths = 34;
    h.Stage(STAGE_JUNIOR_HIGH).nEntryMonth = 1;
    EndAt(h, STAGE_JUNIOR_HIGH, 36, OUTCOME_DROPPED_OUT, 0);
}

// The last lines of the history with the ages shown, split by ';', for a birth date (YYYYMMDD).
TEST(HistoryText, RouteEndsWithTheseLines) {
    const struct {
        void (*change)(CHistoryData&);
        int birth;
        const char* last;
    } cases[] = {
        // The 高専 left in year 4 has also completed the high-school course.
        {[](CHistoryData& h) { EndAt(h, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 4); }, 19800402,
         "西暦 1996年(平成  8年) 4月　高専入学(15歳);西暦 1999年(平成 11年) 3月　高等教育課程修了;"
         "西暦 1999年(平成 11年)  　　高専中退(18歳)"},
        {[](CHistoryData& h) { EndAt(h, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 3); }, 19800101,
         "西暦 1995年(平成  7年) 4月　高専入学(15歳);西暦 1997年(平成  9年)  　　高専中退(17歳)"},
        {[](CHistoryData& h) { EndAt(h, STAGE_HIGH_SCHOOL, 84, OUTCOME_EXPELLED, 4); }, 19800101,
         "西暦 1995年(平成  7年) 4月　高専入学(15歳);西暦 1998年(平成 10年)  　　高専除籍(18歳)"},
        {AutumnEntryAfterAHalfYearMore, 19960601,
         "西暦 2019年(令和元年) 9月　大学卒業(23歳);西暦 2019年(令和元年)10月　大学院入学(23歳)"},
        // Every kind of entry line is aged on the first of its month.
        {TransferIntoYear3, 19800415,
         "西暦 2001年(平成 13年) 4月　大学3年編入(20歳);西暦 2003年(平成 15年) 3月　大学卒業(22歳);"
         "西暦 2003年(平成 15年) 4月　大学院入学(22歳);"
         "西暦 2005年(平成 17年) 3月　大学院修士修了(24歳);"
         "西暦 2005年(平成 17年) 4月　大学院博士(24歳)"},
        // A drop-out beyond the course, with a repeated year, is in its last year, not completed.
        {DropOutBeyondTheCourse, 19800101,
         "西暦 1998年(平成 10年) 4月　大学入学(18歳);西暦 2002年(平成 14年)  　　大学中退(22歳)"},
        {[](CHistoryData& h) { EndAt(h, STAGE_UNIVERSITY, 6, OUTCOME_EXPELLED, 1); }, 19800101,
         "西暦 1998年(平成 10年)  　　大学除籍(18歳)"},
        // Born on 1 April: the earlier school year, and the birthday counts on its day.
        {[](CHistoryData& h) { EndAt(h, STAGE_ELEMENTARY, 72, OUTCOME_DROPPED_OUT, 0); }, 19800401,
         "西暦 1986年(昭和 61年) 4月　小学校入学(6歳)"},
        // A route that does not rise ends.
        {[](CHistoryData& h) { h.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_UNIVERSITY; }, 19800101,
         "西暦 2002年(平成 14年) 3月　大学卒業(22歳)"},
        // An entry is dated and aged by the first of its month, a leaving by its last day:
        // 1989-01-01 is in 昭和, 1989-01-31 in 平成.
        {EntryAndLeavingInJanuary1989, 19800115,
         "西暦 1989年(平成 元年) 1月　小学校卒業(9歳);西暦 1989年(昭和 64年) "
         "1月　中学校入学(8歳)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        CHistoryData history;
        history.m_nBirthYear = c.birth / 10000;
        history.m_nBirthMonth = c.birth / 100 % 100;
        history.m_nBirthDay = c.birth % 100;
        history.m_nShowAge = 1;
        c.change(history);
        history.BuildHistoryText(kToday);
        const Lines last = Split(c.last);
        const Lines lines = TextLines(history);
        ASSERT_GE(lines.size(), last.size());
        EXPECT_EQ(Lines(lines.end() - std::ssize(last), lines.end()), last);
    }
}

// Entry year and leaving date of a stage from the previous stage's leaving (year 2000).
struct DatesCase {
    int previousLeaveMonth, entryMonth, courseMonths, ronin, ryunen;
    int entryYear, leaveYear, leaveMonth;
};

TEST(StageDates, EntryAfterThePreviousLeavingAndLeavingAfterTheCourse) {
    const DatesCase cases[] = {
        {3, 4, 36, 0, 0, 2000, 2003, 3},   // April after March: the same year
        {9, 10, 36, 0, 0, 2000, 2003, 9},  // October after September
        {9, 4, 36, 0, 0, 2001, 2004, 3},   // April after September: the next year
        {3, 10, 36, 0, 0, 2000, 2003, 9},  // October after March: the same year
        {4, 4, 36, 0, 0, 2000, 2003, 3},   // leaving month not after the entry month
        {5, 4, 36, 0, 0, 2001, 2004, 3},   // leaving month just after the entry month
        {3, 4, 54, 0, 0, 2000, 2004, 9},   // half a year more ends in September
        {3, 10, 54, 0, 0, 2000, 2005, 3},  // from October, in March of the year after
        {3, 4, 45, 0, 0, 2000, 2003, 12},  // December stays in its year
        {3, 4, 36, 2, 1, 2002, 2006, 3},   // waited two years, repeated one
    };
    for (const DatesCase& c : cases) {
        CHistoryData history;
        const StageRecord previous = {0, 2000, 0, 0, 0, 0, 0, 0, 0, "", 4, c.previousLeaveMonth};
        StageRecord& stage = history.Stage(STAGE_JUNIOR_HIGH);
        stage.nCourseMonths = c.courseMonths;
        stage.nRoninYears = c.ronin;
        stage.nRyunenYears = c.ryunen;
        stage.nEntryMonth = c.entryMonth;
        EXPECT_EQ(history.ProcessStage(previous, stage, "中学校"), STAGE_HIGH_SCHOOL);
        EXPECT_EQ(std::tuple(stage.nEntryYear, stage.nLeaveYear, stage.nLeaveMonth),
                  std::tuple(c.entryYear, c.leaveYear, c.leaveMonth))
            << c.previousLeaveMonth << " " << c.entryMonth << " " << c.courseMonths;
    }
}

TEST(HistoryAge, CurrentAgeInYearsAndDaysSinceTheLastBirthday) {
    const struct {
        CivilDate birth, today;
        int years, days;  // years -1: refused
    } cases[] = {{{1980, 6, 15}, {2020, 6, 15}, 40, 0},   {{1980, 6, 15}, {2020, 6, 14}, 39, 365},
                 {{1980, 6, 15}, {2021, 6, 14}, 40, 364}, {{1980, 6, 15}, {2020, 7, 1}, 40, 16},
                 {{1980, 6, 15}, {2020, 5, 31}, 39, 351}, {{2000, 2, 29}, {2023, 2, 28}, 22, 364},
                 {{2000, 2, 29}, {2023, 3, 1}, 23, 0},    {{2000, 2, 29}, {2024, 2, 29}, 24, 0},
                 {{1990, 3, 31}, {2020, 4, 30}, 30, 30},  {{1990, 4, 31}, {2020, 5, 1}, 30, 0},
                 {{1980, 12, 31}, {2021, 1, 1}, 40, 1},   {{1980, 1, 1}, {2020, 12, 31}, 40, 365},
                 {{1980, 0, 1}, {2020, 1, 1}, -1, 0},     {{1980, 13, 1}, {2020, 1, 1}, -1, 0},
                 {{1980, 1, 0}, {2020, 1, 1}, -1, 0},     {{1980, 1, 32}, {2020, 1, 1}, -1, 0},
                 {{1980, 1, 1}, {2020, 0, 1}, -1, 0},     {{1980, 1, 1}, {2020, 13, 1}, -1, 0},
                 {{1980, 1, 1}, {2020, 1, 0}, -1, 0},     {{1980, 1, 1}, {2020, 1, 32}, -1, 0}};
    for (const auto& c : cases) {
        CHistoryData history;
        history.m_nBirthYear = c.birth.year;
        history.m_nBirthMonth = c.birth.month;
        history.m_nBirthDay = c.birth.day;
        SCOPED_TRACE(testing::Message() << c.birth.month << "/" << c.birth.day << " to "
                                        << c.today.month << "/" << c.today.day);
        std::string text;
        if (c.years < 0) {
            EXPECT_THROW(history.FormatCurrentAge(text, c.today), std::invalid_argument);
            continue;
        }
        EXPECT_EQ(history.FormatCurrentAge(text, c.today), c.years);
        EXPECT_EQ(text, "現在の年齢は" + std::to_string(c.years) + "歳と" + std::to_string(c.days) +
                            "日です。");
    }
}

TEST(HistoryRoute, StageWhoseCourseATransferUsesUpIsFound) {
    const struct {
        int juniorHighMonths, transferGrade, universityMonths, found;
    } cases[] = {{36, 0, 48, STAGE_NONE},       {0, 0, 48, STAGE_JUNIOR_HIGH},
                 {36, 3, 24, STAGE_UNIVERSITY}, {36, 3, 25, STAGE_NONE},
                 {36, 3, 36, STAGE_NONE},       {36, 2, 12, STAGE_UNIVERSITY}};
    for (const auto& c : cases) {
        CHistoryData history;
        history.Stage(STAGE_JUNIOR_HIGH).nCourseMonths = c.juniorHighMonths;
        history.Stage(STAGE_HIGH_SCHOOL).nTransferGrade = c.transferGrade;
        history.Stage(STAGE_UNIVERSITY).nCourseMonths = c.universityMonths;
        EXPECT_EQ(history.FindStageWithoutCourse(), c.found)
            << c.transferGrade << " " << c.universityMonths;
    }
    CHistoryData doctor;  // the route's last stage counts too
    doctor.Stage(STAGE_DOCTOR).nCourseMonths = 0;
    EXPECT_EQ(doctor.FindStageWithoutCourse(), STAGE_DOCTOR);
    CHistoryData looping;
    looping.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_UNIVERSITY;
    looping.Stage(STAGE_MASTER).nCourseMonths = 0;
    EXPECT_EQ(looping.FindStageWithoutCourse(), STAGE_NONE);
}

// The résumé rows of a history.

void TechnicalCollegeYear4(CHistoryData& history) {
    history.m_nBirthMonth = 4;
    history.m_nBirthDay = 2;
    EndAt(history, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 4);
}

void MasterFrom2019(CHistoryData& history) {
    history.m_nBirthYear = 1997;
    history.Stage(STAGE_MASTER).nNextStage = STAGE_NONE;
}

void ReiwaDoctorEntered(CHistoryData& history) {
    history.m_nBirthYear = 1996;
    history.m_nBirthMonth = 6;
    history.Stage(STAGE_UNIVERSITY).nCourseMonths = 54;
    history.Stage(STAGE_MASTER).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_DROPPED_OUT;
}

void HeiseiTransferExpelled(CHistoryData& history) {
    history.m_nBirthYear = 1971;
    history.Stage(STAGE_HIGH_SCHOOL).nNextStage = STAGE_JUNIOR_COLLEGE;
    history.Stage(STAGE_JUNIOR_COLLEGE).nTransferGrade = 3;
    history.Stage(STAGE_JUNIOR_COLLEGE).nNextStage = STAGE_UNIVERSITY;
    EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_EXPELLED, 2);
}

void ExpelledIn2019(CHistoryData& history) {
    history.m_nBirthYear = 1998;
    EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_EXPELLED, 4);
}

// The 7-year 高専: completed (with a repeated year), or left in a year of it.
template <int kYear>
void Advanced(CHistoryData& history) {
    EndAt(history, STAGE_HIGH_SCHOOL, 84, kYear ? OUTCOME_DROPPED_OUT : OUTCOME_COMPLETED, kYear);
    history.Stage(STAGE_HIGH_SCHOOL).nRyunenYears = kYear ? 0 : 1;
}

// Every row from the 小学校's entry on, without a heading; a stage's school named.
ResumeOptions Rows(int stage = 1, const char* name = "", const char* department = "",
                   std::optional<int> leavingMonth = std::nullopt) {
    ResumeOptions options{ResumeStart::ElementaryEntry, false, {}, leavingMonth};
    options.schools[std::size_t(stage - 1)] = {name, department};
    return options;
}

// The number of rows, then the last rows, each "西暦 和暦 月 学歴" ("-": no month), split by ';'.
struct ResumeCase {
    void (*setup)(CHistoryData&);
    int today;  // YYYYMMDD
    ResumeOptions options;
    std::size_t count;
    const char* tail;
};

const ResumeCase kCases[] = {
    // The defaults, with the implied entry into the doctorate.
    {nullptr, 20261206, Rows(), 12,
     "2002 平成14 3 大学　卒業;2002 平成14 4 大学院修士課程　入学;"
     "2004 平成16 3 大学院修士課程　修了;2004 平成16 4 大学院博士課程　入学;"
     "2007 平成19 3 大学院博士課程　修了"},
    {TechnicalCollegeYear4, 20261206, Rows(), 7,
     "1996 平成8 4 高等専門学校　入学;1999 平成11 3 高等専門学校　第3学年修了;"
     "1999 平成11 - 高等専門学校　中途退学"},
    {ReiwaDoctorEntered, 20261206, Rows(), 11,
     "2015 平成27 4 大学　入学;2019 令和元 9 大学　卒業;2019 令和元 10 大学院修士課程　入学;"
     "2021 令和3 9 大学院修士課程　修了;2021 令和3 10 大学院博士課程　入学"},
    // A row without a month lies after today only in a later year.
    {HeiseiTransferExpelled, 19920101, Rows(), 10,
     "1989 平成元 3 高等学校　卒業;1989 平成元 4 短期大学　入学;1991 平成3 3 短期大学　卒業;"
     "1991 平成3 4 大学　3年次編入学;1992 平成4 - 大学　除籍"},
    // 見込み up to the last day of the leaving month.
    {MasterFrom2019, 20190315, Rows(), 8, "2019 平成31 3 大学　卒業見込み"},
    {MasterFrom2019, 20190331, Rows(), 8, "2019 平成31 3 大学　卒業"},
    {MasterFrom2019, 20190401, Rows(), 10,
     "2019 平成31 4 大学院修士課程　入学;2021 令和3 3 大学院修士課程　修了見込み"},
    {TechnicalCollegeYear4, 19981231, Rows(), 6, "1999 平成11 3 高等専門学校　第3学年修了見込み"},
    // Names, departments and the course of a graduate school, in their order.
    {nullptr, 20010401, Rows(STAGE_UNIVERSITY, "東都大学", "経済学部　経済学科"), 8,
     "1998 平成10 4 東都大学　経済学部　経済学科　入学;"
     "2002 平成14 3 東都大学　経済学部　経済学科　卒業見込み"},
    {MasterFrom2019, 20261206, Rows(STAGE_MASTER, "東都大学大学院", "経済学研究科　経済学専攻"), 10,
     "2019 平成31 4 東都大学大学院　経済学研究科　経済学専攻　修士課程　入学;"
     "2021 令和3 3 東都大学大学院　経済学研究科　経済学専攻　修士課程　修了"},
    {MasterFrom2019, 20261206, Rows(STAGE_MASTER, "", "経済学研究科"), 10,
     "2021 令和3 3 大学院修士課程　経済学研究科　修了"},
    // The 7-year 高専: the main course (with its repeated year) and the 専攻科.
    {Advanced<0>, 20261206, Rows(), 8,
     "1995 平成7 4 高等専門学校　入学;2001 平成13 3 高等専門学校　卒業;"
     "2001 平成13 4 高等専門学校専攻科　入学;2003 平成15 3 高等専門学校専攻科　修了"},
    {Advanced<0>, 20020101, Rows(STAGE_HIGH_SCHOOL, "東都高専", "機械工学科"), 8,
     "2001 平成13 3 東都高専　機械工学科　卒業;2001 平成13 4 東都高専　専攻科　入学;"
     "2003 平成15 3 東都高専　専攻科　修了見込み"},
    {Advanced<0>, 20000331, Rows(), 6, "2001 平成13 3 高等専門学校　卒業見込み"},
    {Advanced<6>, 20261206, Rows(), 8,
     "2000 平成12 3 高等専門学校　卒業;2000 平成12 4 高等専門学校専攻科　入学;"
     "2000 平成12 - 高等専門学校専攻科　中途退学"},
    {Advanced<5>, 20261206, Rows(), 7,
     "1995 平成7 4 高等専門学校　入学;1998 平成10 3 高等専門学校　第3学年修了;"
     "1999 平成11 - 高等専門学校　中途退学"},
    // A leaving month before the entry month falls in the next calendar year; the era follows.
    {Advanced<7>, 20261206, Rows(1, "", "", 2), 8, "2002 平成14 2 高等専門学校専攻科　中途退学"},
    {ExpelledIn2019, 20261206, Rows(1, "", "", 5), 8, "2019 令和元 5 大学　除籍"},
    {ExpelledIn2019, 20261206, Rows(1, "", "", 4), 8, "2019 平成31 4 大学　除籍"},
};

TEST(ResumeRows, RowsInBothCalendars) {
    for (const ResumeCase& c : kCases) {
        SCOPED_TRACE(c.tail);
        CHistoryData history;
        if (c.setup) c.setup(history);
        const CivilDate today{c.today / 10000, c.today / 100 % 100, c.today % 100};
        history.BuildHistoryText(today);
        const std::vector<ResumeRow> rows = BuildResumeRows(history, today, c.options);
        ASSERT_EQ(rows.size(), c.count);
        std::string seireki, wareki;
        const Lines lines = Split(c.tail);
        for (const std::string& line : lines) {
            std::istringstream fields(line);
            std::string year, era, month, text;
            fields >> year >> era >> month >> text;
            if (month == "-") month.clear();
            seireki += year + '\t' + month + '\t' + text + '\n';
            wareki += era + '\t' + month + '\t' + text + '\n';
        }
        const std::vector<ResumeRow> tail(rows.end() - std::ssize(lines), rows.end());
        EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Seireki), seireki);
        EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Wareki), wareki);
    }
}

// Where the block starts, and its heading, for each 最終学歴: the texts of all rows.
TEST(ResumeRows, StartAndHeadingForEachFinalSchool) {
    using S = ResumeStart;
    const struct {
        int finalStage;
        ResumeStart start;
        const char* texts;
    } cases[] = {
        {STAGE_ELEMENTARY, S::JuniorHighGraduation, "学歴 小学校　卒業"},
        {STAGE_ELEMENTARY, S::ElementaryEntry, "学歴 小学校　入学 小学校　卒業"},
        {STAGE_JUNIOR_HIGH, S::JuniorHighGraduation, "学歴 中学校　卒業"},
        {STAGE_JUNIOR_HIGH, S::HighSchoolEntry, "学歴 中学校　卒業"},
        {STAGE_HIGH_SCHOOL, S::JuniorHighGraduation,
         "学歴 中学校　卒業 高等学校　入学 高等学校　卒業"},
        {STAGE_HIGH_SCHOOL, S::HighSchoolEntry, "学歴 高等学校　入学 高等学校　卒業"},
    };
    for (const auto& c : cases) {
        CHistoryData history;
        EndAt(history, c.finalStage, history.Stage(c.finalStage).nCourseMonths, OUTCOME_COMPLETED,
              0);
        history.BuildHistoryText({2026, 12, 6});
        ResumeOptions options;
        options.start = c.start;
        std::string texts;
        for (const ResumeRow& row : BuildResumeRows(history, {2026, 12, 6}, options))
            texts += (texts.empty() ? "" : " ") + row.text;
        EXPECT_EQ(texts, c.texts) << c.finalStage << " " << int(c.start);
    }
    CHistoryData history;
    history.BuildHistoryText({2026, 12, 6});
    const auto rows = BuildResumeRows(history, {1980, 1, 2}, {});  // no row yet, no heading
    EXPECT_TRUE(rows.empty());
    const ResumeRow heading = BuildResumeRows(history, {2026, 12, 6}, {}).front();
    EXPECT_EQ(ResumeCells(heading, ResumeCalendar::Wareki),
              (std::array<std::string, 3>{"", "", "学歴"}));
}

TEST(ResumeRows, MissingLeavingMonthIsNamed) {
    CHistoryData history;
    EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_DROPPED_OUT, 2);
    history.BuildHistoryText({2026, 12, 6});
    const auto rows = BuildResumeRows(history, {2026, 12, 6}, {});
    EXPECT_EQ(MissingMonthNote(rows),
              "「大学　中途退学」の月が空いています。中途退学・除籍した月を入力すると、その月が入り"
              "ます。");
    ResumeOptions withMonth;
    withMonth.leavingMonth = 9;
    EXPECT_EQ(MissingMonthNote(BuildResumeRows(history, {2026, 12, 6}, withMonth)), "");
}

// Blanks are trimmed (the full-width one too) before the length is counted; texts with a control
// character, a line or paragraph separator, or bytes that are no UTF-8 are refused.
TEST(ResumeRows, SchoolTextsAreTrimmedAndRefused) {
    using P = SchoolTextProblem;
    const std::string sixty(60, 'a'), kanji = std::string(59, 'a') + "学";
    for (const std::string text : {"経済学部　経済学科", kanji.c_str(), sixty.c_str(),
                                   "\xEE\x80\x80", "\xF4\x8F\xBF\xBF", "a\u00A0b"}) {
        for (const std::string& typed : {text, "　 " + text + " 　", "　 " + text, text + "　 "}) {
            std::string cleaned;
            EXPECT_EQ(CleanSchoolText(typed, cleaned), P::None) << typed;
            EXPECT_EQ(cleaned, text);
        }
    }
    std::string cleaned;
    EXPECT_EQ(CleanSchoolText(sixty + "b", cleaned), P::TooLong);
    EXPECT_EQ(cleaned, "");
    // NEL, a line separator, cut short, overlong, surrogates (first and last), beyond U+10FFFF.
    for (const char* text :
         {"東都\t大学", "東都\n", "a\x7F", "a\xC2\x85", "a\u2028b", "a\xE6\x9D", "\xC0\xAF",
          "\xE0\x80\xAF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80"}) {
        EXPECT_EQ(CleanSchoolText(text, cleaned), P::ControlCharacter) << text;
        EXPECT_EQ(cleaned, "");
    }
}

TEST(ResumeRows, CsvBytesQuotingAndFormulaCells) {
    const std::vector<ResumeRow> rows = {{1998, "平成", 10, 4, "高等学校　入学"},
                                         {1999, "平成", 11, std::nullopt, "a,\"b\"\r\nc"},
                                         {2000, "平成", 12, 3, "=1+1"},
                                         {2000, "平成", 12, 3, "@SUM(A1)"},
                                         {2000, "平成", 12, 3, "-2,\t"},
                                         {2000, "平成", 12, 3, "+1"},
                                         {2000, "平成", 12, 3, "\tx"},
                                         {2000, "平成", 12, 3, "\rx"}};
    EXPECT_EQ(
        ResumeCsv(rows, ResumeCalendar::Wareki),
        "\xEF\xBB\xBF年,月,学歴\r\n平成10,4,高等学校　入学\r\n平成11,,\"a,\"\"b\"\"\r\nc\"\r\n"
        "平成12,3,'=1+1\r\n平成12,3,'@SUM(A1)\r\n平成12,3,\"'-2,\t\"\r\n平成12,3,'+1\r\n"
        "平成12,3,'\tx\r\n平成12,3,\"'\rx\"\r\n");
    EXPECT_EQ(ResumeCsv({}, ResumeCalendar::Seireki), "\xEF\xBB\xBF年,月,学歴\r\n");
    // The tab-separated copy guards a formula cell the same way, quoting nothing.
    EXPECT_EQ(ResumeTsv({rows[0], rows[2], rows[5]}, ResumeCalendar::Seireki),
              "1998\t4\t高等学校　入学\n2000\t3\t'=1+1\n2000\t3\t'+1\n");
}

}  // namespace
