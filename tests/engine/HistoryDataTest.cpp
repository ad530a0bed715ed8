#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/Engine.h"

namespace {

using K = SchoolEventKind;

// The 高専 left in year 4, having completed the high-school course.
const History kTechnicalCollegeYear4{
    .birth = 19800402, .end = {STAGE_HIGH_SCHOOL, OUTCOME_DROPPED_OUT, 4}, .months = 60};
// A transfer from the 短大 into the 大学's year 3.
const std::vector<StageChange> kTransferIntoYear3 = {
    {STAGE_HIGH_SCHOOL, &StageRecord::nNextStage, STAGE_JUNIOR_COLLEGE},
    {STAGE_JUNIOR_COLLEGE, &StageRecord::nNextStage, STAGE_UNIVERSITY},
    {STAGE_JUNIOR_COLLEGE, &StageRecord::nTransferGrade, 3}};

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
    EXPECT_EQ(history.BuildHistoryText(kToday), text + "現在の年齢は46歳と340日です。");
    EXPECT_EQ(history.SchoolName(STAGE_NONE), "");
    EXPECT_EQ(history.SchoolName(STAGE_DOCTOR + 1), "");
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
    EXPECT_EQ(history.m_strHistory, text);
    EXPECT_EQ(history.m_aStageKey, CHistoryData().m_aStageKey);
    EXPECT_EQ(history.BuildHistoryText(kToday), text);
}

