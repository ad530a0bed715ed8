#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/Era.h"
#include "engine/SchoolEvent.h"

// Stage numbers. The final-schooling list's index plus one is the stage number.
inline constexpr int STAGE_NONE = 0;
inline constexpr int STAGE_ELEMENTARY = 1;
inline constexpr int STAGE_JUNIOR_HIGH = 2;
inline constexpr int STAGE_HIGH_SCHOOL = 3;
inline constexpr int STAGE_JUNIOR_COLLEGE = 4;
inline constexpr int STAGE_VOCATIONAL = 5;
inline constexpr int STAGE_UNIVERSITY = 6;
inline constexpr int STAGE_MASTER = 7;
inline constexpr int STAGE_DOCTOR = 8;
inline constexpr int STAGE_COUNT = 8;

// How a final stage ended. OUTCOME_DROPPED_OUT with nEndGrade 0 means "only entered".
// OUTCOME_CREDITS_WITHDRAWN (単位取得退学) runs the course its length like OUTCOME_COMPLETED.
inline constexpr int OUTCOME_COMPLETED = 0;
inline constexpr int OUTCOME_DROPPED_OUT = 1;
inline constexpr int OUTCOME_EXPELLED = 2;
inline constexpr int OUTCOME_CREDITS_WITHDRAWN = 3;

struct StageRecord {
    int nEntryYear = 0;
    int nLeaveYear = 0;
    int nCourseMonths = 0;
    int nRoninYears = 0;
    int nRyunenYears = 0;
    int nNextStage = 0;
    int nTransferGrade = 0;
    int nEndGrade = 0;
    int nOutcome = 0;
    std::string strLines;
    int nEntryMonth = 4;
    int nLeaveMonth = 3;
    bool bLastYearSkipped = false;  // the course's last year was skipped (飛び級)
};

// One line of the history in structured form; the text is exactly the line as shown,
// without its line break.
enum class HistoryEventKind {
    Entry,             // 入学
    TransferEntry,     // 編入
    GraduateEntry,     // 大学院入学
    DoctorEntry,       // bare doctoral entry
    Graduation,        // 卒業
    Completion,        // 修了
    DroppedOut,        // 中退
    Expelled,          // 除籍
    LeaveOfAbsence,    // 休学
    Return,            // 復学
    Exchange,          // 交換留学
    StudyAbroad,       // 留学 that lengthened the course
    TransferIn,        // 転入学
    EquivalencyPass,   // 高卒認定合格
    CreditsWithdrawn,  // 単位取得退学
};

// The school of the 修了 line that precedes a 高専 drop-out in course year 4 or later.
inline constexpr std::string_view kHigherEducationCourse = "高等教育課程";

// The four kinds of entry.
bool IsEntryKind(HistoryEventKind kind);
// The kinds that end a stage; they are dated by the last day of their month, all others by the
// first.
bool IsLeavingKind(HistoryEventKind kind);

struct HistoryEvent {
    HistoryEventKind kind = HistoryEventKind::Entry;
    int stage = STAGE_NONE;
    std::string school;
    int year = 0;
    std::optional<int> month;  // none for 中退 and 除籍
    std::string eraName;
    int eraYear = 0;
    std::optional<int> age;  // only when the age is shown
    int grade = 0;           // the year transferred into, for TransferEntry
    int source = -1;         // the index of the SchoolEvent the line tells of
    std::string text;
};

// What one history line says; built with designated initializers, so that every month is named.
struct HistoryLine {
    HistoryEventKind kind = HistoryEventKind::Entry;
    int stage = STAGE_NONE;
    std::string_view school;
    int year = 0;
    std::optional<int> month;  // the month shown on the line; none for 中退 and 除籍
    int eraMonth = 0;          // the month whose date decides the era
    int grade = 0;             // the year transferred into
    int ageMonth = 0;          // > 0: the age on ageMonth/ageDay is added when shown
    int ageDay = 0;
    int source = -1;  // the index of the SchoolEvent the line tells of
};

// The year a stage is entered after the previous stage's leaving, with its 浪人 years.
int EntryYearAfter(const StageRecord& previous, const StageRecord& current);
// The month a course of the given months that began in the record's entry year and month ends,
// with its 留年 years.
YearMonth CourseEnd(const StageRecord& record, int months);

struct CurrentAge {
    int years = 0;
    int days = 0;
};

