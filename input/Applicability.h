#pragma once

#include <string>
#include <vector>

#include "engine/HistoryData.h"

struct DialogInputs;
struct InputField;
struct ResumeField;
struct ResumeInputs;

// Where a form that shows only what applies puts an input: the first questions (the birth date,
// the final schooling and how it ended), the 浪人・留年 counts, the course lengths and the route,
// the rarer ways through school, the history text's own choice, the 学歴 block's choices, and
// the school names beside the rows they change.
enum class InputPlace : unsigned char { Basic, Counts, Route, More, History, Block, Schools };

InputPlace PlaceOf(const InputField& field);
InputPlace PlaceOf(const ResumeField& field);

// The name KeepApplicableInputs gives the list 「休学・留学など」 when it applies.
inline constexpr const char* kEventListName = "events";

// Which inputs of the window's and the 学歴 block's forms change anything for these inputs: the
// stages the history passes through (from the route the calculation itself takes), each stage's
// counts and choices only while it is on that path, the route list only past the 高校, a school
// name or department only for a stage that has a row in the block, the leaving month only for a
// history that ends in a 中途退学 or 除籍, the wording of a skipped year only for a history that
// skips one, the list 「休学・留学など」 only for a history that reaches the 高校 (its rows lie in
// the 高校 or later). Inputs that do not apply may be left at their defaults without changing the
// history or its rows.
class Applicability {
  public:
    Applicability(const DialogInputs& inputs, const ResumeInputs& resume);

    bool OnPath(int stage) const;
    bool Applies(const InputField& field) const;
    bool Applies(const ResumeField& field) const;
    bool EventsApply() const { return OnPath(STAGE_HIGH_SCHOOL); }

  private:
    std::string m_path;  // the stages on the path, in order: "1236" for 小 中 高 大
    int m_finalStage = STAGE_NONE;
    bool m_onlyEntered = false;      // the final schooling was entered, not left
    bool m_leftEarly = false;        // it ended in a 中途退学 or 除籍
    bool m_lastYearSkipped = false;  // a stage on the path skipped its last year (飛び級)
    int m_firstBlockStage = 0;       // the first stage with a row in the 学歴 block
};

// Sets every input of both forms that does not apply back to its default (no rows of
// 「休学・留学など」 when the list does not apply) and gives the schema names of those that apply,
// in the order of each schema, then kEventListName when the list applies: what the page sends
// the calculation, so that no refusal concerns an input it does not show.
std::vector<std::string> KeepApplicableInputs(DialogInputs& inputs, ResumeInputs& resume);
