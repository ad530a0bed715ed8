#include "input/NamedInputs.h"

#include <algorithm>

#include "engine/Era.h"
#include "engine/NumberText.h"
#include "engine/ResumeRows.h"
#include "engine/Wareki.h"
#include "input/Applicability.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/ResumeInputs.h"

namespace {

const InputField* FieldNamed(const std::string& name) {
    for (const InputField& field : InputSchema()) {
        if (field.name == name && field.kind != InputKind::History) return &field;
    }
    return nullptr;
}

const char* KindName(InputKind kind) {
    switch (kind) {
        case InputKind::List:
            return "list";
        case InputKind::Text:
            return "text";
        case InputKind::Ronin:
            return "ronin";
        case InputKind::Ryunen:
            return "ryunen";
        case InputKind::Check:
            return "check";
        case InputKind::History:
            break;
    }
    return "";
}

const char* KindName(const ResumeField& field) {
    switch (field.kind) {
        case ResumeFieldKind::Heading:
            return "check";
        case ResumeFieldKind::SchoolName:
            return "name";
        case ResumeFieldKind::Department:
            return "department";
        case ResumeFieldKind::Month:
            return "month";
        default:
            return "list";
    }
}

const char* PlaceName(InputPlace place) {
    constexpr const char* kNames[] = {"basic",   "counts", "route",  "more",
                                      "history", "block",  "schools"};
    return kNames[static_cast<std::size_t>(place)];
}

// A list index or check value as text; anything but a plain number (a sign allowed) is -1.
int NumberOf(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (!IsAllDigits(digits) || digits.size() > 4) return -1;
    return negative ? -ParseLeadingInt(digits) : ParseLeadingInt(digits);
}

}  // namespace

std::vector<InputDescription> DescribeInputs() {
    const DialogInputs defaults;
    std::vector<InputDescription> descriptions;
    for (const InputField& field : InputSchema()) {
        if (field.kind == InputKind::History) continue;
        InputDescription description;
        description.name = field.name;
        description.kind = KindName(field.kind);
        description.label = field.title.empty() ? field.caption.text : field.title;
        description.place = PlaceName(PlaceOf(field));
        description.unit = field.unit.text;
        description.maxLength = field.maxLength;
        description.stage = field.stage;
        description.defaultText = InputText(defaults, description.name);
        if (field.items) description.items = ChoiceLists::Get().*field.items;
        descriptions.push_back(std::move(description));
    }
    const ResumeInputs resumeDefaults;
    for (const ResumeField& field : ResumeSchema()) {
        descriptions.push_back({field.name, KindName(field), field.title, PlaceName(PlaceOf(field)),
                                "", field.items, field.maxLength, field.stage,
                                ResumeInputText(resumeDefaults, field.name)});
    }
    return descriptions;
}

bool SetInputText(DialogInputs& inputs, const std::string& name, const std::string& text) {
    const InputField* field = FieldNamed(name);
    if (!field) return false;
    if (field->number)
        inputs.*field->number = NumberOf(text);
    else
        inputs.*field->text = text;
    return true;
}

std::string InputText(const DialogInputs& inputs, const std::string& name) {
    const InputField* field = FieldNamed(name);
    if (!field) return {};
    return field->number ? std::to_string(inputs.*field->number) : inputs.*field->text;
}

bool SetResumeInputText(ResumeInputs& inputs, const std::string& name, const std::string& text) {
    const ResumeField* field = FindResumeField(name);
    if (!field) return false;
    if (int* number = ResumeNumber(inputs, *field))
        *number = NumberOf(text);
    else
        *ResumeText(inputs, *field) = text;
    return true;
}

std::string ResumeInputText(const ResumeInputs& inputs, const std::string& name) {
    const ResumeField* field = FindResumeField(name);
    if (!field) return {};
    if (const std::string* text = ResumeText(inputs, *field)) return *text;
    ResumeInputs copy = inputs;
    return std::to_string(*ResumeNumber(copy, *field));
}

bool SetInputLines(DialogInputs& inputs, ResumeInputs& resume, const std::string& lines) {
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t nameEnd = lines.find('\n', start);
        if (nameEnd == std::string::npos) return false;
        const std::size_t valueEnd = std::min(lines.find('\n', nameEnd + 1), lines.size());
        const std::string name = lines.substr(start, nameEnd - start);
        const std::string value = lines.substr(nameEnd + 1, valueEnd - nameEnd - 1);
        if (!SetInputText(inputs, name, value) && !SetResumeInputText(resume, name, value))
            return false;
        start = valueEnd + 1;
    }
    return true;
}

PageFacts Facts() {
    PageFacts facts;
    facts.columns.assign(kResumeColumnTitles.begin(), kResumeColumnTitles.end());
    for (const EraStart& era : kEras) facts.eras.emplace_back(era.name);
    facts.tableFirstYear = kTableFirstYear;
    facts.tableLastYear = kTableLastYear;
    facts.firstCountableDate = IsoText({kFirstCountableYear, 1, 1});
    return facts;
}
