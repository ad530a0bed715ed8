#include "engine/SchoolEvent.h"

#include <algorithm>
#include <tuple>

#include "engine/HistoryData.h"

int MonthsBetween(const YearMonth& from, const YearMonth& to) {
    return (to.year - from.year) * 12 + to.month - from.month;
}

YearMonth AddMonths(const YearMonth& month, int months) {
    const int index = month.year * 12 + month.month - 1 + months;
    return {index / 12, index % 12 + 1};
}

int AprilAfter(const YearMonth& month) {
    return month.month < 4 ? month.year : month.year + 1;
}

bool HasReturn(SchoolEventKind kind) {
    return kind != SchoolEventKind::TransferIn;
}

bool LengthensCourse(SchoolEventKind kind) {
    return kind == SchoolEventKind::LeaveOfAbsence || kind == SchoolEventKind::StudyAbroad;
}

namespace {

// A line of an event: dated and aged by the first day of its month.
HistoryLine EventLine(HistoryEventKind kind, int stage, std::string_view school,
                      const YearMonth& when, int source) {
    return {.kind = kind,
            .stage = stage,
            .school = school,
            .year = when.year,
            .month = when.month,
            .eraMonth = when.month,
            .grade = 0,
            .ageMonth = when.month,
            .ageDay = 1,
            .source = source};
}

EventProblem Problem(EventProblemKind kind, int event = kEquivalencyEvent,
                     const Enrolment& bounds = {}, int other = -1) {
    return {kind, event, other, bounds.first, bounds.last};
}

bool Overlap(const SchoolEvent& a, const SchoolEvent& b) {
    return a.from < b.to && b.from < a.to;
}

}  // namespace

std::optional<Enrolment> CHistoryData::EnrolmentOf(int stage) const {
    if (stage < STAGE_ELEMENTARY || stage > STAGE_DOCTOR) return std::nullopt;
    return m_aEnrolment[static_cast<std::size_t>(stage - 1)];
}

int CHistoryData::ExtraMonths(int stage, std::optional<YearMonth> before) const {
    // A 高校 or 高専 is lengthened by whole years, the others by half-years.
    const int step = stage == STAGE_HIGH_SCHOOL ? 12 : 6;
    int extra = 0;
    for (const SchoolEvent& event : m_aSchoolEvents) {
        if (event.stage != stage || !LengthensCourse(event.kind) ||
            (before && event.from >= *before))
            continue;
        const int length = std::max(0, MonthsBetween(event.from, event.to));
        extra += (length + step - 1) / step * step;
    }
    return extra;
}

std::vector<HistoryLine> CHistoryData::EventLines(int stage, std::string_view school) const {
    using K = HistoryEventKind;
    std::vector<HistoryLine> lines;
    for (std::size_t i = 0; i < m_aSchoolEvents.size(); ++i) {
        const SchoolEvent& event = m_aSchoolEvents[i];
        if (event.stage != stage) continue;
        const auto line = [&](K kind, const YearMonth& when) {
            lines.push_back(EventLine(kind, stage, school, when, static_cast<int>(i)));
        };
        switch (event.kind) {
            case SchoolEventKind::LeaveOfAbsence:
                line(K::LeaveOfAbsence, event.from);
                line(K::Return, event.to);
                break;
            case SchoolEventKind::Exchange:
                line(K::Exchange, event.from);
                break;
            case SchoolEventKind::StudyAbroad:
                line(K::StudyAbroad, event.from);
                break;
            case SchoolEventKind::TransferIn:
                line(K::TransferIn, event.from);
                break;
        }
    }
    return lines;
}

void CHistoryData::ProcessEquivalency(const StageRecord& previous, StageRecord& current,
                                      std::string_view school) {
    const EquivalencyExam& exam = *m_equivalency;
    m_bEquivalencyReached = true;
    current.nEntryYear = EntryYearAfter(previous, current);
    const YearMonth entry{current.nEntryYear, current.nEntryMonth};
    std::vector<HistoryLine> lines;
    if (exam.leftHighSchool) {
        const YearMonth left = *exam.leftHighSchool;
        m_aEnrolment[STAGE_HIGH_SCHOOL - 1] = Enrolment{entry, left, left};
        EmitLine(current.strLines,
                 EventLine(HistoryEventKind::Entry, STAGE_HIGH_SCHOOL, school, entry, -1));
        lines = EventLines(STAGE_HIGH_SCHOOL, school);
        HistoryLine leaving =
            EventLine(HistoryEventKind::DroppedOut, STAGE_HIGH_SCHOOL, school, left, -1);
        leaving.ageDay = 31;
        lines.push_back(leaving);
    }
    lines.push_back(
        EventLine(HistoryEventKind::EquivalencyPass, STAGE_HIGH_SCHOOL, school, exam.passed, -1));
    std::stable_sort(lines.begin(), lines.end(), [](const HistoryLine& a, const HistoryLine& b) {
        return std::tuple(a.year, a.eraMonth) < std::tuple(b.year, b.eraMonth);
    });
    for (const HistoryLine& line : lines) EmitLine(current.strLines, line);
    // The next stage begins the first April after the pass, but not before the April after the
    // course would have ended: a holder may enter only from the school year they turn 18 in.
    const YearMonth finished = CourseEnd(current, current.nCourseMonths);
    current.nLeaveYear = std::max(AprilAfter(exam.passed), AprilAfter(finished));
    current.nLeaveMonth = 3;
}