class CHistoryData {
  public:
    CHistoryData();
    virtual ~CHistoryData();
    CHistoryData(const CHistoryData&) = default;
    CHistoryData& operator=(const CHistoryData&) = default;

    void Reset();
    void SetDefaultRoutes();
    static void ClearStage(StageRecord& stage);
    static void CopyStage(const StageRecord& source, StageRecord& destination);

    // Age in whole years on the given date; plain arithmetic, no calendar.
    int AgeAt(int year, int month, int day) const;

    int ProcessElementary();
    int ProcessStage(const StageRecord& previous, StageRecord& current, std::string_view school);
    void RunStages();

    // Writes "現在の年齢は%d歳と%d日です。" for the given date into text and returns the age.
    // Throws std::invalid_argument when the birth month or day can be on no calendar date.
    int FormatCurrentAge(std::string& text, const CivilDate& today) const;
    CurrentAge CurrentAgeOn(const CivilDate& today) const;

    // Runs the route and returns the whole text; today is the date the current age is counted to.
    // The events are checked against the stages they fall in (SchoolEventProblem).
    const std::string& BuildHistoryText(const CivilDate& today);
    // The first event of the last BuildHistoryText that cannot have happened, if any.
    const EventProblem& SchoolEventProblem() const { return m_eventProblem; }
    // The months a stage was enrolled in by the last BuildHistoryText, up to its leaving (or the
    // leaving it would have, for a course only entered); none for a stage it never entered.
    std::optional<Enrolment> EnrolmentOf(int stage) const;

    // The stage (1..8) on the route whose course would last zero months or less once a transfer
    // into a higher year is taken off, or STAGE_NONE when every course has a length.
    int FindStageWithoutCourse() const;

    // School name under which a stage is written; stage 3 depends on its course length.
    std::string_view SchoolName(int stage) const;

    StageRecord& Stage(int stage) { return m_aStage[static_cast<std::size_t>(stage - 1)]; }
    const StageRecord& Stage(int stage) const {
        return m_aStage[static_cast<std::size_t>(stage - 1)];
    }

    // The lines of the last BuildHistoryText, in the order of the text, and the age it ended with.
    const std::vector<HistoryEvent>& Events() const { return m_aEvents; }
    const CurrentAge& LastCurrentAge() const { return m_lastAge; }

    int m_nBirthYear = 1980;
    int m_nBirthMonth = 1;
    int m_nBirthDay = 1;
    std::string m_strHistory;
    std::array<StageRecord, STAGE_COUNT> m_aStage;
    std::array<std::string, STAGE_COUNT> m_aStageKey;
    int m_nShowAge = 0;
    // What happened during the stages besides entries and leavings, and the 高卒認定 that takes
    // the place of the 高校.
    std::vector<SchoolEvent> m_aSchoolEvents;
    std::optional<EquivalencyExam> m_equivalency;

  private:
    // Formats one line into out (line break included) and records it as an event.
    void EmitLine(std::string& out, const HistoryLine& item);
    // The entry line of a stage (none for a silent doctoral entry).
    void ProcessEntry(const StageRecord& previous, StageRecord& current, int stage,
                      std::string_view school);
    // The leaving line(s) of a stage whose course lasts extraMonths longer than its length.
    std::vector<HistoryLine> LeavingLines(StageRecord& current, int stage, std::string_view school,
                                          int extraMonths);
    // The lines of the stage's events, and the months its 休学 and 留学 (those begun before a
    // month, when given) add to its course.
    std::vector<HistoryLine> EventLines(int stage, std::string_view school) const;
    int ExtraMonths(int stage, std::optional<YearMonth> before = std::nullopt) const;
    // The 高校 replaced by a 高卒認定: its entry and 中途退学 when it was attended, the pass, and
    // a leaving that lets the next stage begin the April it may.
    void ProcessEquivalency(const StageRecord& previous, StageRecord& current,
                            std::string_view school);
    void CheckSchoolEvents(const CivilDate& today);
    EventProblem CheckSchoolEvent(int index) const;
    EventProblem CheckEquivalency(const CivilDate& today) const;

    std::vector<HistoryEvent> m_aEvents;
    CurrentAge m_lastAge;
    std::array<std::optional<Enrolment>, STAGE_COUNT> m_aEnrolment;
    bool m_bEquivalencyReached = false;
    EventProblem m_eventProblem;
};
