#pragma once

#include <string>
#include <string_view>

class CHistoryData;
class CSettingsLocation;
struct StageRecord;

inline constexpr int INI_FILE_VERSION = 100;

// The history data file "Vesmer.ini": birth date and ten numbers per stage.
bool LoadProfile(CHistoryData& history, CSettingsLocation& location);
void SaveProfile(const CHistoryData& history, CSettingsLocation& location);

// One stage value: ten numbers separated by blanks. Members after the point where the scan stops
// keep their values.
void ParseStageRecord(std::string_view value, StageRecord& stage);
void FormatStageRecord(const StageRecord& stage, std::string& value);
