#include "settings/DialogState.h"

#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"

void LoadStartupInputs(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location) {
    inputs.ResetInputs();
    history.Reset();
    LoadSettingsFiles(inputs, history, location);

    inputs.m_strBirthYear = std::to_string(history.m_nBirthYear);
    inputs.m_strBirthMonth = std::to_string(history.m_nBirthMonth);
    inputs.m_strBirthDay = std::to_string(history.m_nBirthDay);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        inputs.RoninText(stage) = std::to_string(history.Stage(stage).nRoninYears);
        inputs.RyunenText(stage) = std::to_string(history.Stage(stage).nRyunenYears);
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

bool LoadSettingsFolder(const QString& folder, DialogInputs& inputs, std::string& error) {
    if (folder.isEmpty()) {
        error = "--load にフォルダーを指定してください。";
        return false;
    }
    if (!IsFolder(folder)) {
        error = "--load の " + DisplayPath(folder) + " はフォルダーではありません。";
        return false;
    }
    CSettingsLocation location = CSettingsLocation::InFolder(folder);
    CHistoryData history;
    LoadStartupInputs(inputs, history, location);
    return true;
}

bool SaveSettingsFolder(const QString& folder, const DialogInputs& inputs,
                        const CHistoryData& history, std::string& error) {
    if (folder.isEmpty()) {
        error = "--save にフォルダーを指定してください。";
        return false;
    }
    CSettingsLocation location = CSettingsLocation::InFolder(folder);
    const QString failed = SaveSettingsFiles(inputs, history, location);
    if (failed.isEmpty()) return true;
    error = "--save の " + DisplayPath(failed) + " を書き込めませんでした。";
    return false;
}
