#include "input/InputTransfer.h"

#include <optional>

#include "engine/BirthDate.h"
#include "engine/Era.h"
#include "engine/HistoryData.h"
#include "input/BirthYearHint.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/TypedNumber.h"

namespace {

constexpr int kMaxCount = 99;

bool IsSet(int checkValue) {
    return checkValue == 1;
}

// Moves the window's inputs into the history model, step by step; the first step that refuses
// ends the transfer, and Refusal() then holds the message to show.
class CInputTransfer {
  public:
    CInputTransfer(const DialogInputs& inputs, CHistoryData& history, const CivilDate& today)
        : m_inputs(inputs), m_history(history), m_today(today) {}

    bool TransferInputs() {
        return TransferBirthDate() && TransferFinalSchool() && TransferRoninRyunen() &&
               TransferCourseLengths() && TransferProgression() && ApplyYearShortening() &&
               CheckCourseLengths();
    }
    const std::string& Refusal() const { return m_strRefusal; }
    Control Refused() const { return m_refused; }
    // The stage of the final schooling, written by TransferFinalSchool and read by later checks.
    int FinalStage() const { return m_nFinalStage; }
    // The birth year as typed, in the chosen era; written by TransferBirthDate.
    int TypedYear() const { return m_nTypedYear; }
    // Whether the outcome is 在学中; written by TransferFinalSchool.
    bool StillEnrolled() const { return m_bStillEnrolled; }

  private:
    bool TransferBirthDate();
    bool TransferFinalSchool();
    bool TransferRoninRyunen();
    bool TransferCourseLengths();
    bool TransferProgression();
    bool ApplyYearShortening();
    bool CheckCourseLengths();

    // The selected item of a list, or nullptr once a list without a selection is refused.
    const std::string* SelectedOrRefuse(Control list);
    bool Refuse(std::string_view message, Control control = Control::None) {
        m_strRefusal = message;
        m_refused = control;
        return false;
    }

    const DialogInputs& m_inputs;
    CHistoryData& m_history;
    CivilDate m_today;
    int m_nFinalStage = STAGE_NONE;
    int m_nTypedYear = 0;
    bool m_bStillEnrolled = false;
    std::string m_strRefusal;
    Control m_refused = Control::None;
};

// A count as typed: blank for 0, else 0 to 99 in digits; nothing when it is no count.
std::optional<int> CountOf(const std::string& typed) {
    const TypedNumber count = ReadTypedNumber(typed);
    if (!count.ok || count.value.value_or(0) > kMaxCount) return std::nullopt;
    return count.value.value_or(0);
}

Control BirthDateControl(DateField field) {
    switch (field) {
        case DateField::Era:
            return Control::Era;
        case DateField::Month:
            return Control::BirthMonth;
        case DateField::Day:
            return Control::BirthDay;
        default:
            return Control::BirthYear;
    }
}

}  // namespace

std::string NoSelectionMessage(std::string_view listName) {
    std::string message = "「";
    message += listName;
    message += "」が選択されていません。\r\n\r\n選択し直してください";
    return message;
}

std::string CountRangeMessage(int stage, InputKind kind) {
    std::string message(CountField(stage, kind).title);
    message += "は0から99までの数を入力してください。";
    return message;
}

std::string EmptyCourseMessage(std::string_view school) {
    std::string message(school);
    message +=
        "の在学期間が0ヶ月以下になる選択がされています。\r\n\r\n"
        "正しい選択かどうか確認してください";
    return message;
}

const std::string* CInputTransfer::SelectedOrRefuse(Control list) {
    const InputField& field = *FindField(list);
    const std::string* item = SelectedItem(ChoiceLists::Get().*field.items, m_inputs.*field.number);
    if (!item) Refuse(NoSelectionMessage(field.title), list);
    return item;
}