// The last lines of the history with the ages shown, split by ';'.
TEST(HistoryText, RouteEndsWithTheseLines) {
    const std::pair<History, const char*> cases[] = {
        {kTechnicalCollegeYear4,
         "西暦 1996年(平成  8年) 4月　高専入学(15歳);西暦 1999年(平成 11年) 3月　高等教育課程修了;"
         "西暦 1999年(平成 11年)  　　高専中退(18歳)"},
        {History{.end = {STAGE_HIGH_SCHOOL, OUTCOME_DROPPED_OUT, 3}, .months = 60},
         "西暦 1995年(平成  7年) 4月　高専入学(15歳);西暦 1997年(平成  9年)  　　高専中退(17歳)"},
        {History{.end = {STAGE_HIGH_SCHOOL, OUTCOME_EXPELLED, 4}, .months = 84},
         "西暦 1995年(平成  7年) 4月　高専入学(15歳);西暦 1998年(平成 10年)  　　高専除籍(18歳)"},
        // Half a year more, then an autumn entry.
        {History{.birth = 19960601,
                 .end = {STAGE_MASTER, OUTCOME_DROPPED_OUT},
                 .changes = {{STAGE_UNIVERSITY, &StageRecord::nCourseMonths, 54},
                             {STAGE_MASTER, &StageRecord::nEntryMonth, 10}}},
         "西暦 2019年(令和元年) 9月　大学卒業(23歳);西暦 2019年(令和元年)10月　大学院入学(23歳)"},
        // Every kind of entry line is aged on the first of its month.
        {History{.birth = 19800415,
                 .end = {STAGE_DOCTOR, OUTCOME_DROPPED_OUT},
                 .changes = kTransferIntoYear3},
         "西暦 2001年(平成 13年) 4月　大学3年編入(20歳);西暦 2003年(平成 15年) 3月　大学卒業(22歳);"
         "西暦 2003年(平成 15年) 4月　大学院入学(22歳);"
         "西暦 2005年(平成 17年) 3月　大学院修士修了(24歳);"
         "西暦 2005年(平成 17年) 4月　大学院博士(24歳)"},
        // A drop-out beyond the course, with a repeated year, is in its last year, not completed.
        {History{.end = {STAGE_UNIVERSITY, OUTCOME_DROPPED_OUT, 6},
                 .changes = {{STAGE_UNIVERSITY, &StageRecord::nRyunenYears, 1}}},
         "西暦 1998年(平成 10年) 4月　大学入学(18歳);西暦 2002年(平成 14年)  　　大学中退(22歳)"},
        {History{.end = {STAGE_UNIVERSITY, OUTCOME_EXPELLED, 1}, .months = 6},
         "西暦 1998年(平成 10年)  　　大学除籍(18歳)"},
        // Born on 1 April: the earlier school year, and the birthday counts on its day.
        {History{.birth = 19800401, .end = {STAGE_ELEMENTARY, OUTCOME_DROPPED_OUT}},
         "西暦 1986年(昭和 61年) 4月　小学校入学(6歳)"},
        // A route that does not rise ends.
        {History{.changes = {{STAGE_UNIVERSITY, &StageRecord::nNextStage, STAGE_UNIVERSITY}}},
         "西暦 2002年(平成 14年) 3月　大学卒業(22歳)"},
        // An entry is dated and aged by the first of its month, a leaving by its last day:
        // 1989-01-01 is in 昭和, 1989-01-31 in 平成.
        {History{.birth = 19800115,
                 .end = {STAGE_JUNIOR_HIGH, OUTCOME_DROPPED_OUT},
                 .changes = {{STAGE_ELEMENTARY, &StageRecord::nCourseMonths, 34},
                             {STAGE_JUNIOR_HIGH, &StageRecord::nEntryMonth, 1}}},
         "西暦 1989年(平成 元年) 1月　小学校卒業(9歳);西暦 1989年(昭和 64年) "
         "1月　中学校入学(8歳)"},
        // The lines of a 高卒認定, a 留学 and a 休学, which moves the 単位取得退学.
        {History{.end = {STAGE_DOCTOR, OUTCOME_CREDITS_WITHDRAWN},
                 .events = {Event(K::Exchange, STAGE_UNIVERSITY, {1999, 9}, {2000, 6}, "パリ"),
                            Event(K::StudyAbroad, STAGE_MASTER, {2002, 9}, {2003, 3}, "パリ"),
                            Leave({2006, 1}, {2006, 4}, STAGE_DOCTOR)},
                 .exam = EquivalencyExam{{1997, 8}, std::nullopt}},
         "西暦 1997年(平成  9年) 8月　高卒認定合格(17歳);"
         "西暦 1998年(平成 10年) 4月　大学入学(18歳);"
         "西暦 1999年(平成 11年) 9月　大学交換留学(19歳);"
         "西暦 2002年(平成 14年) 3月　大学卒業(22歳);"
         "西暦 2002年(平成 14年) 4月　大学院入学(22歳);"
         "西暦 2002年(平成 14年) 9月　大学院修士留学(22歳);"
         "西暦 2004年(平成 16年) 9月　大学院修士修了(24歳);"
         "西暦 2006年(平成 18年) 1月　大学院博士休学(26歳);"
         "西暦 2006年(平成 18年) 4月　大学院博士復学(26歳);"
         "西暦 2008年(平成 20年) 9月　大学院博士単位取得退学(28歳)"}};
    for (const auto& [setup, expected] : cases) {
        SCOPED_TRACE(expected);
        CHistoryData history = Made(setup);
        history.m_nShowAge = 1;
        history.BuildHistoryText(kToday);
        const Lines last = Split(expected);
        Lines lines;
        for (const HistoryEvent& event : history.Events()) lines.push_back(event.text);
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
        {9, 10, 36, 0, 0, 2000, 2003, 9},  // October after September
        {4, 4, 36, 0, 0, 2000, 2003, 3},   // leaving month not after the entry month
        {5, 4, 36, 0, 0, 2001, 2004, 3},   // leaving month just after the entry month
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
        int birth;  // YYYYMMDD
        CivilDate today;
        int years, days;
    } cases[] = {{19800615, {2020, 6, 15}, 40, 0},   {19800615, {2020, 6, 14}, 39, 365},
                 {19800615, {2020, 7, 1}, 40, 16},   {19800615, {2020, 5, 31}, 39, 351},
                 {20000229, {2023, 2, 28}, 22, 364}, {20000229, {2023, 3, 1}, 23, 0},
                 {20000229, {2024, 2, 29}, 24, 0},   {19900331, {2020, 4, 30}, 30, 30},
                 {19900431, {2020, 5, 1}, 30, 0},    {19801231, {2021, 1, 1}, 40, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.birth << " to " << c.today.month << "/" << c.today.day);
        std::string text;
        EXPECT_EQ(Made({.birth = c.birth}).FormatCurrentAge(text, c.today), c.years);
        EXPECT_EQ(text, "現在の年齢は" + std::to_string(c.years) + "歳と" + std::to_string(c.days) +
                            "日です。");
    }
    // A month or a day that no calendar has, in the birth date or in today.
    for (const auto& [month, day] : {std::pair{0, 1}, {13, 1}, {1, 0}, {1, 32}}) {
        std::string text;
        EXPECT_THROW(Made({.birth = 19800000 + month * 100 + day}).FormatCurrentAge(text, kToday),
                     std::invalid_argument);
        EXPECT_THROW(CHistoryData().FormatCurrentAge(text, {2020, month, day}),
                     std::invalid_argument);
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

// The 大学院修士 entered in 2019 and completed.
const History kMasterFrom2019{.birth = 19970101, .end = {STAGE_MASTER}};
const History kExpelledIn2019{.birth = 19980101, .end = {STAGE_UNIVERSITY, OUTCOME_EXPELLED, 4}};

// The 7-year 高専: completed (with a repeated year), or left in a year of it.
History Advanced(int year) {
    if (!year)
        return {.end = {STAGE_HIGH_SCHOOL},
                .months = 84,
                .changes = {{STAGE_HIGH_SCHOOL, &StageRecord::nRyunenYears, 1}}};
    return {.end = {STAGE_HIGH_SCHOOL, OUTCOME_DROPPED_OUT, year}, .months = 84};
}

const RowsCase kCases[] = {
    // The defaults, with the implied entry into the doctorate.
    {History{}, 12,
     "2002 平成14 3 大学　卒業;2002 平成14 4 大学院修士課程　入学;"
     "2004 平成16 3 大学院修士課程　修了;2004 平成16 4 大学院博士課程　入学;"
     "2007 平成19 3 大学院博士課程　修了"},
    {kTechnicalCollegeYear4, 7,
     "1996 平成8 4 高等専門学校　入学;1999 平成11 3 高等専門学校　第3学年修了;"
     "1999 平成11 - 高等専門学校　中途退学"},
    {History{.birth = 19960601,
             .end = {STAGE_DOCTOR, OUTCOME_DROPPED_OUT},
             .changes = {{STAGE_UNIVERSITY, &StageRecord::nCourseMonths, 54},
                         {STAGE_MASTER, &StageRecord::nEntryMonth, 10},
                         {STAGE_DOCTOR, &StageRecord::nEntryMonth, 10}}},
     11,
     "2015 平成27 4 大学　入学;2019 令和元 9 大学　卒業;2019 令和元 10 大学院修士課程　入学;"
     "2021 令和3 9 大学院修士課程　修了;2021 令和3 10 大学院博士課程　入学"},
    // A row without a month lies after today only in a later year.
    {History{.birth = 19710101,
             .end = {STAGE_UNIVERSITY, OUTCOME_EXPELLED, 2},
             .changes = kTransferIntoYear3},
     10,
     "1989 平成元 3 高等学校　卒業;1989 平成元 4 短期大学　入学;1991 平成3 3 短期大学　卒業;"
     "1991 平成3 4 大学　3年次編入学;1992 平成4 - 大学　除籍",
     CivilDate{1992, 1, 1}},
    // 見込み up to the last day of the leaving month.
    {kMasterFrom2019, 8, "2019 平成31 3 大学　卒業見込み", CivilDate{2019, 3, 15}},
    {kMasterFrom2019, 8, "2019 平成31 3 大学　卒業", CivilDate{2019, 3, 31}},
    {kMasterFrom2019, 10,
     "2019 平成31 4 大学院修士課程　入学;2021 令和3 3 大学院修士課程　修了見込み",
     CivilDate{2019, 4, 1}},
    {kTechnicalCollegeYear4, 6, "1999 平成11 3 高等専門学校　第3学年修了見込み",
     CivilDate{1998, 12, 31}},
    // Names, departments and the course of a graduate school, in their order.
    {History{}, 8,
     "1998 平成10 4 東都大学　経済学部　経済学科　入学;"
     "2002 平成14 3 東都大学　経済学部　経済学科　卒業見込み",
     CivilDate{2001, 4, 1}, Block(STAGE_UNIVERSITY, "東都大学", "経済学部　経済学科")},
    {kMasterFrom2019, 10,
     "2019 平成31 4 東都大学大学院　経済学研究科　経済学専攻　修士課程　入学;"
     "2021 令和3 3 東都大学大学院　経済学研究科　経済学専攻　修士課程　修了",
     kToday, Block(STAGE_MASTER, "東都大学大学院", "経済学研究科　経済学専攻")},
    {kMasterFrom2019, 10, "2021 令和3 3 大学院修士課程　経済学研究科　修了", kToday,
     Block(STAGE_MASTER, "", "経済学研究科")},
    // The 7-year 高専: the main course (with its repeated year) and the 専攻科.
    {Advanced(0), 8,
     "1995 平成7 4 高等専門学校　入学;2001 平成13 3 高等専門学校　卒業;"
     "2001 平成13 4 高等専門学校専攻科　入学;2003 平成15 3 高等専門学校専攻科　修了"},
    {Advanced(0), 8,
     "2001 平成13 3 東都高専　機械工学科　卒業;2001 平成13 4 東都高専　専攻科　入学;"
     "2003 平成15 3 東都高専　専攻科　修了見込み",
     CivilDate{2002, 1, 1}, Block(STAGE_HIGH_SCHOOL, "東都高専", "機械工学科")},
    {Advanced(6), 8,
     "2000 平成12 3 高等専門学校　卒業;2000 平成12 4 高等専門学校専攻科　入学;"
     "2000 平成12 - 高等専門学校専攻科　中途退学"},
    {Advanced(5), 7,
     "1995 平成7 4 高等専門学校　入学;1998 平成10 3 高等専門学校　第3学年修了;"
     "1999 平成11 - 高等専門学校　中途退学"},
    // A leaving month before the entry month falls in the next calendar year; the era follows.
    {Advanced(7), 8, "2002 平成14 2 高等専門学校専攻科　中途退学", kToday, Block(1, "", "", 2)},
    {kExpelledIn2019, 8, "2019 令和元 5 大学　除籍", kToday, Block(1, "", "", 5)},
    {kExpelledIn2019, 8, "2019 平成31 4 大学　除籍", kToday, Block(1, "", "", 4)},
};

// Every row from the 小学校's entry on.
TEST(ResumeRows, RowsInBothCalendars) {
    ExpectRows(ResumeStart::ElementaryEntry, kCases);
}

// Where the block starts, its heading, and its closing row, for each 最終学歴: the texts of all
// rows.
TEST(ResumeRows, StartHeadingAndClosingForEachFinalSchool) {
    using S = ResumeStart;
    const struct {
        History history;
        ResumeStart start;
        const char* texts;
        bool closing = false;
    } cases[] = {
        {History{.end = {STAGE_HIGH_SCHOOL}}, S::JuniorHighGraduation,
         "学歴;中学校　卒業;高等学校　入学;高等学校　卒業"},
        // From the 高校's leaving, or the 高卒認定 that takes its place.
        {History{.end = {STAGE_UNIVERSITY}}, S::HighSchoolGraduation,
         "学歴;高等学校　卒業;大学　入学;大学　卒業;以上", true},
        {History{.end = {STAGE_UNIVERSITY}, .exam = EquivalencyExam{{2000, 8}, YearMonth{1996, 6}}},
         S::HighSchoolGraduation,
         "学歴;高等学校　中途退学;高等学校卒業程度認定試験　合格;大学　入学;大学　卒業;以上", true},
        {History{.end = {STAGE_UNIVERSITY}, .exam = EquivalencyExam{{1998, 2}, std::nullopt}},
         S::HighSchoolGraduation, "学歴;高等学校卒業程度認定試験　合格;大学　入学;大学　卒業;以上",
         true},
        // The 7-year 高専: its main course's 卒業.
        {History{.end = {STAGE_HIGH_SCHOOL}, .months = 84}, S::HighSchoolGraduation,
         "学歴;高等専門学校　卒業;高等専門学校専攻科　入学;高等専門学校専攻科　修了;以上", true},
        // A history that ends before the start keeps its last row.
        {History{.end = {STAGE_JUNIOR_HIGH}}, S::HighSchoolGraduation, "学歴;中学校　卒業;以上",
         true},
    };
    for (const auto& c : cases) {
        std::string texts;
        for (const ResumeRow& row : RowsOf(c.history, {.start = c.start, .closing = c.closing}))
            texts += (texts.empty() ? "" : ";") + row.text;
        EXPECT_EQ(texts, c.texts) << int(c.start);
    }
    EXPECT_TRUE(RowsOf({}, {}, {1980, 1, 2}).empty());  // no row yet, no heading
    const std::vector<ResumeRow> rows = RowsOf({}, {.closing = true});
    EXPECT_EQ(ResumeTsv({rows.front(), rows.back()}, ResumeCalendar::Seireki),
              "\t\t学歴\n\t\t以上\n");
}

TEST(ResumeRows, MissingLeavingMonthIsNamed) {
    const History dropped{.end = {STAGE_UNIVERSITY, OUTCOME_DROPPED_OUT, 2}};
    EXPECT_EQ(MissingMonthNote(RowsOf(dropped, {})),
              "「大学　中途退学」の月が空いています。中途退学・除籍した月を入力すると、その月が入り"
              "ます。");
    EXPECT_EQ(MissingMonthNote(RowsOf(dropped, {.leavingMonth = 9})), "");
}

// Blanks are trimmed (the full-width one too) before the length is counted; texts with a control
// character, a line or paragraph separator, or bytes that are no UTF-8 are refused.
TEST(ResumeRows, SchoolTextsAreTrimmedAndRefused) {
    using P = SchoolTextProblem;
    const std::string sixty(60, 'a'), kanji = std::string(59, 'a') + "学";
    for (const std::string text :
         {"経済学部　経済学科", kanji.c_str(), sixty.c_str(), "\xEE\x80\x80"}) {
        for (const std::string& typed : {text, "　 " + text + " 　", "　 " + text, text + "　 "}) {
            std::string cleaned;
            EXPECT_EQ(CleanSchoolText(typed, cleaned), P::None) << typed;
            EXPECT_EQ(cleaned, text);
        }
    }
    std::string cleaned;
    EXPECT_EQ(CleanSchoolText(sixty + "b", cleaned), P::TooLong);
    EXPECT_EQ(cleaned, "");
    // NEL, the paragraph separator and the last surrogate; the edges of each range are the UTF-8
    // samples' (Utf8Test).
    for (const char* text : {"東都\t大学", "東都\n", "a\xC2\x85", "a\u2029b", "\xED\xBF\xBF"}) {
        EXPECT_EQ(CleanSchoolText(text, cleaned), P::ControlCharacter) << text;
        EXPECT_EQ(cleaned, "");
    }
}

TEST(ResumeRows, CsvBytesQuotingAndFormulaCells) {
    std::vector<ResumeRow> rows = {{1999, "平成", 11, std::nullopt, "a,\"b\"\r\nc"}};
    for (const char* text : {"=1+1", "@SUM(A1)", "-2,\t", "+1", "\tx", "\rx"})
        rows.push_back({2000, "平成", 12, 3, text});
    EXPECT_EQ(ResumeCsv(rows, ResumeCalendar::Wareki),
              "\xEF\xBB\xBF年,月,学歴\r\n平成11,,\"a,\"\"b\"\"\r\nc\"\r\n平成12,3,'=1+1\r\n"
              "平成12,3,'@SUM(A1)\r\n平成12,3,\"'-2,\t\"\r\n平成12,3,'+1\r\n平成12,3,'\tx\r\n"
              "平成12,3,\"'\rx\"\r\n");
    // The tab-separated copy guards a formula cell the same way, quoting nothing.
    EXPECT_EQ(ResumeTsv({rows[0], rows[1]}, ResumeCalendar::Seireki),
              "1999\t\ta,\"b\"\r\nc\n2000\t3\t'=1+1\n");
}

}  // namespace
