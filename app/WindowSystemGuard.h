#pragma once

// Watches the making of the application object. When the window system cannot be reached there
// (a display that is gone or refuses the connection), Qt gives up with a fatal message and would
// abort and dump core; instead the program then ends with one line on standard error and exit
// status 2. The other messages of that time are held back and passed on when the guard ends, so
// that they do not precede that line. Costs nothing when the window system answers.
class CWindowSystemGuard {
  public:
    CWindowSystemGuard();
    ~CWindowSystemGuard();
    CWindowSystemGuard(const CWindowSystemGuard&) = delete;
    CWindowSystemGuard& operator=(const CWindowSystemGuard&) = delete;
};

// Exit status when no window can be shown.
inline constexpr int kExitNoWindowSystem = 2;
