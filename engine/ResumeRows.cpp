#include "engine/ResumeRows.h"

#include <algorithm>
#include <tuple>

#include "engine/HistoryData.h"

namespace {

// What a row says happened.
enum class RowEvent { Entry, Transfer, Graduation, Completion, DroppedOut, Expelled, ThirdYear };

// One row before its text: the event, the school and its date.
struct Step {
    RowEvent event = RowEvent::Entry;
    int stage = STAGE_NONE;
    bool advancedCourse = false;  // the 高専's 専攻科
    int year = 0;
    std::optional<int> month;
    int grade = 0;  // the year transferred into
};

// The words a résumé writes for each stage when no name is given; 高専 and 高校 share stage 3.
constexpr std::string_view kFormalNames[kResumeStageCount] = {
    "小学校",   "中学校", "高等学校",       "短期大学",
    "専門学校", "大学",   "大学院修士課程", "大学院博士課程"};
constexpr std::string_view kTechnicalCollege = "高等専門学校";
constexpr std::string_view kAdvancedCourse = "専攻科";
constexpr std::string_view kAdvancedCourseName = "高等専門学校専攻科";
// After a given name, the course of a graduate school stage.
constexpr std::string_view kCourseWords[kResumeStageCount] = {"", "", "",         "",
                                                              "", "", "修士課程", "博士課程"};
constexpr std::string_view kBlank = "　";
constexpr std::string_view kExpected = "見込み";
constexpr std::string_view kHeading = "学歴";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Main course years of the 7-year 高専 course; the 専攻科 takes the last two.
constexpr int kAdvancedCourseMonths = 84;
constexpr int kMainCourseYears = 5;

RowEvent EventOf(const HistoryEvent& event) {
    switch (event.kind) {
        case HistoryEventKind::TransferEntry:
            return RowEvent::Transfer;
        case HistoryEventKind::Graduation:
            return RowEvent::Graduation;
        case HistoryEventKind::Completion:
            return event.school == kHigherEducationCourse ? RowEvent::ThirdYear
                                                          : RowEvent::Completion;
        case HistoryEventKind::DroppedOut:
            return RowEvent::DroppedOut;
        case HistoryEventKind::Expelled:
            return RowEvent::Expelled;
        default:
            return RowEvent::Entry;
    }
}

bool IsEntry(RowEvent event) {
    return event == RowEvent::Entry || event == RowEvent::Transfer;
}
bool IsLeavingWithoutCompletion(RowEvent event) {
    return event == RowEvent::DroppedOut || event == RowEvent::Expelled;
}

Step StepOf(const HistoryEvent& event) {
    return {EventOf(event), event.stage, false, event.year, event.month, event.grade};
}

// The doctoral course's entry, which the history shows only for a course that was only entered.
Step DoctoralEntry(const CHistoryData& history) {
    const StageRecord& doctor = history.Stage(STAGE_DOCTOR);
    return {RowEvent::Entry, STAGE_DOCTOR, false, doctor.nEntryYear, doctor.nEntryMonth, 0};
}

// The doctoral course gives one line: its entry when it was only entered, else its leaving.
std::vector<Step> HistorySteps(const CHistoryData& history) {
    std::vector<Step> steps;
    for (const HistoryEvent& event : history.Events()) {
        if (event.stage == STAGE_DOCTOR && !IsEntryKind(event.kind))
            steps.push_back(DoctoralEntry(history));
        steps.push_back(StepOf(event));
    }
    return steps;
}

// The 7-year 高専 course as two courses: the main course ends in March two years before the
// whole course, the 専攻科 starts that April. A leaving after the main course years (repeated
// years count there) leaves the 専攻科, and the main course was completed before it.
void SplitAdvancedCourse(const CHistoryData& history, std::vector<Step>& steps) {
    const StageRecord& record = history.Stage(STAGE_HIGH_SCHOOL);
    if (record.nCourseMonths != kAdvancedCourseMonths) return;
    const auto leaving = std::find_if(steps.begin(), steps.end(), [](const Step& step) {
        return step.stage == STAGE_HIGH_SCHOOL && !IsEntry(step.event) &&
               step.event != RowEvent::ThirdYear;
    });
    if (leaving == steps.end()) return;
    const int mainEnd = record.nEntryYear + kMainCourseYears + record.nRyunenYears;
    if (leaving->event != RowEvent::Graduation && leaving->year < mainEnd) return;
    Step last = *leaving;
    last.advancedCourse = true;
    if (last.event == RowEvent::Graduation) last.event = RowEvent::Completion;
    const Step main{RowEvent::Graduation, STAGE_HIGH_SCHOOL, false, mainEnd, 3, 0};
    const Step entry{RowEvent::Entry, STAGE_HIGH_SCHOOL, true, mainEnd, 4, 0};
    auto first = leaving;
    if (first != steps.begin() && std::prev(first)->event == RowEvent::ThirdYear) --first;
    const auto at = steps.erase(first, std::next(leaving));
    steps.insert(at, {main, entry, last});
}

// The month of a 中途退学 or 除籍, when given: it falls in the school year that the history's
// leaving year begins, so a month before the entry month belongs to the next calendar year.
void GiveLeavingMonth(const CHistoryData& history, int month, std::vector<Step>& steps) {
    for (Step& step : steps) {
        if (!IsLeavingWithoutCompletion(step.event)) continue;
        const int entryMonth = step.advancedCourse ? 4 : history.Stage(step.stage).nEntryMonth;
        if (month < entryMonth) ++step.year;
        step.month = month;
    }
}

// An entry is dated by the 1st of its month, a leaving by its last day; a leaving without a
// month by the end of March, as the history dates it.
CivilDate DateOf(const Step& step) {
    const int month = step.month.value_or(3);
    return {step.year, month, IsEntry(step.event) ? 1 : DaysInMonth(step.year, month)};
}

bool AfterToday(const Step& step, const CivilDate& today) {
    if (!step.month) return step.year > today.year;
    return DateOf(step) > today;
}

// The steps up to today, and the first leaving after today that ends a course (見込み).
std::vector<Step> UpToToday(const std::vector<Step>& steps, const CivilDate& today,
                            bool& expected) {
    std::vector<Step> shown;
    expected = false;
    for (const Step& step : steps) {
        if (!AfterToday(step, today)) {
            shown.push_back(step);
            continue;
        }
        if (step.event == RowEvent::Graduation || step.event == RowEvent::Completion ||
            step.event == RowEvent::ThirdYear) {
            shown.push_back(step);
            expected = true;
        }
        break;
    }
    return shown;
}

bool BeforeStart(const Step& step, ResumeStart start) {
    switch (start) {
        case ResumeStart::JuniorHighGraduation:
            return step.stage < STAGE_JUNIOR_HIGH ||
                   (step.stage == STAGE_JUNIOR_HIGH && IsEntry(step.event));
        case ResumeStart::HighSchoolEntry:
            return step.stage < STAGE_HIGH_SCHOOL;
        case ResumeStart::ElementaryEntry:
            break;
    }
    return false;
}

std::string EventWord(const Step& step) {
    switch (step.event) {
        case RowEvent::Entry:
            return "入学";
        case RowEvent::Transfer:
            return std::to_string(step.grade) + "年次編入学";
        case RowEvent::Graduation:
            return "卒業";
        case RowEvent::Completion:
            return "修了";
        case RowEvent::DroppedOut:
            return "中途退学";
        case RowEvent::Expelled:
            return "除籍";
        case RowEvent::ThirdYear:
            return "第3学年修了";
    }
    return {};
}

std::string_view FormalName(const CHistoryData& history, const Step& step) {
    if (step.advancedCourse) return kAdvancedCourseName;
    if (step.stage == STAGE_HIGH_SCHOOL && history.SchoolName(step.stage) == "高専")
        return kTechnicalCollege;
    return kFormalNames[step.stage - 1];
}

// The given name or the formal word; a department (not for the 専攻科, whose rows name the
// course) and, after a name, the course of a graduate school; then the event.
std::string RowText(const CHistoryData& history, const Step& step, const ResumeOptions& options) {
    const SchoolNaming& naming = options.schools[static_cast<std::size_t>(step.stage - 1)];
    const bool named = !naming.name.empty();
    std::vector<std::string_view> parts{named ? std::string_view(naming.name)
                                              : FormalName(history, step)};
    if (step.advancedCourse) {
        if (named) parts.push_back(kAdvancedCourse);
    } else {
        if (!naming.department.empty()) parts.push_back(naming.department);
        if (named && !kCourseWords[step.stage - 1].empty())
            parts.push_back(kCourseWords[step.stage - 1]);
    }
    std::string text;
    for (std::string_view part : parts) {
        text += part;
        text += kBlank;
    }
    return text + EventWord(step);
}

ResumeRow RowOf(const CHistoryData& history, const Step& step, const ResumeOptions& options) {
    const CivilDate date = DateOf(step);
    const EraYear era = EraOn(date.year, date.month, date.day);
    ResumeRow row{step.year, std::string(era.name), era.year, step.month,
                  RowText(history, step, options)};
    row.monthMissing = IsLeavingWithoutCompletion(step.event) && !step.month;
    return row;
}

bool IsFormulaStart(std::string_view cell) {
    return !cell.empty() &&
           std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks[] = {" ", "　"};
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::string_view blank : kBlanks) {
            for (; text.starts_with(blank); trimmed = true) text.remove_prefix(blank.size());
            for (; text.ends_with(blank); trimmed = true) text.remove_suffix(blank.size());
        }
    }
    return text;
}

