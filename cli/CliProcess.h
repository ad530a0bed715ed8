#pragma once

#include "cli/ResumeOutput.h"

// vesmer-cli as a process: the arguments of the application object, today's date, the output
// written to standard output and standard error; the result is the exit status. Needs the
// application object (QCoreApplication, or QGuiApplication where writePdf paints).
int RunCliProcess(const ResumePdfWriter& writePdf);

// Whether the command line asks for --pdf, which needs the PDF module.
bool AsksForPdf(int argc, const char* const argv[]);

// Runs the command line in the PDF module beside the program (Qt Gui is loaded only for it):
// its exit status, or 1 with a line on standard error when the module is missing or not safe to
// load. modulePath is relative to the program's folder.
int RunInPdfModule(int argc, char* argv[], const char* modulePath);

// The entry point of the PDF module.
extern "C" using CliModuleEntry = int(*)(int argc, char* argv[]);
inline constexpr const char* kCliModuleEntry = "VesmerCliWithPdf";
