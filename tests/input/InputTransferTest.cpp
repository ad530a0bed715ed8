#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"

namespace {

constexpr CivilDate kToday{2026, 12, 6};
using Change = std::function<void(DialogInputs&)>;

struct Outcome {
    CalculationResult result;
    CHistoryData history;
};

Outcome Calc(const Change& change = {}) {
    DialogInputs inputs;
    if (change) change(inputs);
    Outcome run;
    run.result = Calculate(inputs, run.history, kToday);
    return run;
}

// The stages of the route as digits: "1236" for 小 中 高 大.
std::string Route(const CHistoryData& history) {
    std::string stages;
    for (int stage = STAGE_ELEMENTARY; stage != STAGE_NONE; stage = history.Stage(stage).nNextStage)
        stages += char('0' + stage);
    return stages;
}

TEST(Calculate, DefaultsGiveAUniversityGraduateAndKeepTheTypedYear) {
    const Outcome run = Calc();
    ASSERT_TRUE(run.result.ok) << run.result.refusal;
    EXPECT_EQ(run.history.Events().back().text, "西暦 2002年(平成 14年) 3月　大学卒業");
    const Outcome showa = Calc([](DialogInputs& in) {
        in.m_nEra = 1;
        in.m_strBirthYear = "55";
    });
    EXPECT_EQ(showa.history.m_strHistory, run.history.m_strHistory);
    EXPECT_EQ(showa.history.m_nBirthYear, 55);
}

// Every list takes its last item and refuses an index past it or none, naming the list.
TEST(Calculate, ListIndexOutsideItsListIsRefusedByName) {
    for (const InputField& field : InputSchema()) {
        if (field.kind != InputKind::List) continue;
        const int size = static_cast<int>((ChoiceLists::Get().*field.items).size());
        for (const int index : {-1, size - 1, size}) {
            const Outcome run = Calc([&](DialogInputs& in) {
                in.*field.number = index;
                if (field.control == Control::Outcome) in.m_strBirthYear = "2005";  // 在学中
                if (field.control != Control::Era) return;
                in.m_strBirthYear = "5";  // 令和5年
                in.m_strBirthMonth = "6";
            });
            EXPECT_EQ(run.result.refusal,
                      index == size - 1 ? std::string() : NoSelectionMessage(field.title))
                << field.name << " " << index;
        }
    }
}

Change Set(int DialogInputs::*member, int value, int finalSchool = 5) {
    return [=](DialogInputs& in) {
        in.*member = value;
        in.m_nFinalSchool = finalSchool;
    };
}
Change Choose(int finalSchool, int highSchool, int university, int route) {
    return [=](DialogInputs& in) {
        in.m_nFinalSchool = finalSchool;
        in.m_nHighSchoolLength = highSchool;
        in.m_nUniversityLength = university;
        in.m_nProgression = route;
    };
}

using I = DialogInputs;

// Each refusal of the choices at its boundary: a broadcast university before graduate school
// (checked before the route); a transfer from a 高専 without its 5- or 7-year course; the
// 専攻科 into graduate school without the 7-year course.
TEST(Calculate, EachRefusalOfTheChoicesAtItsBoundary) {
    const std::string emptyUniversity = EmptyCourseMessage("大学");
    const struct {
        int finalSchool, highSchool, university, route;
        std::string_view refusal = {};  // empty: accepted
    } cases[] = {{5, 0, 3, 0},
                 {6, 0, 2, 0},
                 {6, 0, 3, 0, kMsgBroadcastUniversity},
                 {7, 0, 4, 1, kMsgBroadcastUniversity},
                 {5, 1, 0, 2, kMsgTechnicalCollegeTransfer},
                 {6, 0, 0, 1, kMsgTechnicalCollegeTransfer},
                 {4, 0, 0, 1},
                 {6, 2, 0, 7, kMsgAdvancedCourse},
                 {5, 2, 0, 7},
                 {5, 0, 4, 5, emptyUniversity}};
    for (const auto& c : cases) {
        const Outcome run = Calc(Choose(c.finalSchool, c.highSchool, c.university, c.route));
        EXPECT_EQ(run.result.refusal, c.refusal)
            << c.finalSchool << c.highSchool << c.university << c.route;
        EXPECT_EQ(run.result.ok, c.refusal.empty());
    }
    // Six months of the broadcast university less the skipped last year.
    const Outcome sixMonths = Calc([](DialogInputs& in) {
        in.m_nUniversityLength = 3;
        in.m_bSkipUniversityLastYear = 1;
    });
    EXPECT_EQ(sixMonths.result.refusal, emptyUniversity);
}

// The birth date is checked against the calendar, its era and today; a refusal names its field.
TEST(Calculate, BirthDateRefusalNamesItsField) {
    const struct {
        int era;
        const char *year, *month, *day;
        Control refused;
    } cases[] = {{0, "1980", "2", "30", Control::BirthDay},
                 {3, "0", "5", "1", Control::BirthYear},
                 {0, "2026", "12", "6", Control::None},
                 {0, "2026", "12", "7", Control::BirthYear}};
    for (const auto& c : cases) {
        const Outcome run = Calc([&](DialogInputs& in) {
            in.m_nEra = c.era;
            in.m_strBirthYear = c.year;
            in.m_strBirthMonth = c.month;
            in.m_strBirthDay = c.day;
        });
        EXPECT_EQ(run.result.refused, c.refused) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(run.result.ok, c.refused == Control::None);
        EXPECT_EQ(IsBirthDateControl(c.refused), !run.result.ok);
    }
}

// The stages of the route and the transfer grade of the stage before the last.
TEST(Calculate, ChoicesGiveTheRoute) {
    const struct {
        int finalSchool, highSchool, route;
        const char* stages;
        int transferGrade;
    } cases[] = {{0, 0, 0, "1", 0},     {1, 0, 0, "12", 0},    {2, 0, 1, "123", 0},
                 {3, 0, 0, "1234", 0},  {4, 0, 0, "1235", 0},  {5, 2, 1, "1236", 2},
                 {5, 3, 2, "1236", 3},  {5, 0, 3, "12346", 0}, {5, 0, 4, "12346", 2},
                 {5, 0, 5, "12346", 3}, {5, 0, 6, "12356", 0}, {6, 0, 0, "12367", 0},
                 {7, 3, 7, "12378", 0}, {7, 0, 0, "123678", 0}};
    for (const auto& c : cases) {
        const Outcome run = Calc(Choose(c.finalSchool, c.highSchool, 0, c.route));
        ASSERT_TRUE(run.result.ok) << run.result.refusal;
        const std::string stages = Route(run.history);
        EXPECT_EQ(stages, c.stages) << c.finalSchool << " " << c.route;
        const int beforeLast = stages.size() > 1 ? stages[stages.size() - 2] - '0' : 1;
        EXPECT_EQ(run.history.Stage(beforeLast).nTransferGrade, c.transferGrade);
    }
}

TEST(Calculate, OutcomeGivesTheFinalStagesEnding) {
    // Elementary school as the final stage: a grade beyond its six years is cut to six.
    const struct {
        int index, outcome, grade;
    } cases[] = {{0, 1, 0}, {1, 0, 0}, {2, 1, 1}, {6, 1, 5}, {9, 1, 6}, {10, 2, 1}, {17, 2, 6}};
    for (const auto& c : cases) {
        const Outcome run = Calc(Set(&I::m_nOutcome, c.index, 0));
        const StageRecord& last = run.history.Stage(STAGE_ELEMENTARY);
        EXPECT_EQ(last.nOutcome, c.outcome) << c.index;
        EXPECT_EQ(last.nEndGrade, c.grade) << c.index;
    }
}

TEST(Calculate, CourseLengthsFromTheLists) {
    const struct {
        int DialogInputs::*list;
        int stage;
        std::vector<int> months;
    } lists[] = {{&I::m_nHighSchoolLength, STAGE_HIGH_SCHOOL, {36, 48, 60, 84}},
                 {&I::m_nVocationalLength, STAGE_VOCATIONAL, {12, 24, 36, 48}},
                 {&I::m_nUniversityLength, STAGE_UNIVERSITY, {48, 60, 72, 6, 12}}};
    for (const auto& list : lists) {
        for (std::size_t i = 0; i < list.months.size(); ++i) {
            const Outcome run = Calc(Set(list.list, static_cast<int>(i)));
            EXPECT_EQ(run.history.Stage(list.stage).nCourseMonths, list.months[i]) << i;
        }
    }
    EXPECT_EQ(Calc(Set(&I::m_bUniversityHalfYear, 1)).history.Stage(STAGE_UNIVERSITY).nCourseMonths,
              54);
}

TEST(Calculate, ChecksShortenAndMoveStages) {
    const Outcome run = Calc([](DialogInputs& in) {
        in.m_nFinalSchool = 7;
        for (int DialogInputs::*check :
             {&I::m_bSkipHighSchoolLastYear, &I::m_bSkipUniversityLastYear, &I::m_bShortenMaster,
              &I::m_bShortenDoctor, &I::m_bElementaryTransfer, &I::m_bJuniorHighTransfer,
              &I::m_bUniversityAutumnEntry, &I::m_bGraduateAutumnEntry})
            in.*check = 1;
        in.m_bDirectDoctor = 2;  // counts only when 1
    });
    const int months[] = {60, 24, 24, 24, 24, 36, 12, 24};
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        EXPECT_EQ(run.history.Stage(stage).nCourseMonths, months[stage - 1]) << stage;
        EXPECT_EQ(run.history.Stage(stage).nEntryMonth, stage >= STAGE_UNIVERSITY ? 10 : 4);
        // Only a year skipped for the next school may be written as a 飛び入学.
        EXPECT_EQ(run.history.Stage(stage).bLastYearSkipped,
                  stage == STAGE_HIGH_SCHOOL || stage == STAGE_UNIVERSITY);
    }
    EXPECT_EQ(Route(run.history), "123678");

