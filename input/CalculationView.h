#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/InputTransfer.h"
#include "input/ResumeInputs.h"

struct DialogInputs;

// The text with every CR LF turned into LF.
std::string LfText(std::string_view text);

// The history as vesmer-cli prints it: LF between the lines and a final LF.
std::string PrintedHistory(std::string_view historyText);

// The 学歴 block of a computed history under its choices as typed: the rows, or the first
// refused choice (choice.refused, named in choice.refusal) and no rows, so that nothing is
// given, copied or exported until it is put right.
struct ResumeBlockView {
    ResumeChoice choice;
    std::vector<ResumeRow> rows;
};
ResumeBlockView ViewResumeBlock(const CHistoryData& history, const ResumeInputs& inputs,
                                const CivilDate& today);

// One Calculate, with the rows of 「休学・留学など」 kept in resume, and its 学歴 block, as every
// front end shows it. A refused input of the main window or refused row (result) gives no block;
// history then holds what Calculate left, and a refused birth date or a row that cannot have
// happened leaves the history on show as it was (result.keepsShown).
struct Calculation {
    CalculationResult result;
    CHistoryData history;
    ResumeBlockView block;

    bool Ok() const { return result.ok && block.choice.ok; }
};
Calculation RunCalculation(const DialogInputs& inputs, const ResumeInputs& resume,
                           const CivilDate& today);

// A Calculation as the page shows it: the history as vesmer-cli prints it and the 学歴 rows in
// the chosen calendar, or a refusal (LF line breaks) and the name of the input it concerns: its
// schema name, the stored key of a field of a row of 「休学・留学など」 ("event2.to"), or "" when
// it concerns no single input. A refused birth date or row leaves the shown history as it was
// (keepsShown); a refused 学歴 choice comes with the new history but without rows.
struct CalculationView {
    bool ok = false;
    std::string refusal;
    std::string refused;
    bool keepsShown = false;
    std::string history;
    std::vector<std::array<std::string, 3>> rows;  // 年, 月, 学歴
    // Of each row: "heading" (「学歴」), "closing" (「以上」), else "".
    std::vector<std::string> rowKinds;
    std::string tsv;   // the rows for the clipboard
    std::string csv;   // the rows as a CSV file's bytes
    std::string note;  // the first missing month, or ""
};
CalculationView ShowCalculation(const DialogInputs& inputs, const ResumeInputs& resume,
                                const CivilDate& today);

// A date YYYY-MM-DD that the current age can be counted to; year 0 when the text is none.
CivilDate CountableDate(const std::string& isoText);
