#pragma once

#include <QByteArray>
#include <QStringList>

#include "platform/TerminalText.h"

// Exit statuses of the command line.
inline constexpr int kTosvelExitOk = 0;
inline constexpr int kTosvelExitOutputFailed = 1;  // standard output could not be written
inline constexpr int kTosvelExitUsage = 2;         // bad command line, or a text that is no date
inline constexpr int kTosvelExitRefused = 3;  // no such date, or one outside 1873-01-01..9999-12-31

// What standard error says when standard output could not be written.
inline constexpr const char* kTosvelOutputFailed = "Tosvel: 出力を書き込めませんでした。\n";

// Runs Tosvel's command line (the arguments without the program name): --to-wareki DATE,
// --to-seireki DATE, --table [--birth-year Y], --help, --version. The output goes to out, the
// reason for a refusal to err, both as UTF-8; arguments quoted in err have their control
// characters escaped; --help is wrapped to helpWidth columns. Needs the application object for
// the parser's Japanese messages.
int RunTosvelCli(const QStringList& arguments, QByteArray& out, QByteArray& err,
                 int helpWidth = kTerminalHelpWidth);
