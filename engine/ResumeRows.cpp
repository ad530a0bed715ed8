#include "engine/ResumeRows.h"

#include <algorithm>
#include <tuple>

#include "engine/HistoryData.h"
#include "engine/Utf8.h"

namespace {

// What a row says happened.
enum class RowEvent {
    Entry,
    Transfer,
    Graduation,
    Completion,
    DroppedOut,
    Expelled,
    ThirdYear,
    LeaveOfAbsence,
    Return,
    Exchange,
    StudyAbroad,
    TransferIn,
    EquivalencyPass,
    CreditsWithdrawn,
    EarlyEntryLeave,  // a course left for the next school a year early (飛び入学)
};

// One row before its text: the event, the school and its date.
struct Step {
    RowEvent event = RowEvent::Entry;
    int stage = STAGE_NONE;
    bool advancedCourse = false;  // the 高専's 専攻科
    int year = 0;
    std::optional<int> month;
    int grade = 0;          // the year transferred into
    int source = -1;        // the SchoolEvent the row tells of
    SchoolNaming naming{};  // the school as the row names it
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
constexpr std::string_view kClosing = "以上";
constexpr std::string_view kEquivalencyPass = "高等学校卒業程度認定試験　合格";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Main course years of the 7-year 高専 course; the 専攻科 takes the last two.
constexpr int kAdvancedCourseMonths = 84;
constexpr int kMainCourseYears = 5;

RowEvent EventOf(const HistoryEvent& event) {
    using K = HistoryEventKind;
    switch (event.kind) {
        case K::TransferEntry:
            return RowEvent::Transfer;
        case K::Graduation:
            return RowEvent::Graduation;
        case K::Completion:
            return event.school == kHigherEducationCourse ? RowEvent::ThirdYear
                                                          : RowEvent::Completion;
        case K::DroppedOut:
            return RowEvent::DroppedOut;
        case K::Expelled:
            return RowEvent::Expelled;
        case K::LeaveOfAbsence:
            return RowEvent::LeaveOfAbsence;
        case K::Return:
            return RowEvent::Return;
        case K::Exchange:
            return RowEvent::Exchange;
        case K::StudyAbroad:
            return RowEvent::StudyAbroad;
        case K::TransferIn:
            return RowEvent::TransferIn;
        case K::EquivalencyPass:
            return RowEvent::EquivalencyPass;
        case K::CreditsWithdrawn:
            return RowEvent::CreditsWithdrawn;
        case K::Entry:
        case K::GraduateEntry:
        case K::DoctorEntry:
            break;
    }
    return RowEvent::Entry;
}

bool IsEntry(RowEvent event) {
    return event == RowEvent::Entry || event == RowEvent::Transfer;
}
// The rows that end a stage.
bool IsLeaving(RowEvent event) {
    return event == RowEvent::Graduation || event == RowEvent::Completion ||
           event == RowEvent::DroppedOut || event == RowEvent::Expelled ||
           event == RowEvent::CreditsWithdrawn || event == RowEvent::EarlyEntryLeave;
}
// The rows that finish a course, which read 見込み while they lie ahead.
bool FinishesCourse(RowEvent event) {
    return event == RowEvent::Graduation || event == RowEvent::Completion ||
           event == RowEvent::ThirdYear || event == RowEvent::CreditsWithdrawn;
}
// The rows between a stage's entry and its leaving, left out while they lie ahead.
bool IsInterim(RowEvent event) {
    return event == RowEvent::LeaveOfAbsence || event == RowEvent::Return ||
           event == RowEvent::Exchange || event == RowEvent::StudyAbroad ||
           event == RowEvent::TransferIn;
}
bool IsLeavingWithoutCompletion(RowEvent event) {
    return event == RowEvent::DroppedOut || event == RowEvent::Expelled;
}

Step StepOf(const HistoryEvent& event) {
    return {EventOf(event), event.stage, false, event.year, event.month, event.grade, event.source};
}

// The doctoral course's entry, which the history shows only for a course that was only entered.
Step DoctoralEntry(const CHistoryData& history) {
    const StageRecord& doctor = history.Stage(STAGE_DOCTOR);
    return {RowEvent::Entry, STAGE_DOCTOR, false, doctor.nEntryYear, doctor.nEntryMonth};
}

// The doctoral course is entered before its first other row when the history does not say so.
std::vector<Step> HistorySteps(const CHistoryData& history) {
    std::vector<Step> steps;
    bool doctorEntered = false;
    for (const HistoryEvent& event : history.Events()) {
        if (event.stage == STAGE_DOCTOR && !doctorEntered && !IsEntryKind(event.kind))
            steps.push_back(DoctoralEntry(history));
        doctorEntered = doctorEntered || event.stage == STAGE_DOCTOR;
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
        return step.stage == STAGE_HIGH_SCHOOL && IsLeaving(step.event);
    });
    if (leaving == steps.end()) return;
    const int mainEnd = record.nEntryYear + kMainCourseYears + record.nRyunenYears;
    if (leaving->event != RowEvent::Graduation && leaving->year < mainEnd) return;
    Step last = *leaving;
    last.advancedCourse = true;
    if (last.event == RowEvent::Graduation) last.event = RowEvent::Completion;
    const Step main{RowEvent::Graduation, STAGE_HIGH_SCHOOL, false, mainEnd, 3};
    const Step entry{RowEvent::Entry, STAGE_HIGH_SCHOOL, true, mainEnd, 4};
    auto first = leaving;
    if (first != steps.begin() && std::prev(first)->event == RowEvent::ThirdYear) --first;
    const auto at = steps.erase(first, std::next(leaving));
    steps.insert(at, {main, entry, last});
}

// A course whose last year was skipped for the next school was left, not finished, when the
// skip is written as a 飛び入学.
void WriteEarlyEntries(const CHistoryData& history, SkipWording skip, std::vector<Step>& steps) {
    if (skip != SkipWording::EarlyEntry) return;
    for (Step& step : steps) {
        if (step.event == RowEvent::Graduation && history.Stage(step.stage).bLastYearSkipped)
            step.event = RowEvent::EarlyEntryLeave;
    }
}

// The month of a 中途退学 or 除籍 without one, when given: it falls in the school year that the
// history's leaving year begins, so a month before the entry month belongs to the next calendar
// year.
void GiveLeavingMonth(const CHistoryData& history, int month, std::vector<Step>& steps) {
    for (Step& step : steps) {
        if (!IsLeavingWithoutCompletion(step.event) || step.month) continue;
        const int entryMonth = step.advancedCourse ? 4 : history.Stage(step.stage).nEntryMonth;
        if (month < entryMonth) ++step.year;
        step.month = month;
    }
}

// Each row's school: the given name and department, and after a 転入学 the school transferred
// into, which the 転入学 row names too (the formal word when it has no name).
void NameSchools(const CHistoryData& history, const ResumeOptions& options,
                 std::vector<Step>& steps) {
    std::optional<SchoolNaming> transferredTo;
    for (Step& step : steps) {
        step.naming = options.schools[static_cast<std::size_t>(step.stage - 1)];
        if (step.event == RowEvent::TransferIn) {
            const SchoolEvent& event = history.m_aSchoolEvents[std::size_t(step.source)];
            transferredTo = SchoolNaming{event.place, event.department};
        }
        if (transferredTo && step.stage == STAGE_HIGH_SCHOOL) step.naming = *transferredTo;
    }
}

// An entry or an event is dated by the 1st of its month, a leaving by its last day; a leaving
// without a month by the end of March, as the history dates it.
CivilDate DateOf(const Step& step) {
    const int month = step.month.value_or(3);
    const bool lastDay = IsLeaving(step.event) || step.event == RowEvent::ThirdYear;
    return {step.year, month, lastDay ? DaysInMonth(step.year, month) : 1};
}

bool AfterToday(const Step& step, const CivilDate& today) {
    if (!step.month) return step.year > today.year;
    return DateOf(step) > today;
}

// The steps up to today: an event ahead is left out, the first leaving ahead that finishes a
// course is kept (見込み), and anything else ahead ends the rows.
std::vector<Step> UpToToday(const std::vector<Step>& steps, const CivilDate& today,
                            bool& expected) {
    std::vector<Step> shown;
    expected = false;
    for (const Step& step : steps) {
        if (!AfterToday(step, today)) {
            shown.push_back(step);
            continue;
        }
        if (IsInterim(step.event)) continue;
        if (FinishesCourse(step.event)) {
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
        case ResumeStart::HighSchoolGraduation:
            return step.stage < STAGE_HIGH_SCHOOL ||
                   (step.stage == STAGE_HIGH_SCHOOL && !IsLeaving(step.event) &&
                    step.event != RowEvent::ThirdYear && step.event != RowEvent::EquivalencyPass);
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
        case RowEvent::LeaveOfAbsence:
            return "休学";
        case RowEvent::Return:
            return "復学";
        case RowEvent::TransferIn:
            return "転入学";
        case RowEvent::CreditsWithdrawn:
            return "単位取得退学";
        case RowEvent::EarlyEntryLeave:
            return "中途退学（飛び入学のため）";
        case RowEvent::Exchange:
        case RowEvent::StudyAbroad:
        case RowEvent::EquivalencyPass:
            break;
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
std::string SchoolRowText(const CHistoryData& history, const Step& step) {
    const bool named = !step.naming.name.empty();
    std::vector<std::string_view> parts{named ? std::string_view(step.naming.name)
                                              : FormalName(history, step)};
    if (step.advancedCourse) {
        if (named) parts.push_back(kAdvancedCourse);
    } else {
        if (!step.naming.department.empty()) parts.push_back(step.naming.department);
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

std::string RowText(const CHistoryData& history, const Step& step) {
    switch (step.event) {
        case RowEvent::Exchange:
            return history.m_aSchoolEvents[std::size_t(step.source)].place + "に交換留学";
        case RowEvent::StudyAbroad:
            return history.m_aSchoolEvents[std::size_t(step.source)].place + "に留学";
        case RowEvent::EquivalencyPass:
            return std::string(kEquivalencyPass);
        default:
            return SchoolRowText(history, step);
    }
}

// A month in both calendars; the era is that of its last day.
ResumeMonth MonthOf(const YearMonth& month) {
    const EraYear era = EraOn(month.year, month.month, DaysInMonth(month.year, month.month));
    return {month.year, std::string(era.name), era.year, month.month};
}

ResumeRow RowOf(const CHistoryData& history, const Step& step) {
    const CivilDate date = DateOf(step);
    const EraYear era = EraOn(date.year, date.month, date.day);
    ResumeRow row{step.year, std::string(era.name), era.year, step.month, RowText(history, step)};
    row.monthMissing = IsLeavingWithoutCompletion(step.event) && !step.month;
    if (step.event == RowEvent::Exchange || step.event == RowEvent::StudyAbroad)
        row.until = MonthOf(history.m_aSchoolEvents[std::size_t(step.source)].to);
    return row;
}

// The first row the block shows. A history that ends before the start keeps its last row.
std::vector<Step>::const_iterator FirstShown(const std::vector<Step>& shown, ResumeStart start) {
    const auto first = std::find_if(shown.begin(), shown.end(),
                                    [&](const Step& step) { return !BeforeStart(step, start); });
    return first == shown.end() && !shown.empty() ? std::prev(shown.end()) : first;
}

// The 年 of a row: "1998", or "平成10" and "令和元".
std::string YearText(int year, const std::string& eraName, int eraYear, ResumeCalendar calendar) {
    if (calendar == ResumeCalendar::Seireki) return std::to_string(year);
    return eraName + (eraYear == 1 ? "元" : std::to_string(eraYear));
}

bool IsFormulaStart(std::string_view cell) {
    return !cell.empty() &&
           std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

// The length in bytes of the UTF-8 character that text starts with, or 0 when it is a control
// character (C0, DEL, C1, the line and paragraph separators) or no UTF-8 at all.
std::size_t PrintableLength(std::string_view text) {
    const Utf8Char c = DecodeUtf8(text);
    const bool control =
        c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0) || c.code == 0x2028 || c.code == 0x2029;
    return control ? 0 : c.length;
}

template <class Cells>
void AppendLine(std::string& out, const Cells& cells, char separator, std::string_view end,
                bool csv) {
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first) out += separator;
        first = false;
        const std::string guarded = IsFormulaStart(cell) ? "'" + std::string(cell) : "";
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
    WriteEarlyEntries(history, options.skip, steps);
    if (options.leavingMonth) GiveLeavingMonth(history, *options.leavingMonth, steps);
    NameSchools(history, options, steps);
    bool expected = false;
    const std::vector<Step> shown = UpToToday(steps, today, expected);
    const auto first = FirstShown(shown, options.start);

    std::vector<ResumeRow> rows;
    if (options.heading && first != shown.end())
        rows.push_back({0, {}, 0, {}, std::string(kHeading), true});
    for (auto step = first; step != shown.end(); ++step) rows.push_back(RowOf(history, *step));
    if (expected && !rows.empty()) rows.back().text += kExpected;
    if (options.closing && first != shown.end()) {
        ResumeRow closing{0, {}, 0, {}, std::string(kClosing)};
        closing.closing = true;
        rows.push_back(closing);
    }
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
    if (row.heading || row.closing) return {std::string(), std::string(), row.text};
    std::string text = row.text;
    if (row.until)
        text += "（" + YearText(row.until->year, row.until->eraName, row.until->eraYear, calendar) +
                "年" + std::to_string(row.until->month) + "月まで）";
    return {YearText(row.year, row.eraName, row.eraYear, calendar),
            row.month ? std::to_string(*row.month) : std::string(), std::move(text)};
}

std::string ResumeTsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    std::string out;
    for (const ResumeRow& row : rows)
        AppendLine(out, ResumeCells(row, calendar), '\t', "\n", false);
    return out;
}

std::string ResumeCsv(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    std::string out(kByteOrderMark);
    AppendLine(out, kResumeColumnTitles, ',', "\r\n", true);
    for (const ResumeRow& row : rows)
        AppendLine(out, ResumeCells(row, calendar), ',', "\r\n", true);
    return out;
}
