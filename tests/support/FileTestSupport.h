#pragma once

#ifndef _WIN32

#include <QDir>
#include <QFile>
#include <QString>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t kNobody = 65534;

// Root passes every permission check.
inline bool IsPrivileged() {
    return geteuid() == 0;
}

inline mode_t Mode(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

inline QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

#endif
