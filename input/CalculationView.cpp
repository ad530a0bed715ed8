#include "input/CalculationView.h"

#include "input/EventInputs.h"
#include "input/InputSchema.h"

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

ResumeBlockView ViewResumeBlock(const CHistoryData& history, const ResumeInputs& inputs,
                                const CivilDate& today) {
    ResumeBlockView block{ReadResumeInputs(inputs), {}};
    if (block.choice.ok) block.rows = BuildResumeRows(history, today, block.choice.options);
    return block;
}

Calculation RunCalculation(const DialogInputs& inputs, const ResumeInputs& resume,
                           const CivilDate& today) {
    Calculation calculation;
    calculation.result = Calculate(inputs, calculation.history, today, resume.m_aEvents);
    if (calculation.result.ok)
        calculation.block = ViewResumeBlock(calculation.history, resume, today);
    return calculation;
}

CalculationView ShowCalculation(const DialogInputs& inputs, const ResumeInputs& resume,
                                const CivilDate& today) {
    const Calculation calculation = RunCalculation(inputs, resume, today);
    const CalculationResult& result = calculation.result;
    const ResumeChoice& choice = calculation.block.choice;
    CalculationView view;
    if (!result.ok) {
        view.refusal = LfText(result.refusal);
        if (const InputField* field = FindField(result.refused)) view.refused = field->name;
        if (result.refusedEvent >= 0)
            view.refused = StoredEventKey(result.refusedEvent, result.refusedEventField);
        view.keepsShown = result.keepsShown;
        return view;
    }
    view.history = PrintedHistory(calculation.history.m_strHistory);
    if (!choice.ok) {
        view.refusal = choice.refusal;
        view.refused = choice.refused->name;
        return view;
    }
    const std::vector<ResumeRow>& rows = calculation.block.rows;
    for (const ResumeRow& row : rows) {
        view.rows.push_back(ResumeCells(row, choice.calendar));
        view.rowKinds.emplace_back(row.heading ? "heading" : row.closing ? "closing" : "");
    }
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
