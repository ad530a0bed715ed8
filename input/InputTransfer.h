#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "input/EventInputs.h"
#include "input/InputSchema.h"

struct DialogInputs;

// Messages of the checks that refuse a contradiction between choices.
inline constexpr std::string_view kMsgBroadcastUniversity =
    "6ヶ月または1年制の放送大学から大学院へは進学できません";
inline constexpr std::string_view kMsgTechnicalCollegeTransfer =
    "高専卒でないのに「高専から大学へ編入する」選択がされています。\r\n\r\n"
    "正しい選択かどうか確認してください";
inline constexpr std::string_view kMsgAdvancedCourse =
    "大学院卒でない、または高専専攻科(5+2年制)が選択されていないのに\r\n"
    "「高専専攻科から大学院へ進学した」が選択されています。";

inline constexpr std::string_view kMsgCreditsWithdrawnOnlyDoctor =
    "「単位取得退学」は、最終学歴が大学院博士のときだけ選べます。";
inline constexpr std::string_view kMsgEquivalencyNeedsGraduation =
    "「休学・留学など」に高卒認定があるときは、最終学歴が高校なら「卒業」を選んでください。";

// "「<list>」が選択されていません。…" for a list without a selection.
std::string NoSelectionMessage(std::string_view listName);
// "<stage>の浪人回数は0から99までの数を入力してください。" (or 留年回数); kind is Ronin or Ryunen.
std::string CountRangeMessage(int stage, InputKind kind);
// "<school>の在学期間が0ヶ月以下になる選択がされています。…"
std::string EmptyCourseMessage(std::string_view school);

struct CalculationResult {
    bool ok = false;
    std::string refusal;              // the message to show when ok is false
    Control refused = Control::None;  // the input the refusal concerns, when it is one input
    int finalStage = STAGE_NONE;  // the chosen final schooling's stage; none when refused before
    int refusedEvent = -1;  // the row of 「休学・留学など」 the refusal concerns, if any
    EventField refusedEventField = EventField::Kind;
    // The refusal leaves the shown history as it was: a birth date that does not exist, or a
    // row of 「休学・留学など」 that cannot have happened.
    bool keepsShown = false;
};

// The era, year, month and day of the birth date: a refusal of these leaves the shown history as
// it was.
bool IsBirthDateControl(Control control);

// One Calculate: resets the model, moves the inputs and the rows of 「休学・留学など」 into it
// step by step (the first step that refuses ends the transfer) and builds the text (the
// model's m_strHistory and Events()). The birth date must exist, lie within its era and not
// after today; every event must have been able to happen; 在学中 needs a course going on today.
// On success the model's birth year is then the year as typed, as the settings keep it.
CalculationResult Calculate(const DialogInputs& inputs, CHistoryData& history,
                            const CivilDate& today, std::span<const EventInput> events = {});