// The length in bytes of the UTF-8 character that text starts with, or 0 when it is a control
// character (C0, DEL, C1, the line and paragraph separators) or no UTF-8 at all.
std::size_t PrintableLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) return lead < 0x20 || lead == 0x7F ? 0 : 1;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
    unsigned code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool control = code < 0xA0 || code == 0x2028 || code == 0x2029;
    const bool invalid =
        code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF;
    return control || invalid ? 0 : length;
}

template <class Cells>
void AppendLine(std::string& out, const Cells& cells, char separator, std::string_view end,
                bool csv) {
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first) out += separator;
        first = false;
        const std::string guarded = csv && IsFormulaStart(cell) ? "'" + std::string(cell) : "";
        if (!guarded.empty()) cell = guarded;
        if (!csv || cell.find_first_of(",\"\r\n") == std::string_view::npos) {
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

std::vector<ResumeRow> BuildResumeRows(const CHistoryData& history, const CivilDate& today,
                                       const ResumeOptions& options) {
    std::vector<Step> steps = HistorySteps(history);
    SplitAdvancedCourse(history, steps);
    if (options.leavingMonth) GiveLeavingMonth(history, *options.leavingMonth, steps);
    bool expected = false;
    std::vector<Step> shown = UpToToday(steps, today, expected);
    const auto start = std::find_if(shown.begin(), shown.end(), [&](const Step& step) {
        return !BeforeStart(step, options.start);
    });
    // A history that ends before the start keeps its last row.
    const auto first = start == shown.end() && !shown.empty() ? std::prev(shown.end()) : start;

    std::vector<ResumeRow> rows;
    if (options.heading && first != shown.end())
        rows.push_back({0, {}, 0, {}, std::string(kHeading), true});
    for (auto step = first; step != shown.end(); ++step)
        rows.push_back(RowOf(history, *step, options));
    if (expected && !rows.empty()) rows.back().text += kExpected;
    return rows;
}

std::string MissingMonthNote(const std::vector<ResumeRow>& rows) {
    for (const ResumeRow& row : rows) {
        if (row.monthMissing)
            return "「" + row.text +
                   "」の月が空いています。中途退学・除籍した月を入力すると、その月が入ります。";
    }
    return {};
}

SchoolTextProblem CleanSchoolText(std::string_view text, std::string& cleaned) {
    text = TrimBlanks(text);
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        const std::size_t length = PrintableLength(text.substr(i));
        if (length == 0) return SchoolTextProblem::ControlCharacter;
        i += length;
    }
    if (characters > kMaxSchoolTextLength) return SchoolTextProblem::TooLong;
    cleaned = text;
    return SchoolTextProblem::None;
}

std::array<std::string, 3> ResumeCells(const ResumeRow& row, ResumeCalendar calendar) {
    if (row.heading) return {std::string(), std::string(), row.text};
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
    AppendLine(out, kResumeColumns, ',', "\r\n", true);
    for (const ResumeRow& row : rows)
        AppendLine(out, ResumeCells(row, calendar), ',', "\r\n", true);
    return out;
}
