#include <cstdio>
#include <cstdlib>

#include "app/VesmerApp.h"
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
    CVesmerApp app(argc, argv);
    return app.InitInstance();
}
