#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

class CHistoryData;
struct StageRecord;

inline constexpr int INI_FILE_VERSION = 100;
// The version key of both settings files.
inline constexpr std::string_view kVersionKey = "INIファイルバージョン";

// The history data file "Vesmer.ini": birth date and ten numbers per stage, read and written
// together with the dialog state file (SettingsFiles.h). LoadProfile reads nothing and returns
// false unless the file carries version 100.
inline constexpr std::string_view kProfileSection = "Vesmerデータ";
std::vector<std::string> ProfileKeys(const CHistoryData& history);
bool LoadProfile(CHistoryData& history, const CIniValues& file);
CIniFile::Entries ProfileEntries(const CHistoryData& history);

// One stage value: ten numbers separated by blanks (blanks skipped, optional sign, digits; values
// beyond the int range clamped). The scan stops at the first item that is not a number; members
// after that point keep their values, and numbers after the tenth are ignored.
void ParseStageRecord(std::string_view value, StageRecord& stage);
void FormatStageRecord(const StageRecord& stage, std::string& value);
