#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

namespace {

// A case lists its last rows as "西暦 和暦 月 学歴" ("-": no month); count is the number of rows.
struct ResumeCase {
    const char* name;
    void (*setup)(CHistoryData&);
    CivilDate today;
    std::size_t count;
    std::vector<const char*> tail;
};

void PrintTo(const ResumeCase& c, std::ostream* os) {
    *os << c.name;
}

void EndAt(CHistoryData& history, int stage, int courseMonths, int outcome, int grade) {
    StageRecord& record = history.Stage(stage);
    record.nCourseMonths = courseMonths;
    record.nNextStage = STAGE_NONE;
    record.nOutcome = outcome;
    record.nEndGrade = grade;
}

void Defaults(CHistoryData&) {}

void TechnicalCollegeFourthYear(CHistoryData& history) {
    history.m_nBirthMonth = 4;
    history.m_nBirthDay = 2;
    EndAt(history, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 4);
}

void DoctorOnlyEntered(CHistoryData& history) {
    history.m_nBirthYear = 1996;
    history.m_nBirthMonth = 6;
    history.Stage(STAGE_UNIVERSITY).nCourseMonths = 54;
    history.Stage(STAGE_MASTER).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_DROPPED_OUT;
}

void JuniorCollegeTransferThenExpelled(CHistoryData& history) {
    history.m_nBirthYear = 1971;
    history.Stage(STAGE_HIGH_SCHOOL).nNextStage = STAGE_JUNIOR_COLLEGE;
    history.Stage(STAGE_JUNIOR_COLLEGE).nTransferGrade = 3;
    history.Stage(STAGE_JUNIOR_COLLEGE).nNextStage = STAGE_UNIVERSITY;
    EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_EXPELLED, 2);
}

void MasterFrom2019(CHistoryData& history) {
    history.m_nBirthYear = 1997;
    history.Stage(STAGE_MASTER).nNextStage = STAGE_NONE;
}

const ResumeCase kCases[] = {
    {"DefaultsWithImplicitDoctoralEntry",
     Defaults,
     {2026, 12, 6},
     12,
     {"1986 昭和61 4 小学校　入学", "1992 平成4 3 小学校　卒業", "1992 平成4 4 中学校　入学",
      "1995 平成7 3 中学校　卒業", "1995 平成7 4 高等学校　入学", "1998 平成10 3 高等学校　卒業",
      "1998 平成10 4 大学　入学", "2002 平成14 3 大学　卒業", "2002 平成14 4 大学院修士課程　入学",
      "2004 平成16 3 大学院修士課程　修了", "2004 平成16 4 大学院博士課程　入学",
      "2007 平成19 3 大学院博士課程　修了"}},
    {"TechnicalCollegeDropOut",
     TechnicalCollegeFourthYear,
     {2026, 12, 6},
     7,
     {"1987 昭和62 4 小学校　入学", "1993 平成5 3 小学校　卒業", "1993 平成5 4 中学校　入学",
      "1996 平成8 3 中学校　卒業", "1996 平成8 4 高等専門学校　入学",
      "1999 平成11 3 高等専門学校　第3学年修了", "1999 平成11 - 高等専門学校　中途退学"}},
    {"ReiwaFirstYearAndDoctorEntered",
     DoctorOnlyEntered,
     {2026, 12, 6},
     11,
     {"2003 平成15 4 小学校　入学", "2009 平成21 3 小学校　卒業", "2009 平成21 4 中学校　入学",
      "2012 平成24 3 中学校　卒業", "2012 平成24 4 高等学校　入学", "2015 平成27 3 高等学校　卒業",
      "2015 平成27 4 大学　入学", "2019 令和元 9 大学　卒業", "2019 令和元 10 大学院修士課程　入学",
      "2021 令和3 9 大学院修士課程　修了", "2021 令和3 10 大学院博士課程　入学"}},
    // A row without a month lies after today only in a later year.
    {"HeiseiFirstYearTransferExpelled",
     JuniorCollegeTransferThenExpelled,
     {1992, 1, 1},
     10,
     {"1989 平成元 3 高等学校　卒業", "1989 平成元 4 短期大学　入学", "1991 平成3 3 短期大学　卒業",
      "1991 平成3 4 大学　3年次編入学", "1992 平成4 - 大学　除籍"}},
    {"MonthOfGraduationIsExpected",
     MasterFrom2019,
     {2019, 3, 15},
     8,
     {"2015 平成27 4 大学　入学", "2019 平成31 3 大学　卒業見込み"}},
    {"LastDayOfGraduationMonthHasGraduated",
     MasterFrom2019,
     {2019, 3, 31},
     8,
     {"2019 平成31 3 大学　卒業"}},
    {"MonthAfterGraduation",
     MasterFrom2019,
     {2019, 4, 1},
     10,
     {"2019 平成31 3 大学　卒業", "2019 平成31 4 大学院修士課程　入学",
      "2021 令和3 3 大学院修士課程　修了見込み"}},
    {"ThirdYearCompletionExpected",
     TechnicalCollegeFourthYear,
     {1998, 12, 31},
     6,
     {"1996 平成8 4 高等専門学校　入学", "1999 平成11 3 高等専門学校　第3学年修了見込み"}},
};

class ResumeRowsTest : public ::testing::TestWithParam<ResumeCase> {};

TEST_P(ResumeRowsTest, RowsInBothCalendars) {
    const ResumeCase& c = GetParam();
    CHistoryData history;
    c.setup(history);
    history.BuildHistoryText(c.today);
    const std::vector<ResumeRow> rows = BuildResumeRows(history, c.today);
    ASSERT_EQ(rows.size(), c.count);
    std::vector<ResumeRow> tail(rows.end() - static_cast<long>(c.tail.size()), rows.end());
    std::string seireki;
    std::string wareki;
    for (const char* line : c.tail) {
        std::istringstream fields(line);
        std::string year, era, month, text;
        fields >> year >> era >> month >> text;
        if (month == "-") month.clear();
        seireki += year + '\t' + month + '\t' + text + '\n';
        wareki += era + '\t' + month + '\t' + text + '\n';
    }
    EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Seireki), seireki);
    EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Wareki), wareki);
}

INSTANTIATE_TEST_SUITE_P(Histories, ResumeRowsTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ResumeRows, CsvBytesAndQuoting) {
    const std::vector<ResumeRow> rows = {
        {1998, "平成", 10, 4, "高等学校　入学"},
        {1999, "平成", 11, std::nullopt, "a,\"b\"\r\nc"},
    };
    EXPECT_EQ(
        ResumeCsv(rows, ResumeCalendar::Wareki),
        "\xEF\xBB\xBF年,月,学歴\r\n平成10,4,高等学校　入学\r\n平成11,,\"a,\"\"b\"\"\r\nc\"\r\n");
    EXPECT_EQ(ResumeCsv({}, ResumeCalendar::Seireki), "\xEF\xBB\xBF年,月,学歴\r\n");
    EXPECT_EQ(ResumeTsv({}, ResumeCalendar::Seireki), "");
}

}  // namespace
