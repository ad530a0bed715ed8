#include "input/NamedInputs.h"

#include <algorithm>

#include "engine/Era.h"
#include "engine/NumberText.h"
#include "engine/ResumeRows.h"
#include "engine/Wareki.h"
#include "input/Applicability.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/EventInputs.h"
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
        case ResumeFieldKind::Closing:
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
    CStoredEventRows events;
    bool anyEvent = false;
    bool known = true;
    for (std::size_t start = 0; known && start < lines.size();) {
        const std::size_t nameEnd = lines.find('\n', start);
        if (nameEnd == std::string::npos) {
            known = false;
            break;
        }
        const std::size_t valueEnd = std::min(lines.find('\n', nameEnd + 1), lines.size());
        const std::string name = lines.substr(start, nameEnd - start);
        const std::string value = lines.substr(nameEnd + 1, valueEnd - nameEnd - 1);
        if (events.Read(name, value))
            anyEvent = true;
        else
            known = SetInputText(inputs, name, value) || SetResumeInputText(resume, name, value);
        start = valueEnd + 1;
    }
    if (anyEvent) resume.m_aEvents = events.Rows();
    return known;
}

namespace {

const char* EventFieldKind(EventField field) {
    switch (field) {
        case EventField::From:
        case EventField::To:
            return "yearMonth";
        case EventField::Place:
            return "name";
        case EventField::Department:
            return "department";
        default:
            return "list";
    }
}

std::vector<std::string> EventFieldItems(EventField field) {
    std::vector<std::string> items;
    if (field == EventField::Kind) {
        for (const EventKindDescription& kind : EventKinds()) items.emplace_back(kind.item);
    } else if (field == EventField::Stage) {
        const std::vector<std::string>& stages = ChoiceLists::Get().m_aFinalSchoolNames;
        items.assign(stages.begin() + (kFirstEventStage - 1), stages.begin() + STAGE_DOCTOR);
    }
    return items;
}

std::vector<InputDescription> DescribeEventInput(int row, const EventInput& input) {
    constexpr EventField kFields[] = {EventField::Kind, EventField::Stage, EventField::From,
                                      EventField::To,   EventField::Place, EventField::Department};
    const auto stored = StoredEventValues(std::span(&input, 1));
    std::vector<InputDescription> fields;
    for (const EventField field : kFields) {
        const std::string_view label = EventFieldLabel(input.kind, field);
        if (label.empty()) continue;
        const bool text = field == EventField::Place || field == EventField::Department;
        const auto value = std::find_if(stored.begin(), stored.end(), [&](const auto& entry) {
            return entry.first == StoredEventKey(0, field);
        });
        fields.push_back({StoredEventKey(row, field), EventFieldKind(field), std::string(label),
                          "events", "", EventFieldItems(field), text ? kMaxSchoolTextLength : 0, 0,
                          value == stored.end() ? std::string() : value->second});
    }
    return fields;
}

}  // namespace

std::vector<InputDescription> DescribeEventRow(int row, const std::string& kindItem) {
    EventInput input;
    input.kind = EventKinds().front().kind;
    for (const EventKindDescription& kind : EventKinds()) {
        if (kind.item == kindItem) input.kind = kind.kind;
    }
    return DescribeEventInput(row, input);
}

std::vector<std::vector<InputDescription>> DescribeStoredEventRows(
    const std::vector<std::string>& keysAndValues) {
    CStoredEventRows stored;
    for (std::size_t i = 0; i + 1 < keysAndValues.size(); i += 2)
        stored.Read(keysAndValues[i], keysAndValues[i + 1]);
    std::vector<std::vector<InputDescription>> rows;
    for (const EventInput& input : stored.Rows())
        rows.push_back(DescribeEventInput(static_cast<int>(rows.size()), input));
    return rows;
}

PageFacts Facts() {
    PageFacts facts;
    facts.columns.assign(kResumeColumnTitles.begin(), kResumeColumnTitles.end());
    for (const EraStart& era : kEras) facts.eras.emplace_back(era.name);
    facts.tableFirstYear = kTableFirstYear;
    facts.tableLastYear = kTableLastYear;
    facts.firstCountableDate = IsoText({kFirstCountableYear, 1, 1});
    facts.maxEventRows = kMaxEventRows;
    return facts;
}
