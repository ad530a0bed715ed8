#pragma once

#include <QByteArray>
#include <QStringList>

#include "engine/CivilDate.h"

// Exit statuses of vesmer-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;

// Runs the command line (arguments without the program name). What would go to standard output
// and standard error is appended to out and err. today is the date used when --today is absent.
int RunCli(const QStringList& arguments, const CivilDate& today, QByteArray& out, QByteArray& err);
