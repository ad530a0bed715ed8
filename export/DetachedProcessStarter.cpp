#include "export/DetachedProcessStarter.h"

#include <QProcess>
#include <QStringList>

void CDetachedProcessStarter::StartDetached(const QString& program) {
    QProcess::startDetached(program, QStringList());
}
