#pragma once

#ifndef _WIN32

#include <QDir>
#include <QFile>
#include <QString>
#include <csignal>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/resource.h>
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

// Runs body in a child that has become user and group "nobody" and returns its result, or -1
// with a reason. The child ends without running destructors.
inline int RunUnprivileged(const std::function<int()>& body, std::string& reason) {
    constexpr int kNoDrop = 125;
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(kNoDrop);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == kNoDrop)
        return reason = "the child could not run unprivileged", -1;
    return WEXITSTATUS(status);
}

// While it lives, no file of this process may grow past the limit; such a write fails instead
// of ending the process.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    void (*handler)(int);
    rlimit old{};
};

#endif
