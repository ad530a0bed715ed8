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
    // "department", "month" (of a 中途退学 or 除籍) or "yearMonth" (of a row of 「休学・留学など」)
    std::string kind;
    std::string label;  // the title, or a check box's own text
    // "basic", "counts", "route", "more", "history", "block", "schools", or "events" (a field of a
    // row of 「休学・留学など」)
    std::string place;
    std::string unit;  // the label after the control ("年", "回"; "" for none)
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
// holds no line break): "era\n2\nbirthYear\n1990\n". The rows of 「休学・留学など」 are named by
// their stored keys ("event1.kind\n休学\n"); when the lines hold any, they are the rows, read as
// stored rows are. False when a name is in neither schema nor a row's key; the inputs before it
// are set.
bool SetInputLines(DialogInputs& inputs, ResumeInputs& resume, const std::string& lines);

// A row of 「休学・留学など」 (row from 0) as a form shows it: the fields its kind uses, in order,
// each named by its stored key ("event2.from"), with its label, its kind ("list" for the kind and
// the stage, "yearMonth", "name" for the place, "department"), a list's items and the text a new
// row of that kind starts with. A kind item that names no kind gives the first kind.
std::vector<InputDescription> DescribeEventRow(int row, const std::string& kindItem);
// The rows among stored keys and values (key, value, key, value, …; keys that are no row's are
// passed over), read as stored rows are read, each described as above with its stored text.
std::vector<std::vector<InputDescription>> DescribeStoredEventRows(
    const std::vector<std::string>& keysAndValues);

// What a page shows of the engine's limits and words: the 学歴 block's column titles, the eras, the
// years of the year table, the first day a current age is counted to ("1900-01-01") and the most
// rows 「休学・留学など」 takes.
struct PageFacts {
    std::vector<std::string> columns;
    std::vector<std::string> eras;
    int tableFirstYear = 0;
    int tableLastYear = 0;
    std::string firstCountableDate;
    int maxEventRows = 0;
};
PageFacts Facts();
