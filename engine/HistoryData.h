#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/Era.h"

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
inline constexpr int OUTCOME_COMPLETED = 0;
inline constexpr int OUTCOME_DROPPED_OUT = 1;
inline constexpr int OUTCOME_EXPELLED = 2;

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
};

// One line of the history in structured form; the text is exactly the line as shown,
// without its line break.
enum class HistoryEventKind {
    Entry,          // 入学
    TransferEntry,  // 編入
    GraduateEntry,  // 大学院入学
    DoctorEntry,    // bare doctoral entry
    Graduation,     // 卒業
    Completion,     // 修了
    DroppedOut,     // 中退
    Expelled,       // 除籍
};

// The school of the 修了 line that precedes a 高専 drop-out in course year 4 or later.
inline constexpr std::string_view kHigherEducationCourse = "高等教育課程";

// The four kinds of entry; the others are leavings.
bool IsEntryKind(HistoryEventKind kind);

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
};

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
    const std::string& BuildHistoryText(const CivilDate& today);

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

  private:
    // Formats one line into out (line break included) and records it as an event.
    void EmitLine(std::string& out, const HistoryLine& item);
    // The entry line of a stage (none for a silent doctoral entry) and its leaving line(s).
    void ProcessEntry(const StageRecord& previous, StageRecord& current, int stage,
                      std::string_view school);
    void ProcessLeaving(StageRecord& current, int stage, std::string_view school);

    std::vector<HistoryEvent> m_aEvents;
    CurrentAge m_lastAge;
};
