#include "settings/DialogState.h"

#include <string>
#include <string_view>

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "settings/HistoryProfile.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"

namespace {

constexpr std::string_view kSection = kDialogStateSection;

std::string Decimal(int value) {
    return std::to_string(value);
}

}  // namespace

std::vector<std::string> DialogStateKeys() {
    std::vector<std::string> keys{std::string(kVersionKey)};
    for (const InputField* field : SettingsOrder()) keys.emplace_back(field->settingsKey);
    return keys;
}

bool LoadDialogState(DialogInputs& inputs, const CIniValues& file) {
    if (file.GetInt(kVersionKey, 0) != INI_FILE_VERSION) return false;
    // A missing list key keeps the current selection; a missing check key clears the box.
    for (const InputField* field : SettingsOrder()) {
        int& value = inputs.*field->number;
        value = file.GetInt(field->settingsKey, field->kind == InputKind::List ? value : 0);
    }
    return true;
}

CIniFile::Entries DialogStateEntries(const DialogInputs& inputs) {
    CIniFile::Entries entries;
    entries.emplace_back(kVersionKey, Decimal(INI_FILE_VERSION));
    for (const InputField* field : SettingsOrder())
        entries.emplace_back(field->settingsKey, Decimal(inputs.*field->number));
    return entries;
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
    for (const InputField& field : InputSchema()) {
        if (field.kind != InputKind::List) continue;
        int& index = inputs.*field.number;
        if (SelectedItem(lists.*field.items, index) == nullptr) index = -1;
    }
}

bool SaveAfterCalculate(const DialogInputs& inputs, const CHistoryData& history,
                        CSettingsLocation& location) {
    return SaveSettingsFiles(inputs, history, location).isEmpty();
}
