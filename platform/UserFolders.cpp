#include "platform/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/FileSystem.h"
#include "platform/NativePath.h"

QByteArray SystemEnvironment(const char* name) {
    return qgetenv(name);
}

QString UserConfigFolder(const QString& appName, const EnvironmentReader& getEnv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto beneath = [](QByteArray folder, const QString& tail) {
        while (folder.endsWith('/')) folder.chop(1);
        return DecodeNativePath(folder) + u'/' + tail;
    };
    const QByteArray config = getEnv("XDG_CONFIG_HOME");
    if (config.startsWith('/')) return beneath(config, appName);
    const QByteArray home = getEnv("HOME");
    if (!home.startsWith('/') || !IsFolder(DecodeNativePath(home))) return QString();
    return beneath(home, QStringLiteral(".config/") + appName);
#else
    (void)getEnv;
    // The same folder as QStandardPaths::AppConfigLocation while no organisation is named.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? base : QDir::cleanPath(base + u'/' + appName);
#endif
}

bool IsUsableUserFolder(const QString& folder) {
    if (folder.isEmpty() || !EntryExists(folder)) return !folder.isEmpty();
#ifdef Q_OS_WIN
    return IsFolder(folder);
#else
    return IsOwnFolder(folder);
#endif
}
