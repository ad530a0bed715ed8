#pragma once

#include <string>
#include <vector>

struct DialogInputs;
struct ResumeInputs;

// One input of the window or of the 学歴 block as a form without the window shows it: its schema
// name, what to call it, where it goes (InputPlace), its list items and limits, and the text it
// starts with.
struct InputDescription {
    std::string name;
    // "list", "text" (the birth date), "ronin", "ryunen", "check", "name" (a school's name),
    // "department" or "month" (of a 中途退学 or 除籍)
    std::string kind;
    std::string label;  // the title, or a check box's own text
    std::string place;  // "basic", "counts", "route", "more", "history", "block" or "schools"
    std::string unit;   // the label after the control ("年", "回"; "" for none)
    std::vector<std::string> items;
    int maxLength = 0;  // characters the field takes; 0: no limit
    int stage = 0;      // the stage of a count, a school name or a department
    std::string defaultText;
};

// Every input of the window but the history box, in tab order, then those of the 学歴 block.
std::vector<InputDescription> DescribeInputs();

// An input by its schema name as text: a list's selected index ("-1" for none), a check's value,
// a typed text as it stands. Setting takes the same forms; a list index that is no number sets no
// selection. False for a name the schema does not hold.
bool SetInputText(DialogInputs& inputs, const std::string& name, const std::string& text);
std::string InputText(const DialogInputs& inputs, const std::string& name);

// The same for an input of the 学歴 block.
bool SetResumeInputText(ResumeInputs& inputs, const std::string& name, const std::string& text);
std::string ResumeInputText(const ResumeInputs& inputs, const std::string& name);

// Sets inputs of both forms at once from lines that name an input and then give its text (which
// holds no line break): "era\n2\nbirthYear\n1990\n". False when a name is in neither schema;
// the inputs before it are set.
bool SetInputLines(DialogInputs& inputs, ResumeInputs& resume, const std::string& lines);

// What a page shows of the engine's limits and words: the 学歴 block's column titles, the eras, the
// years of the year table and the first day a current age is counted to ("1900-01-01").
struct PageFacts {
    std::vector<std::string> columns;
    std::vector<std::string> eras;
    int tableFirstYear = 0;
    int tableLastYear = 0;
    std::string firstCountableDate;
};
PageFacts Facts();
