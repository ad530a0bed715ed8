#include "app/WindowSystemGuard.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    QByteArray category;
    QString text;
};

QtMessageHandler s_previous = nullptr;
std::vector<HeldMessage> s_held;

// The display that was asked for, as the user set it.
QByteArray DisplayName() {
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return QByteArray(name) + '=' + value;
    }
    return "no display set";
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "vesmer: the window system cannot be reached (%s); vesmer-cli prints a "
                     "history on the terminal.\n",
                     DisplayName().constData());
        std::fflush(stderr);
        std::_Exit(kExitNoWindowSystem);
    }
    s_held.push_back(
        {type, context.file, context.line, context.function, QByteArray(context.category), text});
}

}  // namespace

CWindowSystemGuard::CWindowSystemGuard() {
    s_previous = qInstallMessageHandler(&HoldOrEnd);
}

CWindowSystemGuard::~CWindowSystemGuard() {
    qInstallMessageHandler(s_previous);
    for (const HeldMessage& held : s_held) {
        const QMessageLogContext context(held.file, held.line, held.function,
                                         held.category.constData());
        if (s_previous) s_previous(held.type, context, held.text);
    }
    s_held.clear();
}
