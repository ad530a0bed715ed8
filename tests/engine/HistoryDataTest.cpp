#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/HistoryData.h"

namespace {

constexpr CivilDate kToday{2026, 12, 6};

std::string Join(const std::vector<std::string>& lines, const std::string& age) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text + age;
}

// Makes stage the final one, ended with outcome in course year grade.
StageRecord& EndAt(CHistoryData& history, int stage, int courseMonths, int outcome, int grade) {
    StageRecord& record = history.Stage(stage);
    record.nCourseMonths = courseMonths;
    record.nNextStage = STAGE_NONE;
    record.nOutcome = outcome;
    record.nEndGrade = grade;
    return record;
}

std::vector<std::string> Lines(const CHistoryData& history) {
    std::vector<std::string> lines;
    for (const HistoryEvent& event : history.Events()) lines.push_back(event.text);
    return lines;
}

TEST(HistoryData, DefaultModelGivesTheWholeDefaultRoute) {
    CHistoryData history;
    const std::string& text = history.BuildHistoryText(kToday);
    EXPECT_EQ(
        text,
        Join(
            {"西暦 1986年(昭和 61年) 4月　小学校入学", "西暦 1992年(平成  4年) 3月　小学校卒業",
             "西暦 1992年(平成  4年) 4月　中学校入学", "西暦 1995年(平成  7年) 3月　中学校卒業",
             "西暦 1995年(平成  7年) 4月　高校入学", "西暦 1998年(平成 10年) 3月　高校卒業",
             "西暦 1998年(平成 10年) 4月　大学入学", "西暦 2002年(平成 14年) 3月　大学卒業",
             "西暦 2002年(平成 14年) 4月　大学院入学", "西暦 2004年(平成 16年) 3月　大学院修士修了",
             "西暦 2007年(平成 19年) 3月　大学院博士修了"},
            "現在の年齢は46歳と339日です。"));
    EXPECT_TRUE(history.Stage(STAGE_JUNIOR_COLLEGE).strLines.empty());
    EXPECT_TRUE(history.Stage(STAGE_VOCATIONAL).strLines.empty());
}

TEST(HistoryData, TechnicalCollegeDropOutInFourthYearAddsTheCompletionLine) {
    CHistoryData history;
    history.m_nBirthMonth = 4;
    history.m_nBirthDay = 2;
    history.m_nShowAge = 1;
    const StageRecord& college = EndAt(history, STAGE_HIGH_SCHOOL, 60, OUTCOME_DROPPED_OUT, 4);
    history.BuildHistoryText(kToday);
    EXPECT_EQ(Lines(history), (std::vector<std::string>{
                                  "西暦 1987年(昭和 62年) 4月　小学校入学(6歳)",
                                  "西暦 1993年(平成  5年) 3月　小学校卒業(12歳)",
                                  "西暦 1993年(平成  5年) 4月　中学校入学(12歳)",
                                  "西暦 1996年(平成  8年) 3月　中学校卒業(15歳)",
                                  "西暦 1996年(平成  8年) 4月　高専入学(15歳)",
                                  "西暦 1999年(平成 11年) 3月　高等教育課程修了",
                                  "西暦 1999年(平成 11年)  　　高専中退(18歳)",
                              }));
    // The two leaving lines form one piece of the stage's text.
    EXPECT_EQ(college.strLines,
              "西暦 1996年(平成  8年) 4月　高専入学(15歳)\r\n"
              "西暦 1999年(平成 11年) 3月　高等教育課程修了\r\n"
              "西暦 1999年(平成 11年)  　　高専中退(18歳)\r\n");
}

