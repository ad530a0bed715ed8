#include "app/SystemMenu.h"

#include <QMenu>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool IsAboutCommand(unsigned command) {
    return (command & 0xFFF0u) == IDM_ABOUTBOX;
}

void AddSystemMenuEntry([[maybe_unused]] QWidget& window) {
#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX,
                    reinterpret_cast<const wchar_t*>(QString::fromUtf8(kAboutMenuText).utf16()));
    }
#endif
}

#ifdef Q_OS_WIN
bool SysCommandOf(const void* message, unsigned& command) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND) return false;
    command = static_cast<unsigned>(msg->wParam);
    return true;
}
#endif

QMenu* CreateSystemMenu(QWidget& window, QWidget* parent, const std::function<void()>& about) {
    auto* menu = new QMenu(parent);
    QObject::connect(menu->addAction(QStringLiteral("最小化(&N)")), &QAction::triggered, &window,
                     &QWidget::showMinimized);
    QObject::connect(menu->addAction(QStringLiteral("閉じる(&C)")), &QAction::triggered, &window,
                     &QWidget::close);
    menu->addSeparator();
    QObject::connect(menu->addAction(QString::fromUtf8(kAboutMenuText)), &QAction::triggered,
                     &window, about);
    return menu;
}
