#include "export/DetachedProcessStarter.h"

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>

#include "platform/NativePath.h"
#else
#include <QProcess>
#include <QStringList>
#endif

void CDetachedProcessStarter::StartDetached(const QString& program) {
#ifdef Q_OS_UNIX
    QByteArray path = EncodeNativePath(program);
    char* const arguments[] = {path.data(), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec from here on.
        setsid();
        if (fork() == 0) {
            execv(path.constData(), arguments);
            _exit(127);
        }
        _exit(0);
    }
    if (child > 0) waitpid(child, nullptr, 0);
#else
    QProcess::startDetached(program, QStringList());
#endif
}
