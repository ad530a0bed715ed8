#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/EventInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"

namespace {

constexpr CivilDate kToday{2026, 12, 6};
using Change = std::function<void(DialogInputs&)>;
using IK = EventInputKind;
using F = EventField;

struct Outcome {
    CalculationResult result;
    CHistoryData history;
};

Outcome Calc(const Change& change = {}, const std::vector<EventInput>& rows = {}) {
    DialogInputs inputs;
    if (change) change(inputs);
    Outcome run;
    run.result = Calculate(inputs, run.history, kToday, rows);
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

Change Set(int DialogInputs::*member, int value, int finalSchool = 5, const char* year = "1980") {
    return [=](DialogInputs& in) {
        in.*member = value;
        in.m_nFinalSchool = finalSchool;
        in.m_strBirthYear = year;
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

// The rows of 「休学・留学など」 as typed, in a history born on 1980-01-01 (大学 1998-04..2002-03).
EventInput Row(IK kind, const char* from, const char* to, int stage = STAGE_UNIVERSITY,
               const char* place = "") {
    return {kind, stage, from, to, place, ""};
}

// The rows move the history and its lines; a refusal names the row and its field and keeps the
// history on show.
TEST(Calculate, RowsMoveTheHistoryOrAreRefusedByRowAndField) {
    const Outcome moved =
        Calc({}, {Row(IK::LeaveOfAbsence, "1996-04", "1997-04", STAGE_HIGH_SCHOOL),
                  Row(IK::LeaveOfAbsence, "2000-04", "２００１／４")});
    ASSERT_TRUE(moved.result.ok) << moved.result.refusal;
    EXPECT_EQ(moved.history.Events().back().text, "西暦 2004年(平成 16年) 3月　大学卒業");

    const struct {
        std::vector<EventInput> rows;
        int row;
        EventField field;
        const char* refusal;  // after 「休学・留学など」
    } cases[] = {
        // Twenty rows are read, the twenty-first is refused.
        {std::vector(20, Row(IK::LeaveOfAbsence, "2000-04", "")), 0, F::To,
         "の1行目（休学）の「復学した月」を入力してください。"},
        {std::vector(21, Row(IK::LeaveOfAbsence, "2000-04", "2001-04")), 20, F::Kind,
         "は20行までにしてください。"},
        {std::vector{Row(IK::Exchange, "2000-04", "2000/13", STAGE_UNIVERSITY, "x")}, 0, F::To,
         "の1行目（交換留学）の「帰国した月」は、2000-04 のように西暦の年と月で入力してください。"},
        // The first field refused names the row, though its school is missing too.
        {std::vector{Row(IK::StudyAbroad, "2000-04", "2001-04", 0)}, 0, F::Place,
         "の1行目（休学して留学）の「留学先」を入力してください。"},
        {std::vector{Row(IK::Exchange, "2000-04", "2001-04", STAGE_UNIVERSITY, "パリ\t大学")}, 0,
         F::Place, "の1行目（交換留学）の「留学先」にタブや改行などの制御文字は使えません。"},
        // The first row refused is named, not a later one.
        {std::vector{Row(IK::LeaveOfAbsence, "2000-04", "2001-04", STAGE_JUNIOR_HIGH),
                     Row(IK::Exchange, "", "")},
         0, F::Stage, "の1行目（休学）の学校を選んでください。"},
        {std::vector{Row(IK::Equivalency, "", "1999-08"), Row(IK::Equivalency, "", "1999-11"),
                     Row(IK::Exchange, "", "")},
         1, F::Kind,
         "の2行目（高卒認定）：高卒認定は一つだけ入力してください（1行目にあります）。"},
        // No 高校 to transfer in, once the 認定 replaced it.
        {std::vector{Row(IK::Equivalency, "", "2000-08"), Row(IK::TransferIn, "1996-04", "")}, 1,
         F::Stage, "の2行目（転入学）の高校には、この学歴では在学していません。"},
        {std::vector{Row(IK::LeaveOfAbsence, "2000-04", "2001-04"),
                     Row(IK::LeaveOfAbsence, "2000-10", "2001-10")},
         1, F::From, "の2行目（休学）は、1行目と期間が重なっています。"},
        {std::vector{Row(IK::LeaveOfAbsence, "1998-03", "1999-03")}, 0, F::From,
         "の1行目（休学）の「休学した月」が、大学の在学期間（1998年4月〜2002年3月）"
         "に入っていません。"},
        // Begun in the last month of the course: its return lies outside.
        {std::vector{Row(IK::Exchange, "2002-03", "2002-09", STAGE_UNIVERSITY, "x")}, 0, F::To,
         "の1行目（交換留学）の「帰国した月」が、大学の在学期間（1998年4月〜2002年3月）"
         "に入っていません。"},
        {std::vector{Row(IK::LeaveOfAbsence, "2001-04", "2000-04")}, 0, F::To,
         "の1行目（休学）の「復学した月」が「休学した月」より後になっていません。"},
        {std::vector{Row(IK::Equivalency, "", "1995-02")}, 0, F::To,
         "の1行目（高卒認定）の「合格した月」が中学校の卒業（1995年3月）より前です。"},
        {std::vector{Row(IK::Equivalency, "1994-04", "1999-08")}, 0, F::From,
         "の1行目（高卒認定）の「高校を中途退学した月」が、高校の在学期間（1995年4月〜1998年3月）に"
         "入っていません。"},
        {std::vector{Row(IK::Equivalency, "", "2027-01")}, 0, F::To,
         "の1行目（高卒認定）の「合格した月」が今日より後です。"},
    };
    for (const auto& c : cases) {
        const Outcome run = Calc({}, c.rows);
        EXPECT_EQ(run.result.refusal, std::string("「休学・留学など」") + c.refusal);
        EXPECT_EQ(std::tuple(run.result.ok, run.result.refusedEvent, run.result.refusedEventField,
                             run.result.keepsShown),
                  std::tuple(false, c.row, c.field, true))
            << c.refusal;
    }
}

// 単位取得退学 only for the doctorate; 在学中 only while the course goes on; a 高卒認定 ends a
// history of the 高校 only as its 卒業.
TEST(Calculate, OutcomesThatNeedTheirCourse) {
    const int credits = 18, enrolled = 19;  // 単位取得退学, 在学中
    const struct {
        int outcome, finalSchool;
        const char* birthYear;
        const char* refusal;  // "" when taken
        std::vector<EventInput> rows = {};
    } cases[] = {
        {credits, 7, "1980", ""},
        {credits, 6, "1980", "「単位取得退学」は、最終学歴が大学院博士のときだけ選べます。"},
        {enrolled, 5, "2006", ""},  // 大学 2024-04..2028-03
        {enrolled, 5, "1980",
         "「在学中」が選ばれていますが、大学の卒業（2002年3月）は今日より前です。「卒業」を選ぶか、"
         "入力を確かめてください。"},
        {enrolled, 5, "2010",
         "「在学中」が選ばれていますが、大学の入学（2028年4月）は今日より後です。"},
        {enrolled, 6, "1980",
         "「在学中」が選ばれていますが、大学院修士の修了（2004年3月）は今日より前です。"
         "「卒業」を選ぶか、入力を確かめてください。"},
        {enrolled, 6, "1980", "",
         std::vector{Row(IK::LeaveOfAbsence, "2002-04", "2025-04", STAGE_MASTER)}},
        {0, 2, "1980",
         "「休学・留学など」に高卒認定があるときは、最終学歴が高校なら「卒業」を選んでください。",
         std::vector{Row(IK::Equivalency, "", "1999-08")}},
    };
    for (const auto& c : cases) {
        const Outcome run =
            Calc(Set(&I::m_nOutcome, c.outcome, c.finalSchool, c.birthYear), c.rows);
        EXPECT_EQ(run.result.refusal, c.refusal) << c.outcome << " " << c.birthYear;
        EXPECT_EQ(std::tuple(run.result.ok, run.result.refused, run.result.keepsShown),
                  std::tuple(!*c.refusal, *c.refusal ? Control::Outcome : Control::None, false));
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