TEST(HistoryData, DoctorOnlyEnteredAfterHalfYearAndAutumnEntry) {
    CHistoryData history;
    history.m_nBirthYear = 1996;
    history.m_nBirthMonth = 6;
    history.m_nShowAge = 1;
    history.Stage(STAGE_UNIVERSITY).nCourseMonths = 54;
    history.Stage(STAGE_MASTER).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nEntryMonth = 10;
    history.Stage(STAGE_DOCTOR).nOutcome = OUTCOME_DROPPED_OUT;
    history.BuildHistoryText(kToday);
    const std::vector<std::string> lines = Lines(history);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[7], "西暦 2019年(令和元年) 9月　大学卒業(23歳)");
    EXPECT_EQ(lines[8], "西暦 2019年(令和元年)10月　大学院入学(23歳)");
    EXPECT_EQ(lines[9], "西暦 2021年(令和  3年) 9月　大学院修士修了(25歳)");
    EXPECT_EQ(lines[10], "西暦 2021年(令和  3年)10月　大学院博士(25歳)");
}

struct EraCase {
    int year;
    int month;
    bool entry;
    const char* expected;
};

void PrintTo(const EraCase& c, std::ostream* os) {
    *os << c.year << "-" << c.month << (c.entry ? " entry" : " leaving");
}

class EraBoundary : public ::testing::TestWithParam<EraCase> {};

// The era of an entry is that of the 1st of its month, of a leaving that of its last day.
TEST_P(EraBoundary, EraPartOfTheLine) {
    const EraCase& c = GetParam();
    CHistoryData history;
    history.m_nBirthYear = c.year - 7;
    history.m_nBirthMonth = 6;
    StageRecord& elementary = history.Stage(STAGE_ELEMENTARY);
    elementary.nNextStage = STAGE_NONE;
    if (c.entry) {
        elementary.nEntryMonth = c.month;
        elementary.nOutcome = OUTCOME_DROPPED_OUT;  // only entered
    } else {
        // Entered in April a year before; leaves after (12 + month - 3) months.
        history.m_nBirthYear = c.year - 8;
        elementary.nCourseMonths = 12 + (c.month - 3);
    }
    history.BuildHistoryText(kToday);
    const HistoryEvent& event = history.Events().back();
    ASSERT_EQ(event.year, c.year);
    ASSERT_EQ(event.month, c.month);
    EXPECT_NE(event.text.find(c.expected), std::string::npos) << event.text;
}

INSTANTIATE_TEST_SUITE_P(
    Eras, EraBoundary,
    ::testing::Values(EraCase{1927, 4, true, "(昭和  2年)"}, EraCase{1988, 3, false, "(昭和 63年)"},
                      EraCase{1989, 4, true, "(平成 元年)"}, EraCase{1989, 3, false, "(平成 元年)"},
                      EraCase{2019, 4, true, "(平成 31年)"}, EraCase{2019, 3, false, "(平成 31年)"},
                      EraCase{2019, 10, true, "(令和元年)"}, EraCase{2019, 9, false, "(令和元年)"},
                      EraCase{2020, 4, true, "(令和  2年)"}, EraCase{1926, 4, true, "(大正 15年)"},
                      EraCase{1912, 4, true, "(明治 45年)"}, EraCase{1912, 9, false, "(大正 元年)"},
                      EraCase{1913, 3, false, "(大正  2年)"}));

TEST(Era, DecidedByTheDay) {
    EXPECT_EQ(EraOn(1926, 12, 24).name, "大正");
    EXPECT_EQ(EraOn(1926, 12, 25).name, "昭和");
    EXPECT_EQ(EraOn(1926, 12, 25).year, 1);
    EXPECT_EQ(EraOn(1989, 1, 7).name, "昭和");
    EXPECT_EQ(EraOn(1989, 1, 7).year, 64);
    EXPECT_EQ(EraOn(1989, 1, 8).name, "平成");
    EXPECT_EQ(EraOn(2019, 4, 30).name, "平成");
    EXPECT_EQ(EraOn(2019, 5, 1).name, "令和");
    EXPECT_EQ(EraOn(1912, 7, 29).name, "明治");
    EXPECT_EQ(EraOn(1912, 7, 30).name, "大正");
}

