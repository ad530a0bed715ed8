#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <initializer_list>
#include <string_view>

#include "platform/Cp932.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

// The bytes of a file written as the program writes text: code page 932, CR LF after each line.
inline QByteArray Cp932Lines(std::initializer_list<std::string_view> lines) {
    QByteArray bytes;
    for (std::string_view line : lines) bytes += ToCp932(line) + "\r\n";
    return bytes;
}

// A file's whole content; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Files and folders as the system sees them, for the tests of the rules for shared machines.
#ifndef _WIN32

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

// Runs body in a child process; its exit status (the number body returns), or -1 when the child
// did not end normally.
template <class Body>
int InChild(Body body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = -1;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs write while files may not grow past 16 KiB, as on a full disk.
template <class Write>
void OnAFullDisk(Write write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{16 * 1024, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}

#endif