    const Outcome master = Calc(Set(&I::m_bDirectDoctor, 1, 6));
    EXPECT_EQ(Route(master.history), "12367");
    const Outcome doctor = Calc(Set(&I::m_bDirectDoctor, 1, 7));
    EXPECT_EQ(Route(doctor.history), "12368");
    EXPECT_EQ(doctor.history.Stage(STAGE_DOCTOR).nCourseMonths, 48);
}

TEST(Calculate, EachCountReachesItsStage) {
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        const Outcome run = Calc([stage](DialogInputs& in) {
            in.RoninText(stage) = "2";
            in.RyunenText(stage) = "3";
        });
        for (int other = STAGE_ELEMENTARY; other <= STAGE_DOCTOR; ++other) {
            EXPECT_EQ(run.history.Stage(other).nRoninYears, other == stage ? 2 : 0);
            EXPECT_EQ(run.history.Stage(other).nRyunenYears, other == stage ? 3 : 0);
        }
    }
}

// A count takes digits only, up to 99 (the typed number's rule is the 学歴 block's month's too);
// one that the final schooling closes is never refused: kept when it is a count, else 0.
TEST(Calculate, CountsTakeDigitsOnlyAndClosedOnesAreNotRead) {
    const struct {
        int finalSchool;
        std::string DialogInputs::*count;
        const char* typed;
        int value;  // -1: refused
    } cases[] = {{5, &I::m_strRoninUniversity, "", 0},    {2, &I::m_strRoninUniversity, "x", 0},
                 {2, &I::m_strRoninUniversity, "7", 7},   {2, &I::m_strRoninHighSchool, "x", -1},
                 {6, &I::m_strRyunenDoctor, "1.5", 0},    {7, &I::m_strRyunenDoctor, "1.5", -1},
                 {7, &I::m_strRoninDoctor, "99", 99},     {5, &I::m_strRoninUniversity, "100", -1},
                 {5, &I::m_strRyunenElementary, "-1", -1}};
    for (const auto& c : cases) {
        const Outcome run = Calc([&](DialogInputs& in) {
            in.m_nFinalSchool = c.finalSchool;
            in.*c.count = c.typed;
        });
        const InputField* field = nullptr;
        for (const InputField& candidate : InputSchema())
            if (candidate.text == c.count) field = &candidate;
        SCOPED_TRACE(std::string(field->name) + " " + c.typed);
        EXPECT_EQ(run.result.ok, c.value >= 0) << run.result.refusal;
        if (c.value < 0) {
            EXPECT_EQ(run.result.refusal,
                      std::string(field->title) + "は0から99までの数を入力してください。");
            EXPECT_EQ(run.result.refused, field->control);
            continue;
        }
        const StageRecord& record = run.history.Stage(field->stage);
        EXPECT_EQ(field->kind == InputKind::Ronin ? record.nRoninYears : record.nRyunenYears,
                  c.value);
    }
}