TEST(HistoryData, AgeAtCountsTheBirthdayReached) {
    CHistoryData history;
    history.m_nBirthYear = 1990;
    history.m_nBirthMonth = 5;
    history.m_nBirthDay = 15;
    EXPECT_EQ(history.AgeAt(2000, 5, 14), 9);
    EXPECT_EQ(history.AgeAt(2000, 5, 15), 10);
    EXPECT_EQ(history.AgeAt(2000, 4, 30), 9);
    EXPECT_EQ(history.AgeAt(2000, 5, 31), 10);
    history.m_nBirthDay = 1;
    EXPECT_EQ(history.AgeAt(2000, 5, 1), 10);
    history.m_nBirthDay = 2;
    EXPECT_EQ(history.AgeAt(2000, 5, 1), 9);
}

struct AgeCase {
    CivilDate birth;
    CivilDate today;
    int years;
    int days;
};

void PrintTo(const AgeCase& c, std::ostream* os) {
    *os << c.birth.year << "-" << c.birth.month << "-" << c.birth.day << " to " << c.today.year
        << "-" << c.today.month << "-" << c.today.day;
}

class CurrentAgeTest : public ::testing::TestWithParam<AgeCase> {};

TEST_P(CurrentAgeTest, YearsAndDaysSinceTheLastBirthday) {
    const AgeCase& c = GetParam();
    CHistoryData history;
    history.m_nBirthYear = c.birth.year;
    history.m_nBirthMonth = c.birth.month;
    history.m_nBirthDay = c.birth.day;
    std::string text;
    EXPECT_EQ(history.FormatCurrentAge(text, c.today), c.years);
    EXPECT_EQ(text, "現在の年齢は" + std::to_string(c.years) + "歳と" + std::to_string(c.days) +
                        "日です。");
}

INSTANTIATE_TEST_SUITE_P(
    Ages, CurrentAgeTest,
    ::testing::Values(AgeCase{{1980, 6, 15}, {2020, 6, 15}, 40, 0},
                      AgeCase{{1980, 6, 15}, {2020, 6, 14}, 39, 365},  // 29 Feb 2020 between
                      AgeCase{{1980, 6, 15}, {2021, 6, 14}, 40, 364},
                      AgeCase{{2000, 2, 29}, {2023, 2, 28}, 22, 364},
                      AgeCase{{2000, 2, 29}, {2023, 3, 1}, 23, 0},
                      AgeCase{{2000, 2, 29}, {2024, 2, 29}, 24, 0},
                      AgeCase{{1990, 3, 31}, {2020, 4, 30}, 30, 30},
                      AgeCase{{1990, 4, 31}, {2020, 5, 1}, 30, 0},
                      AgeCase{{1980, 1, 1}, {2026, 12, 6}, 46, 339}));

TEST(HistoryData, ImpossibleBirthMonthOrDayIsAnErrorAndLeavesTheTextAlone) {
    CHistoryData history;
    history.BuildHistoryText(kToday);
    const std::string before = history.m_strHistory;
    history.m_nBirthMonth = 13;
    EXPECT_THROW(history.BuildHistoryText(kToday), std::invalid_argument);
    history.m_nBirthMonth = 1;
    history.m_nBirthDay = 32;
    EXPECT_THROW(history.BuildHistoryText(kToday), std::invalid_argument);
    EXPECT_EQ(history.m_strHistory, before);
}

TEST(HistoryData, EarlyBornEntersElementarySchoolAYearSooner) {
    CHistoryData history;
    history.m_nBirthMonth = 4;
    history.m_nBirthDay = 1;
    history.BuildHistoryText(kToday);
    EXPECT_EQ(history.Stage(STAGE_ELEMENTARY).nEntryYear, 1986);
    history.m_nBirthDay = 2;
    history.BuildHistoryText(kToday);
    EXPECT_EQ(history.Stage(STAGE_ELEMENTARY).nEntryYear, 1987);
}

TEST(HistoryData, DropOutBeyondTheCourseIsMovedToTheLastYear) {
    CHistoryData history;
    const StageRecord& university = EndAt(history, STAGE_UNIVERSITY, 48, OUTCOME_DROPPED_OUT, 5);
    history.BuildHistoryText(kToday);
    EXPECT_EQ(university.nEndGrade, 4);
    EXPECT_EQ(university.nLeaveYear, 1998 + 3);
    EXPECT_EQ(history.Events().back().text, "西暦 2001年(平成 13年)  　　大学中退");
    EXPECT_FALSE(history.Events().back().month.has_value());
}