bool CInputTransfer::TransferBirthDate() {
    const std::string* era = SelectedOrRefuse(Control::Era);
    if (!era) return false;
    const BirthDateFields typed{EraIndexOf(*era), m_inputs.m_strBirthYear, m_inputs.m_strBirthMonth,
                                m_inputs.m_strBirthDay};
    if (typed.era == kWesternYear) {
        const std::string hint = WesternYearHint(typed.year, m_today);
        if (!hint.empty()) return Refuse(hint, Control::BirthYear);
    }
    const DateConversion birth = CheckBirthDate(typed, m_today);
    if (!birth.ok) return Refuse(birth.reason, BirthDateControl(birth.field));

    m_nTypedYear = typed.era == kWesternYear ? birth.seireki.year : birth.wareki.year;
    m_history.m_nBirthYear = birth.seireki.year;
    m_history.m_nBirthMonth = birth.seireki.month;
    m_history.m_nBirthDay = birth.seireki.day;
    m_history.m_nShowAge = m_inputs.m_bShowAge;
    return true;
}

bool CInputTransfer::TransferFinalSchool() {
    const std::string* outcome = SelectedOrRefuse(Control::Outcome);
    if (!outcome || !SelectedOrRefuse(Control::FinalSchool)) return false;

    // Item 0 is 入学, 1 is 卒業, then 中退 in years 1..8, then 除籍 in years 1..8, then
    // 単位取得退学 and 在学中 (which computes as 卒業).
    const int outcomeIndex = m_inputs.m_nOutcome;
    int outcomeCode = OUTCOME_COMPLETED;
    int grade = 0;
    if (outcomeIndex == 0) {
        outcomeCode = OUTCOME_DROPPED_OUT;
    } else if (outcomeIndex >= 2 && outcomeIndex <= 9) {
        outcomeCode = OUTCOME_DROPPED_OUT;
        grade = outcomeIndex - 1;
    } else if (outcomeIndex >= 10 && outcomeIndex <= 17) {
        outcomeCode = OUTCOME_EXPELLED;
        grade = outcomeIndex - 9;
    } else if (*outcome == kOutcomeCreditsWithdrawn) {
        outcomeCode = OUTCOME_CREDITS_WITHDRAWN;
    }

    // The list's index plus one is the stage number.
    const int finalStage = m_inputs.m_nFinalSchool + 1;
    m_nFinalStage = finalStage;
    m_bStillEnrolled = *outcome == kOutcomeStillEnrolled;
    if (outcomeCode == OUTCOME_CREDITS_WITHDRAWN && finalStage != STAGE_DOCTOR)
        return Refuse(kMsgCreditsWithdrawnOnlyDoctor, Control::Outcome);

    // The stage that leads into the final one.
    int routeFrom = STAGE_NONE;
    if (finalStage >= STAGE_JUNIOR_COLLEGE && finalStage <= STAGE_UNIVERSITY)
        routeFrom = STAGE_HIGH_SCHOOL;
    else if (finalStage == STAGE_MASTER)
        routeFrom = STAGE_UNIVERSITY;
    else if (finalStage == STAGE_DOCTOR)
        routeFrom = STAGE_MASTER;
    if (routeFrom != STAGE_NONE) m_history.Stage(routeFrom).nNextStage = finalStage;

    StageRecord& last = m_history.Stage(finalStage);
    last.nNextStage = STAGE_NONE;
    last.nOutcome = outcomeCode;
    last.nEndGrade = grade;
    return true;
}

// A count that the final schooling leaves closed is no input and never refused: it is kept when
// it reads as one (as the settings keep it for later), else it counts as 0.
bool CInputTransfer::TransferRoninRyunen() {
    const EnabledGroups open = EnabledGroupsFor(
        ChoiceLists::Get().m_aFinalSchoolNames[std::size_t(m_inputs.m_nFinalSchool)]);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        StageRecord& record = m_history.Stage(stage);
        for (InputKind kind : {InputKind::Ronin, InputKind::Ryunen}) {
            const InputField& field = CountField(stage, kind);
            const std::optional<int> count = CountOf(m_inputs.*field.text);
            if (!count && open.IsOn(field.group))
                return Refuse(CountRangeMessage(stage, kind), field.control);
            (kind == InputKind::Ronin ? record.nRoninYears : record.nRyunenYears) =
                count.value_or(0);
        }
    }
    return true;
}

