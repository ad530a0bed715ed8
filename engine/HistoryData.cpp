#include "engine/HistoryData.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "engine/NumberText.h"

namespace {

constexpr int kDefaultCourseMonths[STAGE_COUNT] = {72, 36, 36, 24, 24, 48, 24, 36};
constexpr int kDefaultNextStage[STAGE_COUNT] = {2, 3, 6, 0, 0, 7, 8, 0};
constexpr std::string_view kStageKeys[STAGE_COUNT] = {"小", "中", "高", "短",
                                                      "専", "大", "修", "博"};
constexpr std::string_view kSchoolNames[STAGE_COUNT] = {
    "小学校", "中学校", "高校", "短大", "専門学校", "大学", "大学院修士", "大学院博士"};
constexpr std::string_view kTechnicalCollege = "高専";

}  // namespace

bool IsEntryKind(HistoryEventKind kind) {
    return kind == HistoryEventKind::Entry || kind == HistoryEventKind::TransferEntry ||
           kind == HistoryEventKind::GraduateEntry || kind == HistoryEventKind::DoctorEntry;
}

bool IsLeavingKind(HistoryEventKind kind) {
    return kind == HistoryEventKind::Graduation || kind == HistoryEventKind::Completion ||
           kind == HistoryEventKind::DroppedOut || kind == HistoryEventKind::Expelled ||
           kind == HistoryEventKind::CreditsWithdrawn;
}

CHistoryData::CHistoryData() {
    Reset();
    for (int i = 0; i < STAGE_COUNT; ++i) m_aStageKey[i] = kStageKeys[i];
}

CHistoryData::~CHistoryData() = default;

void CHistoryData::Reset() {
    m_nBirthMonth = 1;
    m_nBirthDay = 1;
    m_nBirthYear = 1980;
    for (StageRecord& stage : m_aStage) ClearStage(stage);
    for (int i = 0; i < STAGE_COUNT; ++i) m_aStage[i].nCourseMonths = kDefaultCourseMonths[i];
    SetDefaultRoutes();
    m_nShowAge = 0;
    m_aSchoolEvents.clear();
    m_equivalency.reset();
}

void CHistoryData::SetDefaultRoutes() {
    for (int i = 0; i < STAGE_COUNT; ++i) {
        m_aStage[i].nNextStage = kDefaultNextStage[i];
        m_aStage[i].nEndGrade = 0;
        m_aStage[i].nOutcome = 0;
    }
}

void CHistoryData::ClearStage(StageRecord& stage) {
    stage = StageRecord{};
}

void CHistoryData::CopyStage(const StageRecord& source, StageRecord& destination) {
    destination = source;
}

int CHistoryData::AgeAt(int year, int month, int day) const {
    int age = year - m_nBirthYear;
    if (month < m_nBirthMonth || (month == m_nBirthMonth && day < m_nBirthDay)) --age;
    return age;
}

std::string_view CHistoryData::SchoolName(int stage) const {
    if (stage == STAGE_HIGH_SCHOOL) {
        const int months = Stage(STAGE_HIGH_SCHOOL).nCourseMonths;
        if (months == 60 || months == 84) return kTechnicalCollege;
    }
    if (stage < STAGE_ELEMENTARY || stage > STAGE_DOCTOR) return {};
    return kSchoolNames[stage - 1];
}

namespace {

// The word that follows the school in a line of this kind.
std::string_view WordAfterSchool(HistoryEventKind kind) {
    switch (kind) {
        case HistoryEventKind::Entry:
            return "入学";
        case HistoryEventKind::Graduation:
            return "卒業";
        case HistoryEventKind::Completion:
            return "修了";
        case HistoryEventKind::DroppedOut:
            return "中退";
        case HistoryEventKind::Expelled:
            return "除籍";
        case HistoryEventKind::LeaveOfAbsence:
            return "休学";
        case HistoryEventKind::Return:
            return "復学";
        case HistoryEventKind::Exchange:
            return "交換留学";
        case HistoryEventKind::StudyAbroad:
            return "留学";
        case HistoryEventKind::TransferIn:
            return "転入学";
        case HistoryEventKind::CreditsWithdrawn:
            return "単位取得退学";
        default:  // the doctorate's entry is its school alone
            return {};
    }
}

// The part of a line after its date: the school and what happened there.
void AppendEventText(std::string& line, HistoryEventKind kind, std::string_view school, int grade) {
    switch (kind) {
        case HistoryEventKind::GraduateEntry:
            line += "大学院入学";
            return;
        case HistoryEventKind::EquivalencyPass:
            line += "高卒認定合格";
            return;
        case HistoryEventKind::TransferEntry:
            line += school;
            AppendPadded(line, grade, 0);
            line += "年編入";
            return;
        default:
            line += school;
            line += WordAfterSchool(kind);
    }
}

}  // namespace

