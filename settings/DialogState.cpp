#include "settings/DialogState.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "settings/HistoryProfile.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"

namespace {

constexpr std::string_view kSection = kDialogStateSection;

using Items = std::vector<std::string> ChoiceLists::*;

struct SelectionKey {
    std::string_view key;
    int DialogInputs::*member;
    Items items;
};

// In the order in which the keys are written and read.
constexpr std::array<SelectionKey, 7> kSelections = {{
    {"歴", &DialogInputs::m_nEra, &ChoiceLists::m_aEraNames},
    {"最終学歴", &DialogInputs::m_nFinalSchool, &ChoiceLists::m_aFinalSchoolNames},
    {"最終学歴をどうした", &DialogInputs::m_nOutcome, &ChoiceLists::m_aOutcomeNames},
    {"高校は", &DialogInputs::m_nHighSchoolLength, &ChoiceLists::m_aHighSchoolLengths},
    {"専門学校は", &DialogInputs::m_nVocationalLength, &ChoiceLists::m_aVocationalLengths},
    {"大学は", &DialogInputs::m_nUniversityLength, &ChoiceLists::m_aUniversityLengths},
    {"進学・編入", &DialogInputs::m_nProgression, &ChoiceLists::m_aProgressions},
}};

struct CheckKey {
    std::string_view key;
    int DialogInputs::*member;
};

constexpr std::array<CheckKey, 11> kChecks = {{
    {"高校最終学年を飛び越えて大学へ", &DialogInputs::m_bSkipHighSchoolLastYear},
    {"大学最終学年を飛び越えて大学院へ", &DialogInputs::m_bSkipUniversityLastYear},
    {"大学は9月卒業または半年留年した", &DialogInputs::m_bUniversityHalfYear},
    {"大学院がいきなり博士課程で4年制", &DialogInputs::m_bDirectDoctor},
    {"修士課程1年短縮", &DialogInputs::m_bShortenMaster},
    {"博士課程1年短縮", &DialogInputs::m_bShortenDoctor},
    {"小学校で上級学年に編入した", &DialogInputs::m_bElementaryTransfer},
    {"中学校で上級学年に編入した", &DialogInputs::m_bJuniorHighTransfer},
    {"大学は秋季入学した", &DialogInputs::m_bUniversityAutumnEntry},
    {"大学院は秋季入学した", &DialogInputs::m_bGraduateAutumnEntry},
    {"年齢を表示する", &DialogInputs::m_bShowAge},
}};

std::string Decimal(int value) {
    return std::to_string(value);
}

}  // namespace

std::vector<std::string> DialogStateKeys() {
    std::vector<std::string> keys{std::string(kVersionKey)};
    for (const SelectionKey& row : kSelections) keys.emplace_back(row.key);
    for (const CheckKey& row : kChecks) keys.emplace_back(row.key);
    return keys;
}

bool LoadDialogState(DialogInputs& inputs, const CIniValues& file) {
    if (file.GetInt(kVersionKey, 0) != INI_FILE_VERSION) return false;
    for (const SelectionKey& row : kSelections)
        inputs.*row.member = file.GetInt(row.key, inputs.*row.member);
    for (const CheckKey& row : kChecks) inputs.*row.member = file.GetInt(row.key, 0);
    return true;
}

bool LoadDialogState(DialogInputs& inputs, CSettingsLocation& location) {
    location.SetProfileFile(true);
    return LoadDialogState(inputs,
                           CIniFile(location.ProfilePath()).Read(kSection, DialogStateKeys()));
}

CIniFile::Entries DialogStateEntries(const DialogInputs& inputs) {
    CIniFile::Entries entries;
    entries.emplace_back(kVersionKey, Decimal(INI_FILE_VERSION));
    for (const SelectionKey& row : kSelections)
        entries.emplace_back(row.key, Decimal(inputs.*row.member));
    for (const CheckKey& row : kChecks) entries.emplace_back(row.key, Decimal(inputs.*row.member));
    return entries;
}

void SaveDialogState(const DialogInputs& inputs, CSettingsLocation& location) {
    location.SetProfileFile(true);
    CIniFile(location.ProfilePath()).WriteStrings(kSection, DialogStateEntries(inputs));
}

void LoadStartupInputs(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location) {
    inputs.ResetInputs();
    history.Reset();
    LoadSettingsFiles(inputs, history, location);

    inputs.m_strBirthYear = Decimal(history.m_nBirthYear);
    inputs.m_strBirthMonth = Decimal(history.m_nBirthMonth);
    inputs.m_strBirthDay = Decimal(history.m_nBirthDay);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        inputs.RoninText(stage) = Decimal(history.Stage(stage).nRoninYears);
        inputs.RyunenText(stage) = Decimal(history.Stage(stage).nRyunenYears);
    }

    const ChoiceLists& lists = ChoiceLists::Get();
    for (const SelectionKey& row : kSelections) {
        if (SelectedItem(lists.*row.items, inputs.*row.member) == nullptr) inputs.*row.member = -1;
    }
}

bool SaveAfterCalculate(const DialogInputs& inputs, const CHistoryData& history,
                        CSettingsLocation& location) {
    return SaveSettingsFiles(inputs, history, location).isEmpty();
}
