#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ResumeRows.h"
#include "input/EventInputs.h"

// What the user enters for the 学歴 block, as typed: the calendar, the start, the heading, the
// closing row and the wording of a skipped year (list indices and check values), a school name
// and a department for each stage (1..8 at index stage - 1), and the month of a 中途退学 or 除籍.
// Each of these is described once, in ResumeSchema(). The rows of 「休学・留学など」 are kept
// with them. A new object holds the defaults.
struct ResumeInputs {
    int m_nCalendar = 0;  // index into the calendar list: 和暦, 西暦
    // index into the start list: 中学校卒業から, 高校入学から, 小学校入学から, 高校卒業から
    int m_nStart = 0;
    int m_bHeading = 1;  // 1: the block starts with 「学歴」
    int m_bClosing = 0;  // 1: the block ends with 「以上」
    int m_nSkip = 0;     // index into the list: 早期卒業, 飛び入学
    std::array<std::string, kResumeStageCount> m_aSchoolNames{};
    std::array<std::string, kResumeStageCount> m_aDepartments{};
    std::string m_strLeavingMonth;  // empty: not known
    std::vector<EventInput> m_aEvents;

    friend bool operator==(const ResumeInputs&, const ResumeInputs&) = default;
};

enum class ResumeFieldKind : unsigned char {
    Calendar,
    Start,
    Heading,
    SchoolName,
    Department,
    Month,
    Closing,
    Skip,
};

// One input of the 学歴 block: the window's controls, the page's form, the command line's options
// and the stored file all read it.
struct ResumeField {
    ResumeFieldKind kind = ResumeFieldKind::Heading;
    std::string name;    // the control's object name, the page's id and the stored file's key
    std::string title;   // the label, and what messages call it: "大学の学校名"
    std::string option;  // vesmer-cli option ("" for none); school names and departments share one
    int stage = 0;       // of a school name or department
    int maxLength = 0;   // characters the field takes; 0 for lists and the check box
    std::vector<std::string> items;  // a list's items, in order
};

// The inputs in the order of the window's and the page's form.
std::span<const ResumeField> ResumeSchema();
const ResumeField* FindResumeField(std::string_view name);
// The school name (department == false) or department field of a stage 1..8.
const ResumeField& SchoolField(int stage, bool department);

// The member a field is bound to: the list index or check value, or the text.
int* ResumeNumber(ResumeInputs& inputs, const ResumeField& field);
std::string* ResumeText(ResumeInputs& inputs, const ResumeField& field);
const std::string* ResumeText(const ResumeInputs& inputs, const ResumeField& field);

// The inputs as the rows take them, or the first refusal: a name or department with a control
// character or too long, a month that is not 1..12; the message names the field.
struct ResumeChoice {
    bool ok = false;
    ResumeOptions options;
    ResumeCalendar calendar = ResumeCalendar::Wareki;
    std::string refusal;
    const ResumeField* refused = nullptr;
};
ResumeChoice ReadResumeInputs(const ResumeInputs& inputs);
