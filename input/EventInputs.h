#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/HistoryData.h"

// The name of the list, as the forms title it and the messages name it.
inline constexpr std::string_view kEventListTitle = "休学・留学など";

// The kinds of row in the list 「休学・留学など」, in the order of its kind list.
enum class EventInputKind {
    LeaveOfAbsence,  // 休学 and 復学
    Exchange,        // 交換留学: the course did not get longer
    StudyAbroad,     // 休学して留学: the course got longer
    TransferIn,      // 転入学 into another high school
    Equivalency,     // 高卒認定 passed instead of finishing a high school
};

// The fields of a row.
enum class EventField { Kind, Stage, From, To, Place, Department };

// One row of the list as typed: months as "2000-04" (see ParseYearMonth), texts as typed.
struct EventInput {
    EventInputKind kind = EventInputKind::LeaveOfAbsence;
    int stage = STAGE_UNIVERSITY;  // 3 (高校/高専) .. 8 (大学院博士); always 3 for 転入学, 高卒認定
    std::string from;  // 休学した月, 出発した月, 転入学した月, 高校を中途退学した月
    std::string to;          // 復学した月, 帰国した月, 合格した月
    std::string place;       // 留学先, 転入学先の学校名
    std::string department;  // 転入学先の学科

    friend bool operator==(const EventInput&, const EventInput&) = default;
};

// What a kind of row asks for: the item of the kind list, whether the stage is chosen (else it
// is the 高校), and the label of each field it uses ("" for a field it does not use).
struct EventKindDescription {
    EventInputKind kind;
    std::string_view item;
    bool stageChosen;
    std::string_view from;
    bool fromRequired;
    std::string_view to;
    std::string_view place;
    bool placeRequired;
    std::string_view department;
};
std::span<const EventKindDescription> EventKinds();
const EventKindDescription& DescribeEventKind(EventInputKind kind);
// The label of a field of a kind of row ("" when the kind does not use it).
std::string_view EventFieldLabel(EventInputKind kind, EventField field);

// The stages a row can be in, 3..8.
inline constexpr int kFirstEventStage = STAGE_HIGH_SCHOOL;
inline constexpr int kMaxEventRows = 20;

// A month typed as "2000-04", "2000/4", "2000.4" or "2000年4月" (full-width digits and signs
// taken, blanks around it and its numbers ignored), in the years 1873..2100.
bool ParseYearMonth(std::string_view typed, YearMonth& month);
// "2000年4月".
std::string YearMonthWords(const YearMonth& month);

// The rows moved into the model's events, or the first refusal: a month that is no month or is
// missing, a text with a control character or too long, a second 高卒認定, too many rows.
// rowOfEvent gives the row of each of the model's events.
struct EventTransfer {
    bool ok = true;
    std::string refusal;
    int row = -1;
    EventField field = EventField::Kind;
    std::vector<int> rowOfEvent;
    int equivalencyRow = -1;
};
EventTransfer TransferEvents(std::span<const EventInput> rows, CHistoryData& history);

// The refusal of a row the built history found impossible.
EventTransfer RefuseEvent(const EventTransfer& transfer, std::span<const EventInput> rows,
                          const CHistoryData& history, const EventProblem& problem);

// The rows as stored, one key and value for each field a row's kind uses: "event1.kind" = "休学",
// "event1.stage" = "大学" (the final-schooling list's item), "event1.from" = "2000-04" (as typed),
// "event1.to", "event1.place", "event1.department"; rows numbered from 1.
std::vector<std::pair<std::string, std::string>> StoredEventValues(
    std::span<const EventInput> rows);

// The key of a field of a row (0 for the first) as the rows are stored: "event2.to".
std::string StoredEventKey(int row, EventField field);

// Reads stored values back into rows. A value that names no kind or stage is dropped, not
// guessed at: a row without a known kind is left out, a stage that is not known is none.
class CStoredEventRows {
  public:
    // False for a key that is no event's.
    bool Read(std::string_view key, std::string_view value);
    // The rows read, in their order.
    std::vector<EventInput> Rows() const;

  private:
    struct StoredRow {
        bool known = false;  // a kind was read
        EventInput row;
    };
    std::map<int, StoredRow> m_rows;
};
