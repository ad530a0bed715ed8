#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

class CHistoryData;
class CSettingsLocation;
struct DialogInputs;

// The dialog state file "VesmerDlg.ini": seven selection indices and eleven check values, read
// and written together with the history data file (HistoryProfile.h). A missing selection key
// keeps the member's current value; LoadDialogState reads nothing and returns false unless the
// file carries version 100.
inline constexpr std::string_view kDialogStateSection = "VesmerDLGデータ";
std::vector<std::string> DialogStateKeys();
bool LoadDialogState(DialogInputs& inputs, const CIniValues& file);
CIniFile::Entries DialogStateEntries(const DialogInputs& inputs);

// The two settings files as one: read once each per load and written as one save, so that after
// a crash at any moment the next load gives all the old or all the new inputs, never the year of
// one save with the era of another. The files themselves keep their keys and bytes.

// Finishes a save of the pair that was interrupted after its commit, then reads the history data
// file into history and the dialog state file into inputs (LoadProfile, LoadDialogState).
void LoadSettingsFiles(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location);

// Writes both files as one save. Returns the path of the file that could not be written (then
// neither was), or an empty text.
QString SaveSettingsFiles(const DialogInputs& inputs, const CHistoryData& history,
                          CSettingsLocation& location);
