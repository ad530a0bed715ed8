#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/ResumeOutput.h"
#include "engine/CivilDate.h"
#include "input/ResumeInputs.h"
#include "platform/TerminalText.h"

struct InputField;

// Exit statuses of vesmer-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;

// One input given on the command line: a list's index or a check value in number, a text in text.
struct CliInput {
    const InputField* field = nullptr;
    int number = 0;
    std::string text;
};

enum class CliAction { Calculate, Help, Version };
enum class CliOutput { Text, Raw, Json };

// What the command line asks for.
struct CliRequest {
    CliAction action = CliAction::Calculate;
    std::vector<CliInput> inputs;  // applied in order over the defaults (or the loaded inputs)
    CivilDate today;
    CliOutput output = CliOutput::Text;
    std::optional<QString> loadFolder;
    std::optional<QString> saveFolder;
    std::optional<ResumeRequest> resume;  // the résumé rows instead of the history
    // The 学歴 block's choices (also for --json) and the rows of 「休学・留学など」, as typed.
    ResumeInputs resumeInputs;
    int helpWidth = kTerminalHelpWidth;  // the columns --help is wrapped to
};

struct CliUsageError {
    QString message;
};

// Reads the arguments (without the program name); today is the date used when --today is absent.
std::variant<CliRequest, CliUsageError> ParseCommandLine(const QStringList& arguments,
                                                         const CivilDate& today);

// Carries out a request. What would go to standard output and standard error is appended to out
// and err; the result is the exit status. writePdf writes --pdf's file; without it --pdf fails.
int ExecuteRequest(const CliRequest& request, QByteArray& out, QByteArray& err,
                   const ResumePdfWriter& writePdf = {});

// Both steps; --help is wrapped to helpWidth columns.
int RunCli(const QStringList& arguments, const CivilDate& today, QByteArray& out, QByteArray& err,
           const ResumePdfWriter& writePdf = {}, int helpWidth = kTerminalHelpWidth);
