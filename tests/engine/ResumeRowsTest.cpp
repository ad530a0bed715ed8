#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

namespace {

void EndAt(CHistoryData& history, int stage, int courseMonths, int outcome, int grade) {
    StageRecord& record = history.Stage(stage);
    record.nCourseMonths = courseMonths;
    record.nNextStage = STAGE_NONE;
    record.nOutcome = outcome;
    record.nEndGrade = grade;
}

void TechnicalCollegeFourthYear(CHistoryData& history) {
    history.m_nBirthMonth = 4;
    history.m_nBirthDay = 2;
    EndAt(history, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 4);
}

void MasterFrom2019(CHistoryData& history) {
    history.m_nBirthYear = 1997;
    history.Stage(STAGE_MASTER).nNextStage = STAGE_NONE;
}

// The number of rows, then the last rows as "西暦 和暦 月 学歴" ("-": no month).
struct ResumeCase {
    const char* name;
    void (*setup)(CHistoryData&);
    std::size_t count;
    std::vector<const char*> tail;
    CivilDate today{2026, 12, 6};
};

const ResumeCase kCases[] = {
    {"DefaultsWithImplicitDoctoralEntry",
     nullptr,
     12,
     {"1986 昭和61 4 小学校　入学", "1992 平成4 3 小学校　卒業", "1992 平成4 4 中学校　入学",
      "1995 平成7 3 中学校　卒業", "1995 平成7 4 高等学校　入学", "1998 平成10 3 高等学校　卒業",
      "1998 平成10 4 大学　入学", "2002 平成14 3 大学　卒業", "2002 平成14 4 大学院修士課程　入学",
      "2004 平成16 3 大学院修士課程　修了", "2004 平成16 4 大学院博士課程　入学",
      "2007 平成19 3 大学院博士課程　修了"}},
    {"TechnicalCollegeDropOut",
     TechnicalCollegeFourthYear,
     7,
     {"1987 昭和62 4 小学校　入学", "1993 平成5 3 小学校　卒業", "1993 平成5 4 中学校　入学",
      "1996 平成8 3 中学校　卒業", "1996 平成8 4 高等専門学校　入学",
      "1999 平成11 3 高等専門学校　第3学年修了", "1999 平成11 - 高等専門学校　中途退学"}},
    {"ReiwaFirstYearAndDoctorEntered",
     [](CHistoryData& history) {
         history.m_nBirthYear = 1996;
         history.m_nBirthMonth = 6;
         history.Stage(STAGE_UNIVERSITY).nCourseMonths = 54;
         history.Stage(STAGE_MASTER).nEntryMonth = 10;
         history.Stage(STAGE_DOCTOR).nEntryMonth = 10;
         history.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_DROPPED_OUT;
     },
     11,
     {"2003 平成15 4 小学校　入学", "2009 平成21 3 小学校　卒業", "2009 平成21 4 中学校　入学",
      "2012 平成24 3 中学校　卒業", "2012 平成24 4 高等学校　入学", "2015 平成27 3 高等学校　卒業",
      "2015 平成27 4 大学　入学", "2019 令和元 9 大学　卒業", "2019 令和元 10 大学院修士課程　入学",
      "2021 令和3 9 大学院修士課程　修了", "2021 令和3 10 大学院博士課程　入学"}},
    // A row without a month lies after today only in a later year.
    {"HeiseiFirstYearTransferExpelled",
     [](CHistoryData& history) {
         history.m_nBirthYear = 1971;
         history.Stage(STAGE_HIGH_SCHOOL).nNextStage = STAGE_JUNIOR_COLLEGE;
         history.Stage(STAGE_JUNIOR_COLLEGE).nTransferGrade = 3;
         history.Stage(STAGE_JUNIOR_COLLEGE).nNextStage = STAGE_UNIVERSITY;
         EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_EXPELLED, 2);
     },
     10,
     {"1989 平成元 3 高等学校　卒業", "1989 平成元 4 短期大学　入学", "1991 平成3 3 短期大学　卒業",
      "1991 平成3 4 大学　3年次編入学", "1992 平成4 - 大学　除籍"},
     {1992, 1, 1}},
    {"InGraduationMonth", MasterFrom2019, 8, {"2019 平成31 3 大学　卒業見込み"}, {2019, 3, 15}},
    {"GraduatedOnItsLastDay", MasterFrom2019, 8, {"2019 平成31 3 大学　卒業"}, {2019, 3, 31}},
    {"MonthAfterGraduation",
     MasterFrom2019,
     10,
     {"2019 平成31 3 大学　卒業", "2019 平成31 4 大学院修士課程　入学",
      "2021 令和3 3 大学院修士課程　修了見込み"},
     {2019, 4, 1}},
    {"ThirdYearExpected",
     TechnicalCollegeFourthYear,
     6,
     {"1999 平成11 3 高等専門学校　第3学年修了見込み"},
     {1998, 12, 31}},
};

TEST(ResumeRows, RowsInBothCalendars) {
    for (const ResumeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CHistoryData history;
        if (c.setup) c.setup(history);
        history.BuildHistoryText(c.today);
        const std::vector<ResumeRow> rows = BuildResumeRows(history, c.today);
        ASSERT_EQ(rows.size(), c.count);
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
        const std::vector<ResumeRow> tail(rows.end() - std::ssize(c.tail), rows.end());
        EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Seireki), seireki);
        EXPECT_EQ(ResumeTsv(tail, ResumeCalendar::Wareki), wareki);
    }
}

TEST(ResumeRows, CsvBytesAndQuoting) {
    const std::vector<ResumeRow> rows = {{1998, "平成", 10, 4, "高等学校　入学"},
                                         {1999, "平成", 11, std::nullopt, "a,\"b\"\r\nc"}};
    EXPECT_EQ(
        ResumeCsv(rows, ResumeCalendar::Wareki),
        "\xEF\xBB\xBF年,月,学歴\r\n平成10,4,高等学校　入学\r\n平成11,,\"a,\"\"b\"\"\r\nc\"\r\n");
    EXPECT_EQ(ResumeCsv({}, ResumeCalendar::Seireki), "\xEF\xBB\xBF年,月,学歴\r\n");
}

}  // namespace
