#include "input/Applicability.h"

#include "engine/ResumeRows.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "input/ResumeInputs.h"

namespace {

using C = Control;

// A day after every birth date the defaults can give.
constexpr CivilDate kAfterAnyBirth{9999, 12, 31};

// The first stage with a row in the 学歴 block: the 中学校 leaves in it, the 高校 enters.
int FirstBlockStage(ResumeStart start) {
    switch (start) {
        case ResumeStart::JuniorHighGraduation:
            return STAGE_JUNIOR_HIGH;
        case ResumeStart::HighSchoolEntry:
        case ResumeStart::HighSchoolGraduation:
            return STAGE_HIGH_SCHOOL;
        case ResumeStart::ElementaryEntry:
            break;
    }
    return STAGE_ELEMENTARY;
}

}  // namespace

InputPlace PlaceOf(const InputField& field) {
    switch (field.kind) {
        case InputKind::Text:
            return InputPlace::Basic;
        case InputKind::Ronin:
        case InputKind::Ryunen:
            return InputPlace::Counts;
        case InputKind::Check:
            return field.control == C::ShowAge ? InputPlace::History : InputPlace::More;
        default:
            break;
    }
    const bool first =
        field.control == C::Era || field.control == C::FinalSchool || field.control == C::Outcome;
    return first ? InputPlace::Basic : InputPlace::Route;
}

InputPlace PlaceOf(const ResumeField& field) {
    switch (field.kind) {
        case ResumeFieldKind::SchoolName:
        case ResumeFieldKind::Department:
            return InputPlace::Schools;
        case ResumeFieldKind::Month:
            return InputPlace::Basic;
        case ResumeFieldKind::Skip:
            return InputPlace::More;
        default:
            return InputPlace::Block;
    }
}

Applicability::Applicability(const DialogInputs& inputs, const ResumeInputs& resume) {
    // The route depends on neither the birth date nor the counts: theirs are the defaults here, so
    // that the path is known while they are still being typed or refused.
    const DialogInputs defaults;
    DialogInputs route = inputs;
    for (const InputField& field : InputSchema()) {
        if (field.kind == InputKind::Text || IsCount(field))
            route.*field.text = defaults.*field.text;
    }
    route.m_nEra = defaults.m_nEra;
    CHistoryData history;
    m_finalStage = Calculate(route, history, kAfterAnyBirth).finalStage;
    for (int stage = STAGE_ELEMENTARY; stage > 0 && stage <= STAGE_DOCTOR;) {
        m_path += static_cast<char>('0' + stage);
        const int next = history.Stage(stage).nNextStage;
        stage = next > stage ? next : STAGE_NONE;
    }
    if (m_finalStage != STAGE_NONE) {
        const StageRecord& last = history.Stage(m_finalStage);
        const bool left = last.nOutcome == OUTCOME_DROPPED_OUT || last.nOutcome == OUTCOME_EXPELLED;
        m_onlyEntered = left && last.nEndGrade == 0;
        m_leftEarly = left && last.nEndGrade > 0;
    }
    for (char stage : m_path)
        m_lastYearSkipped = m_lastYearSkipped || history.Stage(stage - '0').bLastYearSkipped;
    m_firstBlockStage = FirstBlockStage(ReadResumeInputs(resume).options.start);
}

bool Applicability::OnPath(int stage) const {
    return stage > 0 && m_path.find(static_cast<char>('0' + stage)) != std::string::npos;
}

bool Applicability::Applies(const InputField& field) const {
    if (IsCount(field)) {
        // Repeated years of a school only entered change nothing.
        const bool unused =
            field.kind == InputKind::Ryunen && field.stage == m_finalStage && m_onlyEntered;
        return OnPath(field.stage) && !unused;
    }
    switch (field.control) {
        case C::HighSchoolLength:
            return OnPath(STAGE_HIGH_SCHOOL);
        case C::VocationalLength:
            return OnPath(STAGE_VOCATIONAL);
        case C::UniversityLength:
        case C::UniversityAutumnEntry:
        case C::UniversityHalfYear:
            return OnPath(STAGE_UNIVERSITY);
        case C::Progression:
            return m_finalStage >= STAGE_UNIVERSITY;
        case C::JuniorHighTransfer:
            return OnPath(STAGE_JUNIOR_HIGH);
        case C::SkipHighSchoolLastYear:
            return OnPath(STAGE_HIGH_SCHOOL) && m_finalStage > STAGE_HIGH_SCHOOL;
        case C::SkipUniversityLastYear:
            return OnPath(STAGE_UNIVERSITY) && m_finalStage >= STAGE_MASTER;
        case C::GraduateAutumnEntry:
            return m_finalStage >= STAGE_MASTER;
        case C::DirectDoctor:
            return m_finalStage == STAGE_DOCTOR && OnPath(STAGE_UNIVERSITY);
        case C::ShortenMaster:
            return OnPath(STAGE_MASTER);
        case C::ShortenDoctor:
            return OnPath(STAGE_DOCTOR);
        default:
            return true;
    }
}

bool Applicability::Applies(const ResumeField& field) const {
    switch (field.kind) {
        case ResumeFieldKind::SchoolName:
            return OnPath(field.stage) && field.stage >= m_firstBlockStage;
        case ResumeFieldKind::Department:
            // 小学校 and 中学校 have no departments.
            return OnPath(field.stage) && field.stage >= m_firstBlockStage &&
                   field.stage >= STAGE_HIGH_SCHOOL;
        case ResumeFieldKind::Month:
            return m_leftEarly;
        case ResumeFieldKind::Skip:
            return m_lastYearSkipped;
        default:
            return true;
    }
}

std::vector<std::string> KeepApplicableInputs(DialogInputs& inputs, ResumeInputs& resume) {
    const Applicability applicability(inputs, resume);
    const DialogInputs defaults;
    ResumeInputs resumeDefaults;
    std::vector<std::string> names;
    for (const InputField& field : InputSchema()) {
        if (field.kind == InputKind::History) continue;
        if (applicability.Applies(field)) {
            names.emplace_back(field.name);
        } else if (field.number) {
            inputs.*field.number = defaults.*field.number;
        } else {
            inputs.*field.text = defaults.*field.text;
        }
    }
    for (const ResumeField& field : ResumeSchema()) {
        if (applicability.Applies(field)) {
            names.push_back(field.name);
        } else if (int* number = ResumeNumber(resume, field)) {
            *number = *ResumeNumber(resumeDefaults, field);
        } else {
            *ResumeText(resume, field) = *ResumeText(resumeDefaults, field);
        }
    }
    if (applicability.EventsApply())
        names.emplace_back(kEventListName);
    else
        resume.m_aEvents.clear();
    return names;
}
