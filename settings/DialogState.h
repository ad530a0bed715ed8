#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

class CHistoryData;
class CSettingsLocation;
struct DialogInputs;

// The dialog state file "VesmerDlg.ini": seven selection indices and eleven check values, read
// and written together with the history data file (SettingsFiles.h). A missing selection key
// keeps the member's current value; LoadDialogState reads nothing and returns false unless the
// file carries version 100.
inline constexpr std::string_view kDialogStateSection = "VesmerDLGデータ";
std::vector<std::string> DialogStateKeys();
bool LoadDialogState(DialogInputs& inputs, const CIniValues& file);
CIniFile::Entries DialogStateEntries(const DialogInputs& inputs);

// What the window does at start: the defaults, the history data file into the model, the dialog
// state file into the inputs, then the model's birth date and counts into the texts. A selection
// index outside its list becomes -1, as the window reads back an empty selection.
void LoadStartupInputs(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location);

// What a successful Calculate saves: the history data file and the dialog state file, as one
// save (SaveSettingsFiles). False when they could not be written; the window does not say so.
bool SaveAfterCalculate(const DialogInputs& inputs, const CHistoryData& history,
                        CSettingsLocation& location);
