#pragma once

#include <QByteArray>
#include <QStringList>

// Exit statuses of the command line.
inline constexpr int kTosvelExitOk = 0;
inline constexpr int kTosvelExitUsage = 2;    // bad command line
inline constexpr int kTosvelExitRefused = 3;  // no such date, or one before 1873

// Runs Tosvel's command line (the arguments without the program name): --to-wareki DATE,
// --to-seireki DATE, --table [--birth-year Y], --help, --version. The output goes to out, the
// reason for a refusal to err, both as UTF-8.
int RunTosvelCli(const QStringList& arguments, QByteArray& out, QByteArray& err);
