#include "input/EventInputs.h"

#include <algorithm>
#include <array>

#include "engine/NumberText.h"
#include "engine/ResumeRows.h"
#include "engine/Utf8.h"
#include "input/ChoiceLists.h"

namespace {

using IK = EventInputKind;

constexpr EventKindDescription kKinds[] = {
    {IK::LeaveOfAbsence, "休学", true, "休学した月", true, "復学した月", "", false, ""},
    {IK::Exchange, "交換留学", true, "出発した月", true, "帰国した月", "留学先", true, ""},
    {IK::StudyAbroad, "休学して留学", true, "出発した月", true, "帰国した月", "留学先", true, ""},
    {IK::TransferIn, "転入学", false, "転入学した月", true, "", "転入学先の学校名", false,
     "転入学先の学科"},
    {IK::Equivalency, "高卒認定", false, "高校を中途退学した月", false, "合格した月", "", false,
     ""},
};

constexpr int kFirstMonthYear = 1873;
constexpr int kLastMonthYear = 2100;

// Reads the digits at the start of text into value; false when there are none or too many.
bool TakeNumber(std::string_view& text, std::size_t maxDigits, int& value) {
    text = TrimBlanks(text);
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0 || digits > maxDigits) return false;
    value = ParseLeadingInt(text.substr(0, digits));
    text.remove_prefix(digits);
    text = TrimBlanks(text);
    return true;
}

bool TakeSeparator(std::string_view& text) {
    for (std::string_view separator : {"-", "/", ".", "年", "－", "／", "．", "ー"}) {
        if (text.starts_with(separator)) {
            text.remove_prefix(separator.size());
            return true;
        }
    }
    return false;
}

std::string RowName(std::span<const EventInput> rows, int row) {
    const EventInput& input = rows[static_cast<std::size_t>(row)];
    return "「休学・留学など」の" + std::to_string(row + 1) + "行目（" +
           std::string(DescribeEventKind(input.kind).item) + "）";
}

EventTransfer Refusal(EventTransfer transfer, std::string refusal, int row, EventField field) {
    transfer.ok = false;
    transfer.refusal = std::move(refusal);
    transfer.row = row;
    transfer.field = field;
    return transfer;
}

}  // namespace

std::span<const EventKindDescription> EventKinds() {
    return kKinds;
}

