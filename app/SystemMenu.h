#pragma once

#include <functional>

class QMenu;
class QWidget;

// Command number of the version-information entry.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
inline constexpr const char* kAboutMenuText = "Vesmerのﾊﾞｰｼﾞｮﾝ情報(&A)...";

// Whether a system-menu command is the version entry: a number that differs from IDM_ABOUTBOX
// only in its low four bits.
bool IsAboutCommand(unsigned command);

// Adds the version entry, after a separator, to the window's system menu (Windows; elsewhere the
// window's context menu carries it).
void AddSystemMenuEntry(QWidget& window);

#ifdef Q_OS_WIN
// The command of a WM_SYSCOMMAND message; false for any other message.
bool SysCommandOf(const void* message, unsigned& command);
#endif

// The menu a right click on the window's background opens: minimise, close and, after a
// separator, the version entry, which calls about.
QMenu* CreateSystemMenu(QWidget& window, QWidget* parent, const std::function<void()>& about);