TEST(HistoryData, DropOutOfAHalfYearCourseIsNotBeforeItsEntry) {
    CHistoryData history;
    const StageRecord& university = EndAt(history, STAGE_UNIVERSITY, 6, OUTCOME_EXPELLED, 1);
    history.BuildHistoryText(kToday);
    EXPECT_EQ(university.nEndGrade, 1);
    EXPECT_EQ(university.nLeaveYear, university.nEntryYear);
    EXPECT_EQ(history.Events().back().text, "西暦 1998年(平成 10年)  　　大学除籍");
}

TEST(HistoryData, TechnicalCollegeDropOutBeforeTheFourthYearHasNoCompletionLine) {
    for (int grade : {3, 4}) {
        for (int outcome : {OUTCOME_DROPPED_OUT, OUTCOME_EXPELLED}) {
            CHistoryData history;
            EndAt(history, STAGE_HIGH_SCHOOL, 60, outcome, grade);
            history.BuildHistoryText(kToday);
            const bool completion = grade == 4 && outcome == OUTCOME_DROPPED_OUT;
            EXPECT_EQ(history.m_strHistory.find("高等教育課程修了") != std::string::npos,
                      completion)
                << grade << " " << outcome;
        }
    }
}

TEST(HistoryData, WaitingYearMovesEverythingAfterIt) {
    CHistoryData history;
    history.Stage(STAGE_HIGH_SCHOOL).nRoninYears = 1;
    history.BuildHistoryText(kToday);
    EXPECT_EQ(history.Stage(STAGE_JUNIOR_HIGH).nEntryYear, 1992);
    EXPECT_EQ(history.Stage(STAGE_HIGH_SCHOOL).nEntryYear, 1996);
    EXPECT_EQ(history.Stage(STAGE_UNIVERSITY).nEntryYear, 1999);
    EXPECT_EQ(history.Stage(STAGE_DOCTOR).nLeaveYear, 2008);
}

TEST(HistoryData, RouteThatDoesNotRiseEnds) {
    CHistoryData history;
    history.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_JUNIOR_HIGH;
    history.BuildHistoryText(kToday);
    EXPECT_EQ(history.Events().back().text, "西暦 2002年(平成 14年) 3月　大学卒業");
}

TEST(HistoryData, CourseWithoutMonthsIsFound) {
    CHistoryData history;
    EXPECT_EQ(history.FindStageWithoutCourse(), STAGE_NONE);
    history.Stage(STAGE_HIGH_SCHOOL).nNextStage = STAGE_JUNIOR_COLLEGE;
    history.Stage(STAGE_JUNIOR_COLLEGE).nNextStage = STAGE_UNIVERSITY;
    history.Stage(STAGE_JUNIOR_COLLEGE).nTransferGrade = 3;
    history.Stage(STAGE_UNIVERSITY).nCourseMonths = 12;
    EXPECT_EQ(history.FindStageWithoutCourse(), STAGE_UNIVERSITY);
    history.Stage(STAGE_UNIVERSITY).nCourseMonths = 48;
    EXPECT_EQ(history.FindStageWithoutCourse(), STAGE_NONE);
}

TEST(HistoryData, ResetKeepsKeysAndText) {
    CHistoryData history;
    history.BuildHistoryText(kToday);
    const std::string text = history.m_strHistory;
    history.m_nBirthYear = 2001;
    history.Stage(STAGE_MASTER).nCourseMonths = 1;
    history.Reset();
    history.Reset();
    EXPECT_EQ(history.m_nBirthYear, 1980);
    EXPECT_EQ(history.Stage(STAGE_MASTER).nCourseMonths, 24);
    EXPECT_EQ(history.m_strHistory, text);
    EXPECT_EQ(history.m_aStageKey[7], "博");
}

}  // namespace