namespace {

// An entry line: dated and aged by the first day of its month.
HistoryLine EntryLine(HistoryEventKind kind, int stage, std::string_view school, int year,
                      int month) {
    return {.kind = kind,
            .stage = stage,
            .school = school,
            .year = year,
            .month = month,
            .eraMonth = month,
            .grade = 0,
            .ageMonth = month,
            .ageDay = 1};
}

// A 中退 or 除籍 line: no month shown, dated and aged by the end of the leaving month.
HistoryLine LeavingWithoutMonth(HistoryEventKind kind, int stage, std::string_view school, int year,
                                int leaveMonth) {
    return {.kind = kind,
            .stage = stage,
            .school = school,
            .year = year,
            .month = std::nullopt,
            .eraMonth = leaveMonth,
            .grade = 0,
            .ageMonth = leaveMonth,
            .ageDay = 31};
}

}  // namespace

void CHistoryData::EmitLine(std::string& out, const HistoryLine& item) {
    // A leaving is dated by the last day of its month, anything else by the first day.
    const int eraDay =
        IsLeavingKind(item.kind) ? std::max(1, DaysInMonth(item.year, item.eraMonth)) : 1;
    const EraYear era = EraOn(item.year, item.eraMonth, eraDay);

    HistoryEvent event;
    event.kind = item.kind;
    event.stage = item.stage;
    event.school = item.school;
    event.year = item.year;
    event.month = item.month;
    event.eraName = era.name;
    event.eraYear = era.year;
    event.grade = item.grade;
    event.source = item.source;

    std::string& line = event.text;
    line.reserve(96);
    line += "西暦 ";
    AppendPadded(line, item.year, 4);
    line += "年(";
    AppendEraText(line, era);
    line += ')';
    if (item.month) {
        AppendPadded(line, *item.month, 2);
        line += "月　";
    } else {
        line += "  　　";
    }
    AppendEventText(line, item.kind, item.school, item.grade);
    if (item.ageMonth > 0 && m_nShowAge == 1) {
        const int age = AgeAt(item.year, item.ageMonth, item.ageDay);
        event.age = age;
        line += '(';
        AppendPadded(line, age, 0);
        line += "歳)";
    }
    out += line;
    out += "\r\n";
    m_aEvents.push_back(std::move(event));
}

int CHistoryData::ProcessElementary() {
    const bool earlyBorn = m_nBirthMonth < 4 || (m_nBirthMonth == 4 && m_nBirthDay == 1);
    StageRecord before;
    ClearStage(before);
    before.nLeaveYear = m_nBirthYear + (earlyBorn ? 6 : 7);
    return ProcessStage(before, Stage(STAGE_ELEMENTARY), SchoolName(STAGE_ELEMENTARY));
}

int CHistoryData::ProcessStage(const StageRecord& previous, StageRecord& current,
                               std::string_view school) {
    int stage = STAGE_NONE;
    for (int i = 0; i < STAGE_COUNT; ++i) {
        if (&m_aStage[i] == &current) stage = i + 1;
    }
    current.strLines.clear();
    if (stage == STAGE_HIGH_SCHOOL && m_equivalency) {
        ProcessEquivalency(previous, current, school);
        return current.nNextStage;
    }
    ProcessEntry(previous, current, stage, school);
    std::vector<HistoryLine> lines = EventLines(stage, school);
    const std::vector<HistoryLine> leaving =
        LeavingLines(current, stage, school, ExtraMonths(stage));
    lines.insert(lines.end(), leaving.begin(), leaving.end());
    // The events among the leaving lines by their months; in one month an event comes first.
    std::stable_sort(lines.begin(), lines.end(), [](const HistoryLine& a, const HistoryLine& b) {
        return std::tuple(a.year, a.eraMonth) < std::tuple(b.year, b.eraMonth);
    });
    for (const HistoryLine& line : lines) EmitLine(current.strLines, line);
    return current.nNextStage;
}

