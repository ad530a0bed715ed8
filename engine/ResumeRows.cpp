#include "engine/ResumeRows.h"

#include <tuple>

#include "engine/HistoryData.h"

namespace {

// The history's short school names and the names a résumé writes; the others are formal already.
struct FormalName {
    std::string_view school;
    std::string_view formal;
};
constexpr FormalName kFormalNames[] = {
    {"高校", "高等学校"},
    {"高専", "高等専門学校"},
    {"短大", "短期大学"},
    {"大学院修士", "大学院修士課程"},
    {"大学院博士", "大学院博士課程"},
};
// The 高等教育課程 line before a 高専 drop-out is written as the 高専's third course year.
constexpr std::string_view kHigherEducationCourseText = "高等専門学校　第3学年修了";
constexpr std::string_view kBlank = "　";
constexpr std::string_view kExpected = "見込み";
constexpr std::array<std::string_view, 3> kColumns = {"年", "月", "学歴"};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view FormalSchoolName(std::string_view school) {
    for (const FormalName& name : kFormalNames) {
        if (name.school == school) return name.formal;
    }
    return school;
}

bool IsLeavingWithMonth(HistoryEventKind kind) {
    return kind == HistoryEventKind::Graduation || kind == HistoryEventKind::Completion;
}

std::string EventText(const HistoryEvent& event) {
    switch (event.kind) {
        case HistoryEventKind::Entry:
        case HistoryEventKind::GraduateEntry:
        case HistoryEventKind::DoctorEntry:
            return "入学";
        case HistoryEventKind::TransferEntry:
            return std::to_string(event.grade) + "年次編入学";
        case HistoryEventKind::Graduation:
            return "卒業";
        case HistoryEventKind::Completion:
            return "修了";
        case HistoryEventKind::DroppedOut:
            return "中途退学";
        case HistoryEventKind::Expelled:
            return "除籍";
    }
    return {};
}

ResumeRow RowOf(const HistoryEvent& event) {
    ResumeRow row{event.year, event.eraName, event.eraYear, event.month, {}};
    if (event.school == kHigherEducationCourse) {
        row.text = kHigherEducationCourseText;
    } else {
        row.text = FormalSchoolName(event.school);
        row.text += kBlank;
        row.text += EventText(event);
    }
    return row;
}

// The doctoral course's entry, which the history shows only for a course that was only entered.
HistoryEvent DoctoralEntry(const CHistoryData& history) {
    const StageRecord& doctor = history.Stage(STAGE_DOCTOR);
    const EraYear era = EraOn(doctor.nEntryYear, doctor.nEntryMonth, 1);
    HistoryEvent event;
    event.kind = HistoryEventKind::DoctorEntry;
    event.stage = STAGE_DOCTOR;
    event.school = history.SchoolName(STAGE_DOCTOR);
    event.year = doctor.nEntryYear;
    event.month = doctor.nEntryMonth;
    event.eraName = era.name;
    event.eraYear = era.year;
    return event;
}

// An entry is dated by the 1st of its month, a leaving by its last day; a row without a month
// lies after today only when its year does.
bool AfterToday(const HistoryEvent& event, const CivilDate& today) {
    if (!event.month) return event.year > today.year;
    const int month = *event.month;
    const int day = IsEntryKind(event.kind) ? 1 : DaysInMonth(event.year, month);
    return std::tie(event.year, month, day) > std::tie(today.year, today.month, today.day);
}

template <class Cells>
void AppendLine(std::string& out, const Cells& cells, char separator, std::string_view end,
                bool quote) {
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first) out += separator;
        first = false;
        if (!quote || cell.find_first_of(",\"\r\n") == std::string_view::npos) {
            out += cell;
            continue;
        }
        out += '"';
        for (char c : cell) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    out += end;
}

}  // namespace

std::vector<ResumeRow> BuildResumeRows(const CHistoryData& history, const CivilDate& today) {
    std::vector<ResumeRow> rows;
    // Adds the event's row unless it lies after today; false once the rows have ended.
    auto add = [&](const HistoryEvent& event) {
        if (!AfterToday(event, today)) {
            rows.push_back(RowOf(event));
            return true;
        }
        if (IsLeavingWithMonth(event.kind)) {
            rows.push_back(RowOf(event));
            rows.back().text += kExpected;
        }
        return false;
    };
    bool doctorSeen = false;
    for (const HistoryEvent& event : history.Events()) {
        if (event.stage == STAGE_DOCTOR && !doctorSeen) {
            doctorSeen = true;
            if (!IsEntryKind(event.kind) && !add(DoctoralEntry(history))) break;
        }
        if (!add(event)) break;
    }
    return rows;
}

std::array<std::string, 3> ResumeCells(const ResumeRow& row, ResumeCalendar calendar) {
    std::string year;
    if (calendar == ResumeCalendar::Seireki)
        year = std::to_string(row.year);
    else
        year = row.eraName + (row.eraYear == 1 ? "元" : std::to_string(row.eraYear));
    return {std::move(year), row.month ? std::to_string(*row.month) : std::string(), row.text};
}

std::string ResumeTsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    std::string out;
    for (const ResumeRow& row : rows)
        AppendLine(out, ResumeCells(row, calendar), '\t', "\n", false);
    return out;
}

std::string ResumeCsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    std::string out(kByteOrderMark);
    AppendLine(out, kColumns, ',', "\r\n", true);
    for (const ResumeRow& row : rows)
        AppendLine(out, ResumeCells(row, calendar), ',', "\r\n", true);
    return out;
}
