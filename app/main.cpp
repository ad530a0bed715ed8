#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/DesktopStart.h"
#include "app/VesmerApp.h"
#include "app/WindowSystemGuard.h"
#include "platform/Cp932.h"

namespace {

constexpr const char* kHelp =
    "Usage: vesmer [options]\n"
    "Opens the Vesmer window, which works out the dates of a school history (学歴) for a 履歴書:\n"
    "every entry and leaving with the Western year, the era year and the month, then the current\n"
    "age. The inputs are kept in Vesmer.ini and VesmerDlg.ini, the choices of the 履歴書の学歴欄\n"
    "window in VesmerResume.ini: beside the program when its folder is a private folder of\n"
    "yours, otherwise in ~/.config/Vesmer.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help.\n"
    "  -v, --version  Show the version.\n"
    "\n"
    "vesmer-cli computes the same history on the terminal; Tosvel converts between Western and\n"
    "Japanese era dates.\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto answer = TerminalAnswer(argc, argv, "vesmer", kHelp)) {
        std::fputs(answer->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (!DisplayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fputs(
            "vesmer: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
            "vesmer-cli prints a history on the terminal.\n",
            stderr);
        return 2;
    }
    if (!Cp932Available()) {
        std::fprintf(stderr, "vesmer: %s\n", kCp932MissingMessage);
        return 1;
    }
    std::optional<CWindowSystemGuard> guard(std::in_place);
    CVesmerApp app(argc, argv);
    guard.reset();
    return app.InitInstance();
}