const EventKindDescription& DescribeEventKind(EventInputKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

std::string_view EventFieldLabel(EventInputKind kind, EventField field) {
    const EventKindDescription& description = DescribeEventKind(kind);
    switch (field) {
        case EventField::Kind:
            return "種類";
        case EventField::Stage:
            return description.stageChosen ? "学校" : "";
        case EventField::From:
            return description.from;
        case EventField::To:
            return description.to;
        case EventField::Place:
            return description.place;
        case EventField::Department:
            return description.department;
    }
    return {};
}

bool ParseYearMonth(std::string_view typed, YearMonth& month) {
    const std::string ascii = ToAsciiDigits(typed);
    std::string_view text = ascii;
    int year = 0, number = 0;
    if (!TakeNumber(text, 4, year) || !TakeSeparator(text) || !TakeNumber(text, 2, number))
        return false;
    if (text.starts_with("月")) text.remove_prefix(std::string_view("月").size());
    if (!TrimBlanks(text).empty() || year < kFirstMonthYear || year > kLastMonthYear ||
        number < 1 || number > 12)
        return false;
    month = {year, number};
    return true;
}

std::string YearMonthWords(const YearMonth& month) {
    return std::to_string(month.year) + "年" + std::to_string(month.month) + "月";
}

namespace {

SchoolEventKind EngineKind(EventInputKind kind) {
    switch (kind) {
        case IK::Exchange:
            return SchoolEventKind::Exchange;
        case IK::StudyAbroad:
            return SchoolEventKind::StudyAbroad;
        case IK::TransferIn:
            return SchoolEventKind::TransferIn;
        default:
            return SchoolEventKind::LeaveOfAbsence;
    }
}

// A month of a row as the engine takes it: nothing when it is empty; false (with the refusal)
// when it is needed and missing, or is no month.
bool ReadMonthField(std::span<const EventInput> rows, int row, EventField field,
                    std::optional<YearMonth>& month, EventTransfer& transfer) {
    const EventInput& input = rows[static_cast<std::size_t>(row)];
    const EventKindDescription& kind = DescribeEventKind(input.kind);
    const std::string_view label = EventFieldLabel(input.kind, field);
    const std::string& typed = field == EventField::From ? input.from : input.to;
    if (label.empty()) return true;
    const std::string name = RowName(rows, row) + "の「" + std::string(label) + "」";
    const bool required = field == EventField::From ? kind.fromRequired : true;
    if (TrimBlanks(typed).empty()) {
        if (!required) return true;
        transfer = Refusal(transfer, name + "を入力してください。", row, field);
        return false;
    }
    YearMonth value;
    if (!ParseYearMonth(typed, value)) {
        transfer = Refusal(transfer, name + "は、2000-04 のように西暦の年と月で入力してください。",
                           row, field);
        return false;
    }
    month = value;
    return true;
}

// A text of a row as the rows write it, checked as a school name is.
bool ReadTextField(std::span<const EventInput> rows, int row, EventField field,
                   std::string& cleaned, EventTransfer& transfer) {
    const EventInput& input = rows[static_cast<std::size_t>(row)];
    const std::string_view label = EventFieldLabel(input.kind, field);
    if (label.empty()) return true;
    const std::string name = RowName(rows, row) + "の「" + std::string(label) + "」";
    const std::string& typed = field == EventField::Place ? input.place : input.department;
    std::string problem;
    switch (CleanSchoolText(typed, cleaned)) {
        case SchoolTextProblem::None:
            if (!cleaned.empty() || field != EventField::Place ||
                !DescribeEventKind(input.kind).placeRequired)
                return true;
            problem = name + "を入力してください。";
            break;
        case SchoolTextProblem::ControlCharacter:
            problem = name + "にタブや改行などの制御文字は使えません。";
            break;
        case SchoolTextProblem::TooLong:
            problem =
                name + "は" + std::to_string(kMaxSchoolTextLength) + "文字以内で入力してください。";
            break;
    }
    transfer = Refusal(transfer, problem, row, field);
    return false;
}

// One row into the model; false (with the refusal) when it cannot be read.
bool TransferRow(std::span<const EventInput> rows, int row, CHistoryData& history,
                 EventTransfer& transfer) {
    const EventInput& input = rows[static_cast<std::size_t>(row)];
    std::optional<YearMonth> from, to;
    std::string place, department;
    if (!ReadMonthField(rows, row, EventField::From, from, transfer) ||
        !ReadMonthField(rows, row, EventField::To, to, transfer) ||
        !ReadTextField(rows, row, EventField::Place, place, transfer) ||
        !ReadTextField(rows, row, EventField::Department, department, transfer))
        return false;
    const bool chosen = DescribeEventKind(input.kind).stageChosen;
    if (chosen && (input.stage < kFirstEventStage || input.stage > STAGE_DOCTOR)) {
        transfer = Refusal(transfer, RowName(rows, row) + "の学校を選んでください。", row,
                           EventField::Stage);
        return false;
    }
    if (input.kind == IK::Equivalency) {
        if (transfer.equivalencyRow >= 0) {
            transfer =
                Refusal(transfer,
                        RowName(rows, row) + "：高卒認定は一つだけ入力してください（" +
                            std::to_string(transfer.equivalencyRow + 1) + "行目にあります）。",
                        row, EventField::Kind);
            return false;
        }
        history.m_equivalency = EquivalencyExam{*to, from};
        transfer.equivalencyRow = row;
        return true;
    }
    history.m_aSchoolEvents.push_back({EngineKind(input.kind),
                                       chosen ? input.stage : STAGE_HIGH_SCHOOL, *from,
                                       to.value_or(YearMonth{}), place, department});
    transfer.rowOfEvent.push_back(row);
    return true;
}

}  // namespace

EventTransfer TransferEvents(std::span<const EventInput> rows, CHistoryData& history) {
    EventTransfer transfer;
    history.m_aSchoolEvents.clear();
    history.m_equivalency.reset();
    if (rows.size() > kMaxEventRows)
        return Refusal(
            transfer,
            "「休学・留学など」は" + std::to_string(kMaxEventRows) + "行までにしてください。",
            kMaxEventRows, EventField::Kind);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        if (!TransferRow(rows, row, history, transfer)) return transfer;
    }
    return transfer;
}

namespace {

// The field of a row whose months lie outside the bounds: its start, or else its return.
EventField FieldOutside(const EventInput& input, const EventProblem& problem) {
    YearMonth from;
    if (input.kind == IK::Equivalency || !ParseYearMonth(input.from, from)) return EventField::From;
    return from < problem.first || from > problem.last ? EventField::From : EventField::To;
}

std::pair<std::string, EventField> ProblemText(const EventTransfer& transfer,
                                               const EventInput& input, const std::string& stage,
                                               const EventProblem& problem) {
    using P = EventProblemKind;
    const auto label = [&](EventField field) {
        return "「" + std::string(EventFieldLabel(input.kind, field)) + "」";
    };
    switch (problem.kind) {
        case P::StageNotReached:
            if (input.kind == IK::Equivalency)
                return {"は、最終学歴が高校・高専以上のときだけ入力できます。", EventField::Kind};
            return {"の" + stage + "には、この学歴では在学していません。", EventField::Stage};
        case P::OutsideEnrolment: {
            const EventField field = FieldOutside(input, problem);
            return {"の" + label(field) + "が、" + stage + "の在学期間（" +
                        YearMonthWords(problem.first) + "〜" + YearMonthWords(problem.last) +
                        "）に入っていません。",
                    field};
        }
        case P::ReturnNotAfterStart:
            return {"の" + label(EventField::To) + "が" + label(EventField::From) +
                        "より後になっていません。",
                    EventField::To};
        case P::Overlap:
            return {"は、" +
                        std::to_string(
                            transfer.rowOfEvent[static_cast<std::size_t>(problem.other)] + 1) +
                        "行目と期間が重なっています。",
                    EventField::From};
        case P::TransferOutsideHighSchool:
            return {"は、高校でだけ入力できます。", EventField::Kind};
        case P::NotHighSchoolCourse:
            return {"は、高校が3年制か4年制のときだけ入力できます。", EventField::Kind};
        case P::PassedBeforeJuniorHigh:
            return {"の" + label(EventField::To) + "が中学校の卒業（" +
                        YearMonthWords(problem.first) + "）より前です。",
                    EventField::To};
        case P::PassedAfterToday:
            return {"の" + label(EventField::To) + "が今日より後です。", EventField::To};
        case P::None:
            break;
    }
    return {};
}

}  // namespace