TEST(ChoiceRules, EnablingRuleAndParticle) {
    using G = EnablingGroup;
    const G groups[] = {G::JuniorHigh, G::HighSchool, G::JuniorCollege, G::Vocational,
                        G::University, G::Master,     G::Doctor};
    const char* const names = "中高短専大修博";  // three bytes a character
    // Each final schooling item with the groups it opens.
    for (const std::string row : {"小学校 ", "中学校 中", "高校/高専 中高", "短大 中高短",
                                  "専門学校 中高専", "大学 中高短専大", "大学院修士 中高短専大修",
                                  "大学院博士 中高短専大修博", "other 中高短専大修博"}) {
        const std::string item = row.substr(0, row.find(' ')), on = row.substr(row.find(' '));
        const EnabledGroups enabled = EnabledGroupsFor(item);
        EXPECT_TRUE(enabled.IsOn(G::Always));
        for (std::size_t i = 0; i < std::size(groups); ++i) {
            const std::string name(names + 3 * i, 3);
            EXPECT_EQ(enabled.IsOn(groups[i]), on.find(name) != std::string::npos)
                << item << " " << name;
        }
    }
    for (int index : {0, 19}) EXPECT_EQ(ParticleFor(index), "に") << index;  // 入学, 在学中
    for (int index : {-1, 1, 17, 18}) EXPECT_EQ(ParticleFor(index), "を") << index;
}

}  // namespace