void CHistoryData::CheckSchoolEvents(const CivilDate& today) {
    m_eventProblem = Problem(EventProblemKind::None);
    for (std::size_t i = 0; i < m_aSchoolEvents.size(); ++i) {
        m_eventProblem = CheckSchoolEvent(static_cast<int>(i));
        if (!m_eventProblem.IsNone()) return;
    }
    if (m_equivalency) m_eventProblem = CheckEquivalency(today);
}

EventProblem CHistoryData::CheckSchoolEvent(int index) const {
    using P = EventProblemKind;
    const SchoolEvent& event = m_aSchoolEvents[static_cast<std::size_t>(index)];
    if (event.kind == SchoolEventKind::TransferIn && event.stage != STAGE_HIGH_SCHOOL)
        return Problem(P::TransferOutsideHighSchool, index);
    const std::optional<Enrolment> enrolment =
        event.stage >= STAGE_HIGH_SCHOOL ? EnrolmentOf(event.stage) : std::nullopt;
    if (!enrolment) return Problem(P::StageNotReached, index);
    const bool lasts = HasReturn(event.kind);
    if (lasts && event.to <= event.from) return Problem(P::ReturnNotAfterStart, index);
    // An event begins after the entry (a 転入学) or in its month, and before the course ends as
    // the events begun before it lengthened it; it returns within the enrolment.
    const YearMonth latestStart = std::min(
        AddMonths(enrolment->courseEnd, ExtraMonths(event.stage, event.from)), enrolment->last);
    const bool startsInside =
        (lasts ? event.from >= enrolment->first : event.from > enrolment->first) &&
        event.from <= latestStart;
    if (!startsInside)
        return Problem(P::OutsideEnrolment, index, {enrolment->first, latestStart, latestStart});
    if (lasts && event.to > enrolment->last) return Problem(P::OutsideEnrolment, index, *enrolment);
    for (int other = 0; other < index && lasts; ++other) {
        const SchoolEvent& earlier = m_aSchoolEvents[static_cast<std::size_t>(other)];
        if (earlier.stage == event.stage && HasReturn(earlier.kind) && Overlap(earlier, event))
            return Problem(P::Overlap, index, {}, other);
    }
    return {};
}

EventProblem CHistoryData::CheckEquivalency(const CivilDate& today) const {
    using P = EventProblemKind;
    if (!m_bEquivalencyReached) return Problem(P::StageNotReached);
    if (SchoolName(STAGE_HIGH_SCHOOL) == std::string_view("高専"))
        return Problem(P::NotHighSchoolCourse);
    const EquivalencyExam& exam = *m_equivalency;
    const StageRecord& juniorHigh = Stage(STAGE_JUNIOR_HIGH);
    const YearMonth juniorHighLeaving{juniorHigh.nLeaveYear, juniorHigh.nLeaveMonth};
    if (exam.passed < juniorHighLeaving)
        return Problem(P::PassedBeforeJuniorHigh, kEquivalencyEvent,
                       {juniorHighLeaving, juniorHighLeaving});
    if (exam.passed > YearMonth{today.year, today.month}) return Problem(P::PassedAfterToday);
    if (exam.leftHighSchool) {
        const StageRecord& highSchool = Stage(STAGE_HIGH_SCHOOL);
        const YearMonth entry{highSchool.nEntryYear, highSchool.nEntryMonth};
        const YearMonth finished = CourseEnd(highSchool, highSchool.nCourseMonths);
        if (*exam.leftHighSchool < entry || *exam.leftHighSchool > finished)
            return Problem(P::OutsideEnrolment, kEquivalencyEvent, {entry, finished});
    }
    return {};
}
