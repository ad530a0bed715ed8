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

// The calendars of the résumé file types, in the order of ExportFileType after the history text.
constexpr ResumeCalendar kCsvCalendars[] = {ResumeCalendar::Wareki, ResumeCalendar::Seireki};

ResumeCalendar CsvCalendar(ExportFileType type) {
    return kCsvCalendars[static_cast<std::size_t>(type) - 1];
}

}  // namespace

SavePromptSettings ExportPromptSettings(const QString& desktopFolder) {
    SavePromptSettings settings;
    settings.title = QStringLiteral("出力する場所を選択してください");
    settings.initialFolder = desktopFolder;
    settings.initialName = QStringLiteral("MyHistory.txt");
    settings.fileTypes.push_back({QStringLiteral("履歴テキスト (*.txt)"), QStringLiteral("txt")});
    for (const ResumeCalendar calendar : kCsvCalendars) {
        const std::string_view name = CalendarName(calendar);
        settings.fileTypes.push_back(
            {QStringLiteral("履歴書用CSV・%1 (*.csv)")
                 .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))),
             QStringLiteral("csv")});
    }
    return settings;
}

QByteArray ExportFileBytes(ExportFileType type, std::string_view historyText,
                           const std::vector<ResumeRow>& resumeRows) {
    if (type != ExportFileType::HistoryText)
        return QByteArray::fromStdString(ResumeCsv(resumeRows, CsvCalendar(type)));
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
    const ExportFileType type = fileType <= std::size(kCsvCalendars)
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
