#include "input/ResumeInputs.h"

#include <algorithm>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/InputSchema.h"
#include "input/TypedNumber.h"

namespace {

using K = ResumeFieldKind;

std::string StageName(int stage) {
    return ChoiceLists::Get().m_aFinalSchoolNames[static_cast<std::size_t>(stage - 1)];
}

// "University" for stage 6, as the stage's counts are named.
std::string StageSuffix(int stage) {
    const std::string_view count = CountField(stage, InputKind::Ronin).name;
    return std::string(count.substr(std::string_view("ronin").size()));
}

std::vector<ResumeField> BuildSchema() {
    const std::vector<std::string> calendars(kResumeCalendarNames.begin(),
                                             kResumeCalendarNames.end());
    std::vector<ResumeField> fields{
        {K::Calendar, "resumeCalendar", "年の書き方", "", 0, 0, calendars},
        {K::Start,
         "resumeStart",
         "書き始め",
         "from",
         0,
         0,
         {"中学校卒業から", "高校入学から", "小学校入学から", "高校卒業から"}},
        {K::Heading, "resumeHeading", "1行目に「学歴」と書く", "no-heading", 0, 0, {}},
    };
    for (int stage = 1; stage <= kResumeStageCount; ++stage) {
        const std::string department = stage >= STAGE_MASTER        ? "研究科・専攻"
                                       : stage == STAGE_HIGH_SCHOOL ? "学科"
                                                                    : "学部・学科";
        fields.push_back({K::SchoolName,
                          "school" + StageSuffix(stage),
                          StageName(stage) + "の学校名",
                          "school",
                          stage,
                          kMaxSchoolTextLength,
                          {}});
        fields.push_back({K::Department,
                          "department" + StageSuffix(stage),
                          StageName(stage) + "の" + department,
                          "department",
                          stage,
                          kMaxSchoolTextLength,
                          {}});
    }
    fields.push_back({K::Month, "leavingMonth", "中途退学・除籍の月", "leaving-month", 0, 2, {}});
    // Later additions follow, so that a stored file keeps its order.
    fields.push_back(
        {K::Closing, "resumeClosing", "最後の行に「以上」と書く", "closing", 0, 0, {}});
    fields.push_back(
        {K::Skip, "resumeSkip", "飛び級の書き方", "skip-as", 0, 0, {"早期卒業", "飛び入学"}});
    return fields;
}

const std::vector<ResumeField>& Schema() {
    static const std::vector<ResumeField> fields = BuildSchema();
    return fields;
}

std::string Quoted(const ResumeField& field) {
    return "「" + field.title + "」";
}

// A name or department into naming; false with the reason when it cannot be used.
bool ReadSchoolText(const ResumeField& field, const std::string& typed, std::string& cleaned,
                    std::string& refusal) {
    switch (CleanSchoolText(typed, cleaned)) {
        case SchoolTextProblem::None:
            return true;
        case SchoolTextProblem::ControlCharacter:
            refusal = Quoted(field) + "にタブや改行などの制御文字は使えません。";
            return false;
        case SchoolTextProblem::TooLong:
            refusal = Quoted(field) + "は" + std::to_string(field.maxLength) +
                      "文字以内で入力してください。";
            return false;
    }
    return false;
}

// The month as typed: blank for none, else 1..12 (full-width digits and blanks taken).
bool ReadMonth(const ResumeField& field, const std::string& typed, std::optional<int>& month,
               std::string& refusal) {
    const TypedNumber number = ReadTypedNumber(typed, field.maxLength);
    if (number.ok && !number.value) return true;
    if (number.ok && *number.value >= 1 && *number.value <= 12) {
        month = number.value;
        return true;
    }
    refusal = Quoted(field) + "は1から12までの数で入力してください。";
    return false;
}

}  // namespace

std::span<const ResumeField> ResumeSchema() {
    return Schema();
}

const ResumeField* FindResumeField(std::string_view name) {
    for (const ResumeField& field : Schema()) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

const ResumeField& SchoolField(int stage, bool department) {
    const K kind = department ? K::Department : K::SchoolName;
    return *std::find_if(Schema().begin(), Schema().end(), [&](const ResumeField& field) {
        return field.kind == kind && field.stage == stage;
    });
}

int* ResumeNumber(ResumeInputs& inputs, const ResumeField& field) {
    switch (field.kind) {
        case K::Calendar:
            return &inputs.m_nCalendar;
        case K::Start:
            return &inputs.m_nStart;
        case K::Heading:
            return &inputs.m_bHeading;
        case K::Closing:
            return &inputs.m_bClosing;
        case K::Skip:
            return &inputs.m_nSkip;
        default:
            return nullptr;
    }
}

std::string* ResumeText(ResumeInputs& inputs, const ResumeField& field) {
    const auto index = static_cast<std::size_t>(field.stage - 1);
    switch (field.kind) {
        case K::SchoolName:
            return &inputs.m_aSchoolNames[index];
        case K::Department:
            return &inputs.m_aDepartments[index];
        case K::Month:
            return &inputs.m_strLeavingMonth;
        default:
            return nullptr;
    }
}

const std::string* ResumeText(const ResumeInputs& inputs, const ResumeField& field) {
    return ResumeText(const_cast<ResumeInputs&>(inputs), field);
}

ResumeChoice ReadResumeInputs(const ResumeInputs& inputs) {
    ResumeChoice choice;
    choice.calendar = inputs.m_nCalendar == 1 ? ResumeCalendar::Seireki : ResumeCalendar::Wareki;
    const ResumeStart starts[] = {ResumeStart::JuniorHighGraduation, ResumeStart::HighSchoolEntry,
                                  ResumeStart::ElementaryEntry, ResumeStart::HighSchoolGraduation};
    if (inputs.m_nStart >= 0 && inputs.m_nStart < std::ssize(starts))
        choice.options.start = starts[inputs.m_nStart];
    choice.options.heading = inputs.m_bHeading == 1;
    choice.options.closing = inputs.m_bClosing == 1;
    choice.options.skip =
        inputs.m_nSkip == 1 ? SkipWording::EarlyEntry : SkipWording::EarlyGraduation;
    for (const ResumeField& field : Schema()) {
        const std::string* typed = ResumeText(inputs, field);
        if (!typed) continue;
        SchoolNaming& naming =
            choice.options.schools[static_cast<std::size_t>(std::max(field.stage, 1) - 1)];
        const bool read =
            field.kind == K::Month
                ? ReadMonth(field, *typed, choice.options.leavingMonth, choice.refusal)
                : ReadSchoolText(field, *typed,
                                 field.kind == K::Department ? naming.department : naming.name,
                                 choice.refusal);
        if (!read) {
            choice.refused = &field;
            return choice;
        }
    }
    choice.ok = true;
    return choice;
}
