#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputTransfer.h"

namespace {

constexpr CivilDate kToday{2026, 12, 6};

DialogInputs Defaults() {
    DialogInputs inputs;
    inputs.ResetInputs();
    return inputs;
}

struct Outcome {
    CalculationResult result;
    CHistoryData history;
    int finalStage = STAGE_ELEMENTARY;
};

Outcome Calc(const DialogInputs& inputs) {
    Outcome run;
    run.result = Calculate(inputs, run.history, kToday);
    run.finalStage = run.result.finalStage;
    return run;
}

std::vector<int> Route(const CHistoryData& history) {
    std::vector<int> stages;
    for (int stage = STAGE_ELEMENTARY; stage != STAGE_NONE; stage = history.Stage(stage).nNextStage)
        stages.push_back(stage);
    return stages;
}

TEST(DialogInputs, DefaultsAreThoseOfAFreshWindow) {
    const DialogInputs inputs = Defaults();
    const ChoiceLists& lists = ChoiceLists::Get();
    EXPECT_EQ(lists.m_aEraNames[inputs.m_nEra], "西暦");
    EXPECT_EQ(inputs.m_strBirthYear, "1980");
    EXPECT_EQ(lists.m_aFinalSchoolNames[inputs.m_nFinalSchool], "大学");
    EXPECT_EQ(lists.m_aOutcomeNames[inputs.m_nOutcome], "卒業");
    EXPECT_EQ(lists.m_aVocationalLengths[inputs.m_nVocationalLength], "2年制");
    EXPECT_EQ(inputs.RyunenText(STAGE_DOCTOR), "0");
    ASSERT_EQ(lists.m_aOutcomeNames.size(), 18u);
    EXPECT_EQ(lists.m_aOutcomeNames[2], "1年目に中退");
    EXPECT_EQ(lists.m_aOutcomeNames[17], "8年目に除籍");
}

TEST(Calculate, DefaultsGiveAUniversityGraduateAndKeepTheTypedYear) {
    Outcome run = Calc(Defaults());
    ASSERT_TRUE(run.result.ok) << run.result.refusal;
    EXPECT_EQ(Route(run.history), (std::vector<int>{1, 2, 3, 6}));
    EXPECT_EQ(run.finalStage, STAGE_UNIVERSITY);
    EXPECT_EQ(run.history.Events().back().text, "西暦 2002年(平成 14年) 3月　大学卒業");

    DialogInputs showa = Defaults();
    showa.m_nEra = 1;
    showa.m_strBirthYear = "55";
    Outcome showaRun = Calc(showa);
    ASSERT_TRUE(showaRun.result.ok);
    EXPECT_EQ(showaRun.history.Stage(STAGE_ELEMENTARY).nEntryYear, 1986);
    EXPECT_EQ(showaRun.history.m_nBirthYear, 55);
    EXPECT_EQ(showaRun.history.m_strHistory, run.history.m_strHistory);
}

struct RouteCase {
    int finalSchool;
    int highSchool;
    int progression;
    std::vector<int> route;
    int transferGrade;  // of the stage before the university
};

void PrintTo(const RouteCase& c, std::ostream* os) {
    *os << "final " << c.finalSchool << ", course " << c.highSchool << ", route " << c.progression;
}

class Routes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(Routes, ChoicesGiveTheRoute) {
    const RouteCase& c = GetParam();
    DialogInputs inputs = Defaults();
    inputs.m_nFinalSchool = c.finalSchool;
    inputs.m_nHighSchoolLength = c.highSchool;
    inputs.m_nProgression = c.progression;
    Outcome run = Calc(inputs);
    ASSERT_TRUE(run.result.ok) << run.result.refusal;
    EXPECT_EQ(Route(run.history), c.route);
    if (c.transferGrade > 0) {
        const int before = c.route[c.route.size() - 2];
        EXPECT_EQ(run.history.Stage(before).nTransferGrade, c.transferGrade);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Routes,
    ::testing::Values(RouteCase{0, 0, 0, {1}, 0}, RouteCase{1, 0, 0, {1, 2}, 0},
                      RouteCase{2, 0, 1, {1, 2, 3}, 0},  // route ignored below university
                      RouteCase{3, 0, 0, {1, 2, 3, 4}, 0}, RouteCase{4, 0, 0, {1, 2, 3, 5}, 0},
                      RouteCase{5, 0, 0, {1, 2, 3, 6}, 0}, RouteCase{5, 2, 1, {1, 2, 3, 6}, 2},
                      RouteCase{5, 3, 2, {1, 2, 3, 6}, 3}, RouteCase{5, 0, 3, {1, 2, 3, 4, 6}, 0},
                      RouteCase{5, 0, 4, {1, 2, 3, 4, 6}, 2},
                      RouteCase{5, 0, 5, {1, 2, 3, 4, 6}, 3},
                      RouteCase{5, 0, 6, {1, 2, 3, 5, 6}, 0},
                      RouteCase{5, 3, 7, {1, 2, 3, 6}, 0},  // advanced course needs graduate school
                      RouteCase{6, 0, 0, {1, 2, 3, 6, 7}, 0},
                      RouteCase{7, 3, 7, {1, 2, 3, 7, 8}, 0},
                      RouteCase{7, 0, 0, {1, 2, 3, 6, 7, 8}, 0}));

TEST(Calculate, JuniorCollegeTransferIntoYearThree) {
    DialogInputs inputs = Defaults();
    inputs.m_nProgression = 5;
    Outcome run = Calc(inputs);
    ASSERT_TRUE(run.result.ok);
    const std::vector<HistoryEvent>& events = run.history.Events();
    EXPECT_EQ(events[events.size() - 2].text, "西暦 2000年(平成 12年) 4月　大学3年編入");
    EXPECT_EQ(events.back().text, "西暦 2002年(平成 14年) 3月　大学卒業");
    EXPECT_EQ(run.history.Stage(STAGE_UNIVERSITY).nCourseMonths, 24);
}

TEST(Calculate, HalfYearAndAutumnEntries) {
    DialogInputs inputs = Defaults();
    inputs.m_nFinalSchool = 6;
    inputs.m_bUniversityHalfYear = 1;
    Outcome spring = Calc(inputs);
    ASSERT_TRUE(spring.result.ok);
    EXPECT_EQ(spring.history.Stage(STAGE_UNIVERSITY).nLeaveYear, 2002);
    EXPECT_EQ(spring.history.Stage(STAGE_UNIVERSITY).nLeaveMonth, 9);
    EXPECT_EQ(spring.history.Stage(STAGE_MASTER).nEntryYear, 2003);

    inputs.m_bGraduateAutumnEntry = 1;
    Outcome autumn = Calc(inputs);
    EXPECT_EQ(autumn.history.Stage(STAGE_MASTER).nEntryYear, 2002);
    EXPECT_EQ(autumn.history.Stage(STAGE_MASTER).nEntryMonth, 10);

    DialogInputs university = Defaults();
    university.m_bUniversityAutumnEntry = 1;
    Outcome october = Calc(university);
    EXPECT_EQ(october.history.Stage(STAGE_UNIVERSITY).nEntryYear, 1998);
    EXPECT_EQ(october.history.Events().back().text, "西暦 2002年(平成 14年) 9月　大学卒業");
}

TEST(Calculate, EveryShorteningTakesTwelveMonths) {
    DialogInputs inputs = Defaults();
    inputs.m_nFinalSchool = 7;
    inputs.m_bSkipHighSchoolLastYear = 1;
    inputs.m_bSkipUniversityLastYear = 1;
    inputs.m_bShortenMaster = 1;
    inputs.m_bShortenDoctor = 1;
    inputs.m_bElementaryTransfer = 1;
    inputs.m_bJuniorHighTransfer = 1;
    Outcome run = Calc(inputs);
    ASSERT_TRUE(run.result.ok);
    const int expected[] = {60, 24, 24, 24, 24, 36, 12, 24};
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(run.history.Stage(stage).nCourseMonths, expected[stage - 1]) << stage;
}

TEST(Calculate, DirectDoctorOnlyForADoctor) {
    DialogInputs inputs = Defaults();
    inputs.m_bDirectDoctor = 1;
    inputs.m_nFinalSchool = 6;
    EXPECT_EQ(Route(Calc(inputs).history), (std::vector<int>{1, 2, 3, 6, 7}));
    inputs.m_nFinalSchool = 7;
    Outcome run = Calc(inputs);
    EXPECT_EQ(Route(run.history), (std::vector<int>{1, 2, 3, 6, 8}));
    EXPECT_EQ(run.history.Stage(STAGE_DOCTOR).nCourseMonths, 48);
}

TEST(Calculate, CheckValueCountsOnlyWhenOne) {
    DialogInputs inputs = Defaults();
    inputs.m_bSkipHighSchoolLastYear = 2;
    EXPECT_EQ(Calc(inputs).history.Stage(STAGE_HIGH_SCHOOL).nCourseMonths, 36);
}

TEST(Calculate, BroadcastUniversityAsFinalSchoolIsAllowed) {
    DialogInputs inputs = Defaults();
    inputs.m_nUniversityLength = 4;
    inputs.m_bUniversityHalfYear = 1;
    Outcome run = Calc(inputs);
    ASSERT_TRUE(run.result.ok);
    EXPECT_EQ(run.history.Stage(STAGE_UNIVERSITY).nCourseMonths, 18);
}

struct RefusalCase {
    const char* name;
    void (*change)(DialogInputs&);
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, RefusedWithItsMessage) {
    DialogInputs inputs = Defaults();
    GetParam().change(inputs);
    Outcome run = Calc(inputs);
    EXPECT_FALSE(run.result.ok);
    EXPECT_EQ(run.result.refusal, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, Refusals,
    ::testing::Values(
        RefusalCase{"Broadcast",
                    [](DialogInputs& in) {
                        in.m_nUniversityLength = 3;
                        in.m_nFinalSchool = 6;
                    },
                    std::string(kMsgBroadcastUniversity)},
        RefusalCase{"BroadcastBeforeRoute",
                    [](DialogInputs& in) {
                        in.m_nUniversityLength = 3;
                        in.m_nFinalSchool = 6;
                        in.m_nProgression = 1;
                    },
                    std::string(kMsgBroadcastUniversity)},
        RefusalCase{"TechnicalCollege",
                    [](DialogInputs& in) {
                        in.m_nHighSchoolLength = 1;
                        in.m_nProgression = 2;
                    },
                    std::string(kMsgTechnicalCollegeTransfer)},
        RefusalCase{"AdvancedCourse",
                    [](DialogInputs& in) {
                        in.m_nHighSchoolLength = 2;
                        in.m_nProgression = 7;
                        in.m_nFinalSchool = 6;
                    },
                    std::string(kMsgAdvancedCourse)},
        RefusalCase{"Month13", [](DialogInputs& in) { in.m_strBirthMonth = "13"; },
                    std::string(kMsgBirthMonth)},
        RefusalCase{"Month0", [](DialogInputs& in) { in.m_strBirthMonth = "0"; },
                    std::string(kMsgBirthMonth)},
        RefusalCase{"Day0", [](DialogInputs& in) { in.m_strBirthDay = ""; },
                    std::string(kMsgBirthDay)},
        RefusalCase{"Day32", [](DialogInputs& in) { in.m_strBirthDay = "32"; },
                    std::string(kMsgBirthDay)},
        RefusalCase{"Year1867", [](DialogInputs& in) { in.m_strBirthYear = "1867"; },
                    std::string(kMsgBirthYear)},
        RefusalCase{"HugeYear", [](DialogInputs& in) { in.m_strBirthYear = "99999999999"; },
                    std::string(kMsgBirthYear)},
        RefusalCase{"Ronin120", [](DialogInputs& in) { in.m_strRoninUniversity = "120"; },
                    CountRangeMessage(STAGE_UNIVERSITY, InputKind::Ronin)},
        RefusalCase{"RyunenNegative", [](DialogInputs& in) { in.m_strRyunenElementary = "-1"; },
                    CountRangeMessage(STAGE_ELEMENTARY, InputKind::Ryunen)},
        RefusalCase{"NoEra", [](DialogInputs& in) { in.m_nEra = -1; },
                    NoSelectionMessage("生年月日の元号")},
        RefusalCase{"NoFinalSchool", [](DialogInputs& in) { in.m_nFinalSchool = 8; },
                    NoSelectionMessage("最終学歴")},
        RefusalCase{"NoOutcome", [](DialogInputs& in) { in.m_nOutcome = -1; },
                    NoSelectionMessage("最終学歴をどうしたか")},
        RefusalCase{"NoHighSchool", [](DialogInputs& in) { in.m_nHighSchoolLength = 4; },
                    NoSelectionMessage("高校・高専の年数")},
        RefusalCase{"NoRoute", [](DialogInputs& in) { in.m_nProgression = -1; },
                    NoSelectionMessage("進学・編入")},
        RefusalCase{"EmptyBroadcastAfterTransfer",
                    [](DialogInputs& in) {
                        in.m_nUniversityLength = 4;
                        in.m_nProgression = 5;
                    },
                    EmptyCourseMessage("大学")},
        RefusalCase{"SkippedHalfYearUniversity",
                    [](DialogInputs& in) {
                        in.m_nUniversityLength = 3;
                        in.m_bSkipUniversityLastYear = 1;
                    },
                    EmptyCourseMessage("大学")}),
    [](const ::testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

TEST(Calculate, DaysTheMonthLacksAreAccepted) {
    DialogInputs inputs = Defaults();
    inputs.m_strBirthMonth = "4";
    inputs.m_strBirthDay = "31";
    EXPECT_TRUE(Calc(inputs).result.ok);
    inputs.m_strBirthYear = "2001";
    inputs.m_strBirthMonth = "2";
    inputs.m_strBirthDay = "29";
    EXPECT_TRUE(Calc(inputs).result.ok);
}

TEST(Calculate, RefusalLeavesTheFinalStageOfTheLastRecognisedChoice) {
    DialogInputs inputs = Defaults();
    inputs.m_nFinalSchool = 6;
    inputs.m_nUniversityLength = 3;
    Outcome run = Calc(inputs);
    EXPECT_FALSE(run.result.ok);
    EXPECT_EQ(run.finalStage, STAGE_MASTER);
}

TEST(ChoiceRules, EnablingRuleAndParticle) {
    using G = EnablingGroup;
    EXPECT_EQ(EnabledGroupsFor("小学校"), EnabledGroups({}));
    EXPECT_EQ(EnabledGroupsFor("短大"),
              EnabledGroups({G::JuniorHigh, G::HighSchool, G::JuniorCollege}));
    EXPECT_EQ(EnabledGroupsFor("専門学校"),
              EnabledGroups({G::JuniorHigh, G::HighSchool, G::Vocational}));
    EXPECT_EQ(EnabledGroupsFor("大学院博士"), EnabledGroups::All());
    EXPECT_EQ(EnabledGroupsFor("something else"), EnabledGroups::All());
    EXPECT_EQ(ParticleFor(0), "に");
    EXPECT_EQ(ParticleFor(1), "を");
    EXPECT_EQ(ParticleFor(-1), "を");
}

}  // namespace
