#include "export/ExportCommands.h"

#include <QDir>

#include "export/HistoryExport.h"
#include "platform/FileSystem.h"
#include "platform/MessagePresenter.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"

namespace {

#ifdef _WIN32
constexpr const char* kToolName = "Tosvel.exe";
#else
constexpr const char* kToolName = "Tosvel";
#endif

// In the order of ExportFileType.
struct ExportTypeRow {
    const char* filter;
    const char* suffix;
};
constexpr ExportTypeRow kExportTypes[] = {
    {"履歴テキスト (*.txt)", "txt"},
    {"履歴書用CSV・和暦 (*.csv)", "csv"},
    {"履歴書用CSV・西暦 (*.csv)", "csv"},
};

}  // namespace

SavePromptSettings ExportPromptSettings(const QString& desktopFolder) {
    SavePromptSettings settings;
    settings.title = QStringLiteral("出力する場所を選択してください");
    settings.initialFolder = desktopFolder;
    settings.initialName = QStringLiteral("MyHistory.txt");
    for (const ExportTypeRow& type : kExportTypes)
        settings.fileTypes.push_back(
            {QString::fromUtf8(type.filter), QString::fromUtf8(type.suffix)});
    return settings;
}

QByteArray ExportFileBytes(ExportFileType type, std::string_view historyText,
                           const std::vector<ResumeRow>& resumeRows) {
    switch (type) {
        case ExportFileType::ResumeWareki:
            return QByteArray::fromStdString(ResumeCsv(resumeRows, ResumeCalendar::Wareki));
        case ExportFileType::ResumeSeireki:
            return QByteArray::fromStdString(ResumeCsv(resumeRows, ResumeCalendar::Seireki));
        case ExportFileType::HistoryText:
            break;
    }
    return HistoryFileBytes(historyText);
}

ExportOutcome ExportHistory(const std::string& historyText,
                            const std::vector<ResumeRow>& resumeRows, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener) {
    QString path;
    std::size_t fileType = 0;
    if (!prompt.AskSavePath(ExportPromptSettings(desktopFolder), path, fileType))
        return ExportOutcome::Cancelled;
    // A type the prompt does not list is taken as the first one.
    const ExportFileType type = fileType < std::size(kExportTypes)
                                    ? static_cast<ExportFileType>(fileType)
                                    : ExportFileType::HistoryText;
    if (type != ExportFileType::HistoryText && resumeRows.empty()) return ExportOutcome::NoRows;
    if (!WriteWholeFile(path, ExportFileBytes(type, historyText, resumeRows)))
        return ExportOutcome::Failed;
    opener.OpenFile(path);
    return ExportOutcome::Written;
}

ExportOutcome RunFileOutput(const std::string& historyText,
                            const std::vector<ResumeRow>& resumeRows, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener,
                            IMessagePresenter& presenter) {
    if (historyText.empty()) {
        presenter.Show(kMsgNoHistory, kCaptionExportError, MessageButtons::Ok,
                       MessageIcon::Warning);
        return ExportOutcome::NoHistory;
    }
    const ExportOutcome outcome =
        ExportHistory(historyText, resumeRows, desktopFolder, prompt, opener);
    if (outcome == ExportOutcome::Failed)
        presenter.Show(kMsgExportFailed, kCaptionExportError, MessageButtons::Ok,
                       MessageIcon::Warning);
    if (outcome == ExportOutcome::NoRows)
        presenter.Show(kMsgNoResumeRows, kCaptionApplication, MessageButtons::Ok,
                       MessageIcon::None);
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
