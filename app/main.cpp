#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/VesmerApp.h"
#include "app/WindowSystemGuard.h"
#include "platform/Cp932.h"

int main(int argc, char* argv[]) {
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
