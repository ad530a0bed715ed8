#pragma once

#include <string>
#include <vector>

struct DialogInputs;
struct ResumeInputs;

// One input of the main window as a form without the window shows it: its schema name, what to
// call it, its list items and limits, and the text it starts with.
struct InputDescription {
    std::string name;
    std::string kind;     // "list", "text", "ronin", "ryunen" or "check"
    std::string label;    // the title, or a check box's own text
    std::string caption;  // the label the window shows before the control ("" for none)
    std::string unit;     // the label after the control ("年", "回"; "" for none)
    std::vector<std::string> items;
    int maxLength = 0;  // characters the field takes; 0: no limit
    int stage = 0;      // the stage of a count
    std::string defaultText;
};

// Every input of the window but the history box, in tab order.
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

// Whether the input named is open to entry while the final-schooling list shows the item at
// finalSchoolIndex; an input without an enabling group always is.
bool IsInputEnabled(const std::string& name, int finalSchoolIndex);
