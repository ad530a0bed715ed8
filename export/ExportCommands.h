#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ResumeRows.h"

class IMessagePresenter;

// One file type the save prompt lists.
struct SaveFileType {
    QString filter;  // as listed: "*.txt", "履歴書用CSV・和暦 (*.csv)"
    QString suffix;  // appended to a name typed without one: "txt"

    friend bool operator==(const SaveFileType&, const SaveFileType&) = default;
};

// What the save prompt is asked with; every export starts from these.
struct SavePromptSettings {
    QString title;          // "出力する場所を選択してください"
    QString initialFolder;  // the desktop folder, or empty for the prompt's own default
    QString initialName;    // "MyHistory.txt"
    std::vector<SaveFileType> fileTypes;  // the first one is chosen when the prompt opens
};

// The save-as prompt (a file dialog in the window, a fake in tests).
class ISavePrompt {
  public:
    virtual ~ISavePrompt() = default;
    // Returns false when the user cancelled; otherwise path holds the chosen file's full path
    // and fileType the index of the chosen file type.
    virtual bool AskSavePath(const SavePromptSettings& settings, QString& path,
                             std::size_t& fileType) = 0;
};

// Opens a written file with the program associated with it. Failures are not reported.
class IFileOpener {
  public:
    virtual ~IFileOpener() = default;
    virtual void OpenFile(const QString& path) = 0;
};

// Starts a program detached, without arguments, never waiting for it. Failures are not reported.
class IProcessStarter {
  public:
    virtual ~IProcessStarter() = default;
    virtual void StartDetached(const QString& program) = 0;
};

enum class ExportOutcome { NoHistory, Cancelled, NoRows, Written, Failed };

inline constexpr std::string_view kMsgNoHistory = "履歴がありません。";
// Said instead of writing or copying résumé rows when there are none yet.
inline constexpr std::string_view kMsgNoResumeRows = "履歴書に書ける学歴がまだありません。";
inline constexpr std::string_view kMsgExportFailed = "ファイル出力に失敗しました。";
inline constexpr std::string_view kCaptionExportError = "エラー";
inline constexpr std::string_view kMsgToolNotFoundSuffix = "\r\nが見つかりませんでした";
inline constexpr std::string_view kCaptionApplication = "Vesmer";
// Around the tool's file name when the program's own folder cannot be found.
inline constexpr std::string_view kMsgNoProgramFolderBefore =
    "このプログラムのフォルダーが分からないため、";
inline constexpr std::string_view kMsgNoProgramFolderAfter = "を探せませんでした。";

// The file types of the export prompt, in the order it lists them.
enum class ExportFileType { HistoryText, ResumeWareki, ResumeSeireki };

// The fixed settings of the export prompt; only the starting folder varies. The history text
// is the first file type, the résumé rows as CSV in 和暦 and in 西暦 follow.
SavePromptSettings ExportPromptSettings(const QString& desktopFolder);

// What a file of the given type holds: the history text in code page 932 as shown, or the
// résumé rows as CSV (UTF-8 with a byte-order mark).
QByteArray ExportFileBytes(ExportFileType type, std::string_view historyText,
                           const std::vector<ResumeRow>& resumeRows);

// Asks for the path and file type, writes the file and opens it. Cancelled: nothing touched.
// NoRows: résumé rows were chosen but there are none; nothing touched. Failed: the file could not
// be written; an existing file is left as it was and nothing is opened. Shows no message; the
// history is expected to be non-empty.
ExportOutcome ExportHistory(const std::string& historyText,
                            const std::vector<ResumeRow>& resumeRows, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener);

// The export command of the window: refuses an empty history with "履歴がありません。", asks
// for the path and type, writes the text as code page 932 with CR LF or the résumé rows of the
// same history as CSV, replacing the target only when the new file is complete, opens it on
// success, and reports a failure with "ファイル出力に失敗しました。". Résumé rows chosen when there
// are none yet are refused as the copy buttons refuse them. desktopFolder is where the prompt
// starts.
ExportOutcome RunFileOutput(const std::string& historyText,
                            const std::vector<ResumeRow>& resumeRows, const QString& desktopFolder,
                            ISavePrompt& prompt, IFileOpener& opener, IMessagePresenter& presenter);

// The sibling-tool command: starts "Tosvel" ("Tosvel.exe" on Windows) from programFolder, or
// shows "<full path>\r\nが見つかりませんでした" under the caption "Vesmer" when it is missing.
// programFolder may hold the escaped bytes of platform/NativePath.h. Without a program folder
// (empty or relative) nothing is started, whatever lies in the current folder, and the message
// names the tool and says that the folder was not found.
void RunLaunchTool(const QString& programFolder, IProcessStarter& starter,
                   IMessagePresenter& presenter);

// The path of the tool in programFolder; empty when programFolder is not an absolute path.
QString ToolPath(const QString& programFolder);
