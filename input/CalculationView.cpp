#include "input/CalculationView.h"

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "input/ResumeInputs.h"

std::string LfText(std::string_view text) {
    std::string lf;
    lf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lf += text[i];
    }
    return lf;
}

std::string PrintedHistory(std::string_view historyText) {
    return LfText(historyText) + "\n";
}

CalculationView ShowCalculation(const DialogInputs& inputs, const ResumeInputs& resume,
                                const CivilDate& today) {
    CalculationView view;
    CHistoryData history;
    const CalculationResult result = Calculate(inputs, history, today);
    if (!result.ok) {
        view.refusal = LfText(result.refusal);
        if (const InputField* field = FindField(result.refused)) view.refused = field->name;
        view.keepsShown = IsBirthDateControl(result.refused);
        return view;
    }
    view.history = PrintedHistory(history.m_strHistory);
    const ResumeChoice choice = ReadResumeInputs(resume);
    if (!choice.ok) {
        view.refusal = choice.refusal;
        view.refused = choice.refused->name;
        return view;
    }
    const std::vector<ResumeRow> rows = BuildResumeRows(history, today, choice.options);
    for (const ResumeRow& row : rows) view.rows.push_back(ResumeCells(row, choice.calendar));
    view.tsv = ResumeTsv(rows, choice.calendar);
    view.csv = ResumeCsv(rows, choice.calendar);
    view.note = MissingMonthNote(rows);
    view.ok = true;
    return view;
}

CivilDate CountableDate(const std::string& isoText) {
    CivilDate date;
    if (!ParseIsoDate(isoText, date) || date.year < kFirstCountableYear) return {};
    return date;
}
