#include <cstdio>
#include <cstdlib>

#include "VesmerApp.h"

int main(int argc, char* argv[]) {
    if (!DisplayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fputs(
            "vesmer: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
            "vesmer-cli prints a history on the terminal.\n",
            stderr);
        return 2;
    }
    CVesmerApp app(argc, argv);
    return app.InitInstance();
}
