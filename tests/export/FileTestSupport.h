#pragma once

#ifndef _WIN32

#include <QFile>
#include <QString>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

inline std::string Failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

inline bool MakePipe(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// Root passes every permission check.
inline bool IsPrivileged() {
    return geteuid() == 0;
}

// Runs body in a child that has become user and group "nobody" and returns its result, or -1
// with a reason. The child ends without running destructors.
inline int RunUnprivileged(const std::function<int()>& body, std::string& reason) {
    constexpr int kNoDrop = 125;
    const pid_t child = fork();
    if (child < 0) return reason = Failure("fork"), -1;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(kNoDrop);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return reason = Failure("waitpid"), -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) == kNoDrop)
        return reason = "the child could not give up its privileges or ended abnormally", -1;
    return WEXITSTATUS(status);
}

// While it lives, no file of this process may grow past the limit; such a write fails instead
// of ending the process.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    void (*handler)(int);
    rlimit old{};
    bool active = false;
};

#ifdef __linux__
// A memory file system on folder while it lives, in a mount namespace of this process alone.
// Needs the privilege to mount; Mounted() is false with a Reason() otherwise.
class PrivateTmpfs {
  public:
    PrivateTmpfs(const QString& folder, const char* options) : m_path(QFile::encodeName(folder)) {
        static const std::string s_strNamespaceFailure = [] {
            if (unshare(CLONE_NEWNS) != 0) return Failure("unshare");
            if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return Failure("making the mounts private");
            return std::string();
        }();
        m_strReason = s_strNamespaceFailure;
        if (!m_strReason.empty()) return;
        m_bMounted =
            mount("tmpfs", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
        if (!m_bMounted) m_strReason = Failure("mount");
    }
    ~PrivateTmpfs() {
        if (m_bMounted) umount2(m_path.constData(), MNT_DETACH);
    }
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

    bool Mounted() const { return m_bMounted; }
    const std::string& Reason() const { return m_strReason; }

  private:
    QByteArray m_path;
    bool m_bMounted = false;
    std::string m_strReason;
};
#else
// Mounting is only tried on Linux.
struct PrivateTmpfs {
    PrivateTmpfs(const QString&, const char*) {}
    bool Mounted() const { return false; }
    std::string Reason() const { return "no mounting here"; }
};
#endif

#endif
