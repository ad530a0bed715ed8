#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ChoiceLists;
struct DialogInputs;

// Every control of the main window by its ID. The IDs are the window's own numbers; code names a
// control, and only the window's data (tab order, default button, settings) follows the numbers.
enum class Control : int {
    None = 0,
    Calculate = 1,
    Cancel = 2,
    Era = 1000,
    BirthYear = 1001,
    BirthMonth = 1002,
    BirthDay = 1003,
    HistoryText = 1004,
    FinalSchool = 1005,
    Outcome = 1006,
    RoninElementary = 1007,
    RyunenElementary = 1008,
    RoninJuniorHigh = 1009,
    RyunenJuniorHigh = 1010,
    RoninHighSchool = 1011,
    RyunenHighSchool = 1012,
    RoninVocational = 1013,
    RyunenVocational = 1014,
    RoninJuniorCollege = 1015,
    RyunenJuniorCollege = 1016,
    RoninUniversity = 1017,
    RyunenUniversity = 1018,
    RoninMaster = 1019,
    RyunenMaster = 1020,
    RoninDoctor = 1021,
    RyunenDoctor = 1022,
    HistoryGroup = 1023,
    Particle = 1024,
    LaunchTool = 1025,
    HighSchoolLength = 1026,
    UniversityLength = 1027,
    DirectDoctor = 1028,
    VocationalLength = 1029,
    Progression = 1030,
    SkipHighSchoolLastYear = 1031,
    SkipUniversityLastYear = 1032,
    ShortenMaster = 1033,
    ShortenDoctor = 1034,
    Export = 1035,
    Version = 1036,
    ElementaryTransfer = 1037,
    JuniorHighTransfer = 1038,
    UniversityHalfYear = 1039,
    Link = 1041,
    UniversityAutumnEntry = 1042,
    GraduateAutumnEntry = 1043,
    ShowAge = 1044,
    Reset = 1045,
    CopyResumeWareki = 1046,
    CopyResumeSeireki = 1047,
    ResumeWindow = 1048,
    ResumeSkip = 1049,
};

enum class InputKind : unsigned char {
    List,     // drop-down list; its int member is the selected index, -1 for none
    Text,     // birth-date edit: digits only, right-aligned; its string member is the text
    Ronin,    // a stage's count of years waited before entering it (浪人): digits only
    Ryunen,   // a stage's count of years repeated in it (留年): digits only
    Check,    // check box; its int member is 1 when set
    History,  // the read-only history box: the window's own text, no member of DialogInputs
};

// Which controls the final schooling switches on and off (None: never switched).
enum class EnablingGroup : unsigned char {
    None,
    Always,
    JuniorHigh,
    HighSchool,
    JuniorCollege,
    Vocational,
    University,
    Master,
    Doctor,
};

// A rectangle in dialog units: x, y, width, height.
struct DluBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Caption {
    std::string_view text{};
    DluBox box{};  // empty: the text is the control's own (a check box's caption)
};

// One input of the main window, with everything the window, the settings and the command line
// need to know of it.
struct InputField {
    InputKind kind = InputKind::Text;
    Control control = Control::None;
    std::string_view name{};   // the control's object name
    std::string_view title{};  // what messages and the command line's help call it
    Caption caption{};         // the label before the control, or a check box's text
    DluBox box{};              // a list's height is that of its opened list
    Caption unit{};            // the label after the control ("年", "回")
    int maxLength = 0;         // characters the edit takes; 0: no limit
    bool allowsGan = false;    // a year that may also be typed "元", an era's first year
    EnablingGroup group = EnablingGroup::None;
    int exchangeSlot = 0;   // position in the window's data exchange
    int settingsSlot = -1;  // position in the dialog state file; -1: not stored there
    std::string_view settingsKey{};
    std::string_view option{};            // vesmer-cli option; "" for none
    int defaultValue = 0;                 // index, check value, or the number a text is reset to
    int stage = 0;                        // the stage of a count
    int DialogInputs::*number = nullptr;  // lists and check boxes
    std::string DialogInputs::*text = nullptr;               // texts and counts
    std::vector<std::string> ChoiceLists::*items = nullptr;  // lists
};

inline constexpr std::size_t kInputCount = 38;
inline constexpr std::size_t kStoredChoiceCount = 18;

// The inputs in the window's template order, which is also their tab order.
std::span<const InputField, kInputCount> InputSchema();
// The inputs in the order of the window's data exchange.
std::span<const InputField* const, kInputCount> ExchangeOrder();
// The lists and check boxes in the order of the dialog state file's keys.
std::span<const InputField* const, kStoredChoiceCount> SettingsOrder();

// The input shown by the control; nullptr for a control that is no input.
const InputField* FindField(Control control);
// The count of one stage (1..8); kind is Ronin or Ryunen.
const InputField& CountField(int stage, InputKind kind);

bool IsCount(const InputField& field);
