#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QCoreApplication;

// What each desktop program of this project does before it opens its window.

// Whether a window can be shown at all: a display to connect to, or a platform chosen
// explicitly. getEnv returns the value of a variable, or nullptr when it is not set.
bool DisplayAvailable(const std::function<const char*(const char*)>& getEnv);

// Installs Qt's own Japanese texts (qtbase_ja.qm from Qt's translations folder) into app and makes
// Japanese the default locale, whatever the system's locale: the whole interface is Japanese, so
// the file prompt, the message box buttons and the context menus must be too. False when the
// translation file is missing; the program then goes on with Qt's English texts.
bool InstallQtJapanese(QCoreApplication& app);

// What a desktop program prints on the terminal, without a window, for "--help" or "-h" (help)
// and "--version" or "-v" ("<program> <version>"), or nothing for any other command line.
std::optional<std::string> TerminalAnswer(int argc, const char* const argv[],
                                          std::string_view program, std::string_view help);