EventTransfer RefuseEvent(const EventTransfer& transfer, std::span<const EventInput> rows,
                          const CHistoryData& history, const EventProblem& problem) {
    const int row = problem.event == kEquivalencyEvent
                        ? transfer.equivalencyRow
                        : transfer.rowOfEvent[static_cast<std::size_t>(problem.event)];
    const EventInput& input = rows[static_cast<std::size_t>(row)];
    const int stage = problem.event == kEquivalencyEvent
                          ? STAGE_HIGH_SCHOOL
                          : history.m_aSchoolEvents[std::size_t(problem.event)].stage;
    const auto [text, field] =
        ProblemText(transfer, input, std::string(history.SchoolName(stage)), problem);
    return Refusal(transfer, RowName(rows, row) + text, row, field);
}

namespace {

constexpr std::string_view kStoredPrefix = "event";
// By EventField.
constexpr std::string_view kStoredFields[] = {"kind", "stage", "from", "to", "place", "department"};

std::string StageItem(int stage) {
    const std::string* item = SelectedItem(ChoiceLists::Get().m_aFinalSchoolNames, stage - 1);
    return item ? *item : std::string();
}

// The fields a row's kind uses with the typed values they hold.
std::vector<std::pair<EventField, std::string>> StoredFields(const EventInput& row) {
    std::vector<std::pair<EventField, std::string>> fields{
        {EventField::Kind, std::string(DescribeEventKind(row.kind).item)}};
    const EventKindDescription& kind = DescribeEventKind(row.kind);
    if (kind.stageChosen) fields.emplace_back(EventField::Stage, StageItem(row.stage));
    if (!kind.from.empty()) fields.emplace_back(EventField::From, row.from);
    if (!kind.to.empty()) fields.emplace_back(EventField::To, row.to);
    if (!kind.place.empty()) fields.emplace_back(EventField::Place, row.place);
    if (!kind.department.empty()) fields.emplace_back(EventField::Department, row.department);
    return fields;
}

}  // namespace

std::string StoredEventKey(int row, EventField field) {
    return std::string(kStoredPrefix) + std::to_string(row + 1) + "." +
           std::string(kStoredFields[static_cast<std::size_t>(field)]);
}

std::vector<std::pair<std::string, std::string>> StoredEventValues(
    std::span<const EventInput> rows) {
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (auto& [field, value] : StoredFields(rows[i]))
            values.emplace_back(StoredEventKey(static_cast<int>(i), field), std::move(value));
    }
    return values;
}

bool CStoredEventRows::Read(std::string_view key, std::string_view value) {
    if (!key.starts_with(kStoredPrefix)) return false;
    key.remove_prefix(kStoredPrefix.size());
    const std::size_t dot = key.find('.');
    const std::string_view number = key.substr(0, dot);
    if (dot == std::string_view::npos || !IsAllDigits(number) || number.size() > 2) return false;
    const int index = ParseLeadingInt(number);
    const std::string_view field = key.substr(dot + 1);
    if (index < 1 || index > kMaxEventRows ||
        std::find(std::begin(kStoredFields), std::end(kStoredFields), field) ==
            std::end(kStoredFields))
        return false;
    const auto [place, added] = m_rows.try_emplace(index);
    StoredRow& stored = place->second;
    if (added) stored.row.stage = 0;  // no stage until one is read
    EventInput& row = stored.row;
    if (field == "kind") {
        for (const EventKindDescription& kind : kKinds) {
            if (kind.item == value) {
                row.kind = kind.kind;
                stored.known = true;
            }
        }
    } else if (field == "stage") {
        const auto& items = ChoiceLists::Get().m_aFinalSchoolNames;
        const auto item = std::find(items.begin(), items.end(), value);
        row.stage = item == items.end() ? 0 : static_cast<int>(item - items.begin()) + 1;
    } else {
        std::string& text = field == "from"    ? row.from
                            : field == "to"    ? row.to
                            : field == "place" ? row.place
                                               : row.department;
        text = value;
    }
    return true;
}

std::vector<EventInput> CStoredEventRows::Rows() const {
    std::vector<EventInput> rows;
    for (const auto& [index, stored] : m_rows) {
        if (!stored.known) continue;
        rows.push_back(stored.row);
        if (!DescribeEventKind(stored.row.kind).stageChosen) rows.back().stage = STAGE_HIGH_SCHOOL;
    }
    return rows;
}
