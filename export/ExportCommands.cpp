#include "export/ExportCommands.h"

#include <QDir>

#include "export/HistoryExport.h"
#include "platform/FileSystem.h"
#include "platform/MessagePresenter.h"
#include "platform/NativePath.h"

namespace {

#ifdef _WIN32
constexpr const char* kToolName = "Tosvel.exe";
#else
constexpr const char* kToolName = "Tosvel";
#endif

}  // namespace

SavePromptSettings ExportPromptSettings(const QString& desktopFolder) {
    SavePromptSettings settings;
    settings.title = QStringLiteral("出力する場所を選択してください");
    settings.initialFolder = desktopFolder;
    settings.initialName = QStringLiteral("MyHistory.txt");
    settings.defaultSuffix = QStringLiteral("txt");
    settings.filter = QStringLiteral("*.txt");
    return settings;
}

ExportOutcome ExportHistory(const std::string& historyText, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener) {
    QString path;
    if (!prompt.AskSavePath(ExportPromptSettings(desktopFolder), path))
        return ExportOutcome::Cancelled;
    if (!WriteHistoryFile(path, historyText)) return ExportOutcome::Failed;
    opener.OpenFile(path);
    return ExportOutcome::Written;
}

ExportOutcome RunFileOutput(const std::string& historyText, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener,
                            IMessagePresenter& presenter) {
    if (historyText.empty()) {
        presenter.Show(kMsgNoHistory, kCaptionExportError, MessageButtons::Ok,
                       MessageIcon::Warning);
        return ExportOutcome::NoHistory;
    }
    const ExportOutcome outcome = ExportHistory(historyText, desktopFolder, prompt, opener);
    if (outcome == ExportOutcome::Failed)
        presenter.Show(kMsgExportFailed, kCaptionExportError, MessageButtons::Ok,
                       MessageIcon::Warning);
    return outcome;
}

QString ToolPath(const QString& programFolder) {
    if (programFolder.isEmpty() || QDir::isRelativePath(programFolder)) return QString();
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(kToolName));
}

void RunLaunchTool(const QString& programFolder, IProcessStarter& starter,
                   IMessagePresenter& presenter) {
    const QString path = ToolPath(programFolder);
    if (path.isEmpty()) {
        presenter.Show(std::string(kMsgNoProgramFolderBefore) + kToolName +
                           std::string(kMsgNoProgramFolderAfter),
                       kCaptionApplication, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // Anything of that name counts as present, a folder included.
    if (!PathExists(path)) {
        presenter.Show(DisplayPath(path) + std::string(kMsgToolNotFoundSuffix), kCaptionApplication,
                       MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    starter.StartDetached(path);
}