namespace {

bool IsOnlyEntered(const StageRecord& record) {
    return record.nOutcome != OUTCOME_COMPLETED && record.nOutcome != OUTCOME_CREDITS_WITHDRAWN &&
           record.nEndGrade <= 0;
}

}  // namespace

int EntryYearAfter(const StageRecord& previous, const StageRecord& current) {
    int year = previous.nLeaveYear + current.nRoninYears;
    if (previous.nLeaveMonth + 1 != current.nEntryMonth &&
        previous.nLeaveMonth > current.nEntryMonth)
        ++year;
    return year;
}

void CHistoryData::ProcessEntry(const StageRecord& previous, StageRecord& current, int stage,
                                std::string_view school) {
    current.nEntryYear = EntryYearAfter(previous, current);
    const int entryYear = current.nEntryYear;
    const int entryMonth = current.nEntryMonth;
    if (previous.nTransferGrade > 0) {
        EmitLine(current.strLines, {.kind = HistoryEventKind::TransferEntry,
                                    .stage = stage,
                                    .school = school,
                                    .year = entryYear,
                                    .month = entryMonth,
                                    .eraMonth = entryMonth,
                                    .grade = previous.nTransferGrade,
                                    .ageMonth = entryMonth,
                                    .ageDay = 1});
        current.nCourseMonths = current.nCourseMonths + 12 - 12 * previous.nTransferGrade;
    } else if (previous.nNextStage == STAGE_MASTER) {
        EmitLine(current.strLines,
                 EntryLine(HistoryEventKind::GraduateEntry, stage, school, entryYear, entryMonth));
    } else if (previous.nNextStage == STAGE_DOCTOR) {
        if (IsOnlyEntered(current))
            EmitLine(current.strLines, EntryLine(HistoryEventKind::DoctorEntry, stage, school,
                                                 entryYear, entryMonth));
    } else {
        EmitLine(current.strLines,
                 EntryLine(HistoryEventKind::Entry, stage, school, entryYear, entryMonth));
    }
}

YearMonth CourseEnd(const StageRecord& record, int months) {
    YearMonth end{record.nEntryYear + months / 12 + record.nRyunenYears,
                  months % 12 + record.nEntryMonth - 1};
    if (end.month > 12) {
        end.month -= 12;
        ++end.year;
    }
    return end;
}

std::vector<HistoryLine> CHistoryData::LeavingLines(StageRecord& current, int stage,
                                                    std::string_view school, int extraMonths) {
    const int months = current.nCourseMonths + extraMonths;
    const YearMonth entry{current.nEntryYear, current.nEntryMonth};
    m_aEnrolment[static_cast<std::size_t>(stage - 1)] =
        Enrolment{entry, CourseEnd(current, months), CourseEnd(current, current.nCourseMonths)};
    std::vector<HistoryLine> lines;
    if (current.nOutcome == OUTCOME_COMPLETED || current.nOutcome == OUTCOME_CREDITS_WITHDRAWN) {
        const YearMonth end = CourseEnd(current, months);
        current.nLeaveYear = end.year;
        current.nLeaveMonth = end.month;
        const bool graduateSchool = stage == STAGE_MASTER || stage == STAGE_DOCTOR;
        const HistoryEventKind kind = current.nOutcome == OUTCOME_CREDITS_WITHDRAWN
                                          ? HistoryEventKind::CreditsWithdrawn
                                      : graduateSchool ? HistoryEventKind::Completion
                                                       : HistoryEventKind::Graduation;
        lines.push_back({.kind = kind,
                         .stage = stage,
                         .school = school,
                         .year = end.year,
                         .month = end.month,
                         .eraMonth = end.month,
                         .ageMonth = end.month,
                         .ageDay = 31});
    } else if (current.nEndGrade > 0) {
        // A course shorter than a year still has a first year to leave in.
        const int limit = std::max(1, months / 12 + current.nRyunenYears);
        if (current.nEndGrade > limit) current.nEndGrade = limit;
        current.nLeaveYear = current.nEntryYear + current.nEndGrade - 1;
        const int month = current.nLeaveMonth;
        const YearMonth leaving{current.nLeaveYear, month};
        m_aEnrolment[static_cast<std::size_t>(stage - 1)] = Enrolment{entry, leaving, leaving};
        if (current.nOutcome == OUTCOME_DROPPED_OUT && school == kTechnicalCollege &&
            current.nLeaveYear - current.nEntryYear >= 3) {
            lines.push_back({.kind = HistoryEventKind::Completion,
                             .stage = stage,
                             .school = kHigherEducationCourse,
                             .year = current.nEntryYear + 3,
                             .month = 3,
                             .eraMonth = 3,
                             .grade = 0,
                             .ageMonth = 0,
                             .ageDay = 0});
        }
        if (current.nOutcome == OUTCOME_DROPPED_OUT || current.nOutcome == OUTCOME_EXPELLED) {
            const HistoryEventKind kind = current.nOutcome == OUTCOME_DROPPED_OUT
                                              ? HistoryEventKind::DroppedOut
                                              : HistoryEventKind::Expelled;
            lines.push_back(LeavingWithoutMonth(kind, stage, school, current.nLeaveYear, month));
        }
    }
    return lines;
}

