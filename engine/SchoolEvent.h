#pragma once

#include <compare>
#include <optional>
#include <string>

// A month of a Western year.
struct YearMonth {
    int year = 0;
    int month = 0;  // 1..12

    friend bool operator==(const YearMonth&, const YearMonth&) = default;
    friend auto operator<=>(const YearMonth&, const YearMonth&) = default;
};

// The months from one month to another: 2000-04 to 2001-04 is 12; negative when to comes first.
int MonthsBetween(const YearMonth& from, const YearMonth& to);

// The month some months later (earlier for a negative count).
YearMonth AddMonths(const YearMonth& month, int months);

// The year of the first April after a month: 2000-03 gives 2000, 2000-04 gives 2001.
int AprilAfter(const YearMonth& month);

// The months a stage was attended, from its entry to its leaving, and the leaving its course
// would have without the 休学 and 留学 that lengthened it.
struct Enrolment {
    YearMonth first{};
    YearMonth last{};
    YearMonth courseEnd{};
};

// Something that happened during a school stage besides its entry and its leaving.
enum class SchoolEventKind {
    LeaveOfAbsence,  // 休学 from `from`, 復学 at `to`: the stage's leaving moves later
    Exchange,        // 交換留学 from `from` to `to` that did not lengthen the course
    StudyAbroad,     // 留学 from `from` to `to` that lengthened the course like a 休学
    TransferIn,      // 転入学 into another high school at `from`
};

struct SchoolEvent {
    SchoolEventKind kind = SchoolEventKind::LeaveOfAbsence;
    int stage = 0;  // the stage number, 3 (高校/高専) to 8 (大学院博士)
    YearMonth from;
    YearMonth to;            // the return; none for a 転入学
    std::string place;       // where a 留学 went, or the name of the school transferred into
    std::string department;  // the 学科 of the school transferred into

    friend bool operator==(const SchoolEvent&, const SchoolEvent&) = default;
};

// Whether the event lasts from `from` to `to`; a 転入学 happens in one month.
bool HasReturn(SchoolEventKind kind);
// Whether the event makes the stage's course longer by its length.
bool LengthensCourse(SchoolEventKind kind);

// The 高等学校卒業程度認定試験 (高卒認定), passed instead of finishing a high school.
struct EquivalencyExam {
    YearMonth passed;
    std::optional<YearMonth> leftHighSchool;  // the 中途退学 of a high school attended before it

    friend bool operator==(const EquivalencyExam&, const EquivalencyExam&) = default;
};

// Why an event cannot have happened, found when the history is built.
enum class EventProblemKind {
    None,
    StageNotReached,      // the history never enters the event's stage
    OutsideEnrolment,     // a month of it lies outside the stage's enrolment
    ReturnNotAfterStart,  // the return is not later than the start
    Overlap,              // it overlaps an earlier event of the same stage
    TransferOutsideHighSchool,
    NotHighSchoolCourse,     // 高卒認定 where the stage is a 高専
    PassedBeforeJuniorHigh,  // 高卒認定 passed before the 中学校's leaving
    PassedAfterToday,
};

inline constexpr int kEquivalencyEvent = -1;

struct EventProblem {
    EventProblemKind kind = EventProblemKind::None;
    int event = kEquivalencyEvent;  // the index of the event, or the 高卒認定
    int other = -1;                 // the earlier event it overlaps
    // The bounds it breaks: the months it could begin in or the enrolment it must return within,
    // or the 中学校's leaving.
    YearMonth first{};
    YearMonth last{};

    bool IsNone() const { return kind == EventProblemKind::None; }
};
