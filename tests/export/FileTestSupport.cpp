#include "FileTestSupport.h"

#include <QFile>

#ifndef _WIN32
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#endif
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

bool CanCreateFileIn(const QString& folder) {
    QFile probe(folder + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
}

#ifndef _WIN32

bool MakePipe(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool IsPrivileged() {
    return geteuid() == 0;
}

int RunUnprivileged(const std::function<int()>& body, std::string& reason) {
    constexpr int kNoPrivilegeDrop = 125;
    const pid_t child = fork();
    if (child < 0) {
        reason = std::string("fork: ") + std::strerror(errno);
        return -1;
    }
    if (child == 0) {
        constexpr id_t kNobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(kNoPrivilegeDrop);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        reason = std::string("waitpid: ") + std::strerror(errno);
        return -1;
    }
    if (!WIFEXITED(status)) {
        reason = "the child ended abnormally";
        return -1;
    }
    if (WEXITSTATUS(status) == kNoPrivilegeDrop) {
        reason = "the child could not give up its privileges";
        return -1;
    }
    return WEXITSTATUS(status);
}

FileSizeLimit::FileSizeLimit(long long bytes) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        m_strReason = std::string("getrlimit: ") + std::strerror(errno);
        return;
    }
    m_nOldSoft = limit.rlim_cur;
    m_nOldHard = limit.rlim_max;
    m_pOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        m_strReason = std::string("setrlimit: ") + std::strerror(errno);
        std::signal(SIGXFSZ, m_pOldHandler);
        return;
    }
    m_bActive = true;
}

FileSizeLimit::~FileSizeLimit() {
    if (!m_bActive) return;
    rlimit limit{};
    limit.rlim_cur = static_cast<rlim_t>(m_nOldSoft);
    limit.rlim_max = static_cast<rlim_t>(m_nOldHard);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_pOldHandler);
}

namespace {

#ifdef __linux__
// Moves the process into a mount namespace of its own whose mounts do not propagate back.
bool EnterPrivateMountNamespace(std::string& reason) {
    static bool s_bEntered = false;
    static std::string s_strFailure;
    static bool s_bTried = false;
    if (!s_bTried) {
        s_bTried = true;
        if (unshare(CLONE_NEWNS) != 0) {
            s_strFailure = std::string("unshare: ") + std::strerror(errno);
        } else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            s_strFailure = std::string("making the mounts private: ") + std::strerror(errno);
        } else {
            s_bEntered = true;
        }
    }
    reason = s_strFailure;
    return s_bEntered;
}
#endif

}  // namespace

PrivateTmpfs::PrivateTmpfs(const QString& folder, const std::string& options)
    : m_path(QFile::encodeName(folder)), m_strOptions(options) {
#ifdef __linux__
    if (!EnterPrivateMountNamespace(m_strReason)) return;
    if (mount("tmpfs", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, m_strOptions.c_str()) !=
        0) {
        m_strReason = std::string("mount: ") + std::strerror(errno);
        return;
    }
    m_bMounted = true;
#else
    m_strReason = "mounting is only tried on Linux";
#endif
}

PrivateTmpfs::~PrivateTmpfs() {
#ifdef __linux__
    if (m_bMounted) umount2(m_path.constData(), MNT_DETACH);
#endif
}

bool PrivateTmpfs::MakeReadOnly() {
#ifdef __linux__
    if (!m_bMounted) return false;
    if (mount("tmpfs", m_path.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
              m_strOptions.c_str()) != 0) {
        m_strReason = std::string("remount read-only: ") + std::strerror(errno);
        return false;
    }
    return true;
#else
    return false;
#endif
}

#endif