bool CInputTransfer::TransferCourseLengths() {
    if (!SelectedOrRefuse(Control::HighSchoolLength) ||
        !SelectedOrRefuse(Control::VocationalLength) ||
        !SelectedOrRefuse(Control::UniversityLength))
        return false;

    static constexpr int kHighSchoolMonths[] = {36, 48, 60, 84};
    static constexpr int kVocationalMonths[] = {12, 24, 36, 48};
    static constexpr int kUniversityMonths[] = {48, 60, 72, 6, 12};
    bool result = true;

    m_history.Stage(STAGE_HIGH_SCHOOL).nCourseMonths =
        kHighSchoolMonths[m_inputs.m_nHighSchoolLength];
    m_history.Stage(STAGE_VOCATIONAL).nCourseMonths =
        kVocationalMonths[m_inputs.m_nVocationalLength];

    const int extraMonths = IsSet(m_inputs.m_bUniversityHalfYear) ? 6 : 0;
    if (IsSet(m_inputs.m_bUniversityAutumnEntry))
        m_history.Stage(STAGE_UNIVERSITY).nEntryMonth = 10;

    const bool broadcast = m_inputs.m_nUniversityLength >= 3;  // 6ヶ月制(放送), 1年制(放送)
    if (broadcast && m_nFinalStage >= STAGE_MASTER) {
        result = Refuse(kMsgBroadcastUniversity, Control::UniversityLength);
    } else {
        m_history.Stage(STAGE_UNIVERSITY).nCourseMonths =
            kUniversityMonths[m_inputs.m_nUniversityLength] + extraMonths;
    }

    if (IsSet(m_inputs.m_bGraduateAutumnEntry)) {
        m_history.Stage(STAGE_MASTER).nEntryMonth = 10;
        m_history.Stage(STAGE_DOCTOR).nEntryMonth = 10;
    }
    if (m_nFinalStage >= STAGE_DOCTOR && IsSet(m_inputs.m_bDirectDoctor)) {
        m_history.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_DOCTOR;
        m_history.Stage(STAGE_DOCTOR).nCourseMonths = 48;
    }
    return result;
}

bool CInputTransfer::TransferProgression() {
    if (!SelectedOrRefuse(Control::Progression)) return false;

    StageRecord& highSchool = m_history.Stage(STAGE_HIGH_SCHOOL);
    const bool technicalCollege = highSchool.nCourseMonths == 60 || highSchool.nCourseMonths == 84;
    auto leadTo = [](StageRecord& from, int next, int grade) {
        from.nNextStage = next;
        from.nTransferGrade = grade;
    };

    const int index = m_inputs.m_nProgression;
    if (m_nFinalStage >= STAGE_UNIVERSITY) {
        switch (index) {
            case 0:  // 高校/高専から普通に大学へ進学
                leadTo(highSchool, STAGE_UNIVERSITY, 0);
                break;
            case 1:  // 高専から大学2年次へ編入
            case 2:  // 高専から大学3年次へ編入
                if (!technicalCollege)
                    return Refuse(kMsgTechnicalCollegeTransfer, Control::Progression);
                leadTo(highSchool, STAGE_UNIVERSITY, index + 1);
                break;
            case 3:  // 編入せず短大から大学へ進学
            case 4:  // 短大から大学2年次へ編入
            case 5:  // 短大から大学3年次へ編入
                leadTo(highSchool, STAGE_JUNIOR_COLLEGE, 0);
                leadTo(m_history.Stage(STAGE_JUNIOR_COLLEGE), STAGE_UNIVERSITY,
                       index == 3 ? 0 : index - 2);
                break;
            case 6:  // 専門学校から大学へ進学
                leadTo(highSchool, STAGE_VOCATIONAL, 0);
                leadTo(m_history.Stage(STAGE_VOCATIONAL), STAGE_UNIVERSITY, 0);
                break;
            default:
                break;
        }
    }
    if (index == 7 && m_nFinalStage >= STAGE_MASTER) {  // 高専専攻科から大学院へ進学
        if (highSchool.nCourseMonths != 84) return Refuse(kMsgAdvancedCourse, Control::Progression);
        leadTo(highSchool, STAGE_MASTER, 0);
    }
    return true;
}

