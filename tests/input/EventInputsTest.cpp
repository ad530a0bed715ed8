#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/EventInputs.h"
#include "input/InputTransfer.h"

// The rows of 「休学・留学など」 as typed, in a history born on 1980-01-01 (大学 1998-04..2002-03).

namespace {

using IK = EventInputKind;
using F = EventField;
constexpr CivilDate kToday{2026, 12, 7};

TEST(EventInputs, MonthsAreReadInTheUsualForms) {
    const struct {
        const char* typed;
        int year, month;
    } read[] = {{"2000-04", 2000, 4},   {"2000/4", 2000, 4},         {" 2000.12 ", 2000, 12},
                {"2000年4月", 2000, 4}, {"２０００－０４", 2000, 4}, {"　2000 年 4 月　", 2000, 4},
                {"1873-01", 1873, 1},   {"2100-12", 2100, 12}};
    YearMonth month;
    for (const auto& c : read) {
        EXPECT_TRUE(ParseYearMonth(c.typed, month)) << c.typed;
        EXPECT_EQ(month, (YearMonth{c.year, c.month})) << c.typed;
    }
    for (const char* typed : {"1872-12", "2101-01", "2000-13", "2000-0", "2000", "2000-4-1",
                              "00-04", "2000-004", "平成12年4月", ""})
        EXPECT_FALSE(ParseYearMonth(typed, month)) << typed;
}

// Stored by item text under numbered keys; what names no kind or stage is dropped.
TEST(EventInputs, RowsAreStoredByTheirItemsAndReadBack) {
    const std::vector<EventInput> rows = {
        {IK::Exchange, STAGE_MASTER, "2002-09", "2003-03", "パリ大学", ""},
        {IK::TransferIn, STAGE_HIGH_SCHOOL, "1996-04", "", "東都高校", "普通科"},
        {IK::Equivalency, STAGE_HIGH_SCHOOL, "", "1999-08", "", ""}};
    std::string lines;
    CStoredEventRows stored;
    for (const auto& [key, value] : StoredEventValues(rows)) {
        lines += key + "=" + value + ";";
        EXPECT_TRUE(stored.Read(key, value));
    }
    EXPECT_EQ(lines,
              "event1.kind=交換留学;event1.stage=大学院修士;event1.from=2002-09;event1.to=2003-03;"
              "event1.place=パリ大学;event2.kind=転入学;event2.from=1996-04;event2.place=東都高校;"
              "event2.department=普通科;event3.kind=高卒認定;event3.from=;event3.to=1999-08;");
    EXPECT_EQ(stored.Rows(), rows);
    CStoredEventRows later;
    for (const char* key : {"event", "event1", "eventx.kind", "event0.kind", "event21.kind",
                            "event100.kind", "event1.colour", "events1.kind"})
        EXPECT_FALSE(later.Read(key, "休学")) << key;
    EXPECT_TRUE(later.Read("event3.stage", "大学院修士") && later.Read("event3.kind", "休学") &&
                later.Read("event2.kind", "冬眠") && later.Read("event1.kind", "休学") &&
                later.Read("event1.stage", "大学院") && later.Read("event20.kind", "休学"));
    EXPECT_EQ(later.Rows(),
              (std::vector<EventInput>{{IK::LeaveOfAbsence, 0, "", "", "", ""},
                                       {IK::LeaveOfAbsence, STAGE_MASTER, "", "", "", ""},
                                       {IK::LeaveOfAbsence, 0, "", "", "", ""}}));
}

struct Outcome {
    CalculationResult result;
    CHistoryData history;
};

Outcome Calc(std::vector<EventInput> rows, int outcome = 1, int finalSchool = 5,
             const char* birthYear = "1980") {
    DialogInputs inputs;
    inputs.m_nOutcome = outcome;
    inputs.m_nFinalSchool = finalSchool;
    inputs.m_strBirthYear = birthYear;
    Outcome run;
    run.result = Calculate(inputs, run.history, kToday, rows);
    return run;
}

EventInput Row(IK kind, const char* from, const char* to, int stage = STAGE_UNIVERSITY,
               const char* place = "") {
    return {kind, stage, from, to, place, ""};
}

// The rows move the history and its lines; a refusal names the row and its field and keeps the
// history on show.
TEST(EventInputs, RowsMoveTheHistoryOrAreRefusedByRowAndField) {
    const Outcome moved = Calc({Row(IK::LeaveOfAbsence, "1996-04", "1997-04", STAGE_HIGH_SCHOOL),
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
        const Outcome run = Calc(c.rows);
        EXPECT_EQ(run.result.refusal, std::string("「休学・留学など」") + c.refusal);
        EXPECT_EQ(std::tuple(run.result.ok, run.result.refusedEvent, run.result.refusedEventField,
                             run.result.keepsShown),
                  std::tuple(false, c.row, c.field, true))
            << c.refusal;
    }
}

// 単位取得退学 only for the doctorate; 在学中 only while the course goes on; a 高卒認定 ends a
// history of the 高校 only as its 卒業.
TEST(EventInputs, OutcomesThatNeedTheirCourse) {
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
        const Outcome run = Calc(c.rows, c.outcome, c.finalSchool, c.birthYear);
        EXPECT_EQ(run.result.refusal, c.refusal) << c.outcome << " " << c.birthYear;
        EXPECT_EQ(std::tuple(run.result.ok, run.result.refused, run.result.keepsShown),
                  std::tuple(!*c.refusal, *c.refusal ? Control::Outcome : Control::None, false));
    }
}

}  // namespace
