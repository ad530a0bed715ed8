#include "settings/HistoryProfile.h"

#include <array>

#include "engine/HistoryData.h"
#include "engine/NumberText.h"
#include "settings/IniFile.h"

namespace {

constexpr std::string_view kSection = kProfileSection;
constexpr std::string_view kBirthdayKey = "誕生日";
constexpr std::string_view kBirthdayDefault = "1980 1 1 0 0";
constexpr std::string_view kStageDefault = "0 0 0 0 0 0 0 0 0 0";

// The stored members of a stage, in the order of the ten numbers.
constexpr std::array<int StageRecord::*, 10> kStageNumbers = {
    &StageRecord::nEntryYear,     &StageRecord::nLeaveYear,   &StageRecord::nCourseMonths,
    &StageRecord::nRoninYears,    &StageRecord::nRyunenYears, &StageRecord::nNextStage,
    &StageRecord::nTransferGrade, &StageRecord::nEndGrade,    &StageRecord::nEntryMonth,
    &StageRecord::nLeaveMonth,
};

// Reads numbers into the targets in order until the text holds no further number.
template <std::size_t N>
void ScanNumbers(std::string_view text, const std::array<int*, N>& targets) {
    std::size_t position = 0;
    for (int* target : targets) {
        if (!ScanInt(text, position, *target)) return;
    }
}

void AppendNumber(std::string& text, int value) {
    if (!text.empty()) text += ' ';
    AppendPadded(text, value, 0);
}

}  // namespace

void ParseStageRecord(std::string_view value, StageRecord& stage) {
    std::array<int*, kStageNumbers.size()> targets{};
    for (std::size_t i = 0; i < kStageNumbers.size(); ++i) targets[i] = &(stage.*kStageNumbers[i]);
    ScanNumbers(value, targets);
}

void FormatStageRecord(const StageRecord& stage, std::string& value) {
    value.clear();
    for (int StageRecord::*member : kStageNumbers) AppendNumber(value, stage.*member);
}

std::vector<std::string> ProfileKeys(const CHistoryData& history) {
    std::vector<std::string> keys{std::string(kVersionKey), std::string(kBirthdayKey)};
    keys.insert(keys.end(), history.m_aStageKey.begin(), history.m_aStageKey.end());
    return keys;
}

bool LoadProfile(CHistoryData& history, const CIniValues& file) {
    if (file.GetInt(kVersionKey, 0) != INI_FILE_VERSION) return false;

    int ignored = 0;
    ScanNumbers(file.GetString(kBirthdayKey, kBirthdayDefault),
                std::array<int*, 5>{&history.m_nBirthYear, &history.m_nBirthMonth,
                                    &history.m_nBirthDay, &ignored, &ignored});
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        const std::string& key = history.m_aStageKey[static_cast<std::size_t>(stage - 1)];
        ParseStageRecord(file.GetString(key, kStageDefault), history.Stage(stage));
    }
    return true;
}

CIniFile::Entries ProfileEntries(const CHistoryData& history) {
    CIniFile::Entries entries;
    entries.emplace_back(kVersionKey, std::to_string(INI_FILE_VERSION));

    std::string birthday;
    for (int number : {history.m_nBirthYear, history.m_nBirthMonth, history.m_nBirthDay, 0, 0})
        AppendNumber(birthday, number);
    entries.emplace_back(kBirthdayKey, birthday);

    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        std::string value;
        FormatStageRecord(history.Stage(stage), value);
        entries.emplace_back(history.m_aStageKey[static_cast<std::size_t>(stage - 1)], value);
    }
    return entries;
}