bool CInputTransfer::ApplyYearShortening() {
    struct Shortening {
        int DialogInputs::*check;
        int stage;
        bool skip;  // the last year skipped for the next school (飛び級)
    };
    static constexpr Shortening kShortenings[] = {
        {&DialogInputs::m_bSkipHighSchoolLastYear, STAGE_HIGH_SCHOOL, true},
        {&DialogInputs::m_bSkipUniversityLastYear, STAGE_UNIVERSITY, true},
        {&DialogInputs::m_bShortenMaster, STAGE_MASTER, false},
        {&DialogInputs::m_bShortenDoctor, STAGE_DOCTOR, false},
        {&DialogInputs::m_bElementaryTransfer, STAGE_ELEMENTARY, false},
        {&DialogInputs::m_bJuniorHighTransfer, STAGE_JUNIOR_HIGH, false},
    };
    for (const Shortening& shortening : kShortenings) {
        if (!IsSet(m_inputs.*shortening.check)) continue;
        StageRecord& record = m_history.Stage(shortening.stage);
        record.nCourseMonths -= 12;
        record.bLastYearSkipped = shortening.skip;
    }
    return true;
}

bool CInputTransfer::CheckCourseLengths() {
    const int stage = m_history.FindStageWithoutCourse();
    if (stage == STAGE_NONE) return true;
    return Refuse(EmptyCourseMessage(m_history.SchoolName(stage)));
}

bool IsBirthDateControl(Control control) {
    return control == Control::Era || control == Control::BirthYear ||
           control == Control::BirthMonth || control == Control::BirthDay;
}

namespace {

// 在学中: the final course began by today and has not ended before it.
std::string StillEnrolledProblem(const CHistoryData& history, int finalStage,
                                 const CivilDate& today) {
    const std::optional<Enrolment> enrolment = history.EnrolmentOf(finalStage);
    if (!enrolment) return {};
    const std::string school(history.SchoolName(finalStage));
    const YearMonth now{today.year, today.month};
    const std::string chosen = "「在学中」が選ばれていますが、" + school;
    if (enrolment->first > now)
        return chosen + "の入学（" + YearMonthWords(enrolment->first) + "）は今日より後です。";
    if (enrolment->last < now) {
        const bool graduateSchool = finalStage >= STAGE_MASTER;
        return chosen + "の" + (graduateSchool ? "修了" : "卒業") + "（" +
               YearMonthWords(enrolment->last) + "）は今日より前です。「" +
               std::string(kOutcomeGraduated) + "」を選ぶか、入力を確かめてください。";
    }
    return {};
}

CalculationResult Refused(CalculationResult result, std::string refusal, Control control) {
    result.ok = false;
    result.refusal = std::move(refusal);
    result.refused = control;
    return result;
}

CalculationResult RefusedEvent(CalculationResult result, const EventTransfer& refusal) {
    result.ok = false;
    result.refusal = refusal.refusal;
    result.refusedEvent = refusal.row;
    result.refusedEventField = refusal.field;
    result.keepsShown = true;
    return result;
}

}  // namespace

CalculationResult Calculate(const DialogInputs& inputs, CHistoryData& history,
                            const CivilDate& today, std::span<const EventInput> events) {
    history.Reset();
    CInputTransfer transfer(inputs, history, today);
    CalculationResult result;
    result.ok = transfer.TransferInputs();
    result.finalStage = transfer.FinalStage();
    if (!result.ok) {
        result.refusal = transfer.Refusal();
        result.refused = transfer.Refused();
        result.keepsShown = IsBirthDateControl(result.refused);
        return result;
    }
    const EventTransfer moved = TransferEvents(events, history);
    if (!moved.ok) return RefusedEvent(result, moved);
    const std::string* outcome =
        SelectedItem(ChoiceLists::Get().m_aOutcomeNames, inputs.m_nOutcome);
    if (history.m_equivalency && result.finalStage == STAGE_HIGH_SCHOOL &&
        *outcome != kOutcomeGraduated)
        return Refused(result, std::string(kMsgEquivalencyNeedsGraduation), Control::Outcome);
    history.BuildHistoryText(today);
    if (!history.SchoolEventProblem().IsNone())
        return RefusedEvent(result,
                            RefuseEvent(moved, events, history, history.SchoolEventProblem()));
    if (transfer.StillEnrolled()) {
        if (std::string problem = StillEnrolledProblem(history, result.finalStage, today);
            !problem.empty())
            return Refused(result, std::move(problem), Control::Outcome);
    }
    history.m_nBirthYear = transfer.TypedYear();
    return result;
}
