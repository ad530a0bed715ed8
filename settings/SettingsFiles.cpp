#include "settings/SettingsFiles.h"

#include "engine/HistoryData.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "settings/DialogState.h"
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
