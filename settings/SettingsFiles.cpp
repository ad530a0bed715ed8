#include "settings/SettingsFiles.h"

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsLocation.h"

namespace {

// The history data file first, as the files have always been read and written.
std::pair<QString, QString> Paths(CSettingsLocation& location) {
    location.SetProfileFile(false);
    QString history = location.ProfilePath();
    location.SetProfileFile(true);
    return {std::move(history), location.ProfilePath()};
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
    entries.emplace_back(kVersionKey, std::to_string(INI_FILE_VERSION));
    for (const InputField* field : SettingsOrder())
        entries.emplace_back(field->settingsKey, std::to_string(inputs.*field->number));
    return entries;
}

void LoadSettingsFiles(DialogInputs& inputs, CHistoryData& history, CSettingsLocation& location) {
    const auto [historyPath, dialogPath] = Paths(location);
    const std::vector<CIniValues> files =
        ReadIniFilesTogether({{historyPath, kProfileSection, ProfileKeys(history)},
                              {dialogPath, kDialogStateSection, DialogStateKeys()}});
    LoadProfile(history, files[0]);
    LoadDialogState(inputs, files[1]);
}

QString SaveSettingsFiles(const DialogInputs& inputs, const CHistoryData& history,
                          CSettingsLocation& location) {
    const auto [historyPath, dialogPath] = Paths(location);
    if (historyPath.isEmpty()) return QStringLiteral("Vesmer.ini");
    const int failed =
        WriteIniFilesTogether({{historyPath, kProfileSection, ProfileEntries(history)},
                               {dialogPath, kDialogStateSection, DialogStateEntries(inputs)}});
    if (failed < 0) return QString();
    return failed == 0 ? historyPath : dialogPath;
}