void CHistoryData::RunStages() {
    m_aEnrolment.fill(std::nullopt);
    m_bEquivalencyReached = false;
    StageRecord previous;
    int stage = STAGE_ELEMENTARY;
    int next = ProcessElementary();
    CopyStage(Stage(stage), previous);
    // A route only rises; anything else ends it, so the loop always ends.
    while (next > stage && next <= STAGE_DOCTOR) {
        stage = next;
        next = ProcessStage(previous, Stage(stage), SchoolName(stage));
        CopyStage(Stage(stage), previous);
    }
}

int CHistoryData::FindStageWithoutCourse() const {
    int stage = STAGE_ELEMENTARY;
    int transferGrade = 0;
    while (true) {
        const StageRecord& record = Stage(stage);
        int months = record.nCourseMonths;
        if (transferGrade > 0) months = months + 12 - 12 * transferGrade;
        if (months <= 0) return stage;
        transferGrade = record.nTransferGrade;
        const int next = record.nNextStage;
        if (next <= stage || next > STAGE_DOCTOR) return STAGE_NONE;
        stage = next;
    }
}

CurrentAge CHistoryData::CurrentAgeOn(const CivilDate& today) const {
    if (m_nBirthMonth < 1 || m_nBirthMonth > 12 || m_nBirthDay < 1 || m_nBirthDay > 31)
        throw std::invalid_argument("birth date outside the calendar");
    if (today.month < 1 || today.month > 12 || today.day < 1 || today.day > 31)
        throw std::invalid_argument("today outside the calendar");
    const bool notYet =
        today.month < m_nBirthMonth || (today.month == m_nBirthMonth && today.day < m_nBirthDay);
    CurrentAge age;
    age.years = today.year - m_nBirthYear - (notYet ? 1 : 0);
    const int birthdayYear = notYet ? today.year - 1 : today.year;
    // Whole calendar days: no clock time, so no daylight-saving change can shorten them.
    age.days = static_cast<int>(DayNumber(today.year, today.month, today.day) -
                                DayNumber(birthdayYear, m_nBirthMonth, m_nBirthDay));
    return age;
}

int CHistoryData::FormatCurrentAge(std::string& text, const CivilDate& today) const {
    const CurrentAge age = CurrentAgeOn(today);
    text.clear();
    text += "現在の年齢は";
    AppendPadded(text, age.years, 0);
    text += "歳と";
    AppendPadded(text, age.days, 0);
    text += "日です。";
    return age.years;
}

const std::string& CHistoryData::BuildHistoryText(const CivilDate& today) {
    // The age sentence first: it is the only step that can fail, and then nothing has changed.
    std::string age;
    FormatCurrentAge(age, today);
    m_lastAge = CurrentAgeOn(today);
    for (StageRecord& stage : m_aStage) stage.strLines.clear();
    m_strHistory.clear();
    m_aEvents.clear();
    RunStages();
    for (const StageRecord& stage : m_aStage) m_strHistory += stage.strLines;
    m_strHistory += age;
    CheckSchoolEvents(today);
    return m_strHistory;
}
