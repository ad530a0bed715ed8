#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// Whether a new file can be made in folder (tried and removed again).
bool CanCreateFileIn(const QString& folder);

#ifndef _WIN32

bool MakePipe(const QString& path);

// Whether this process is privileged (root), so that permission bits do not stop it.
bool IsPrivileged();

// Runs body in a child process that has given up its privileges (user and group "nobody",
// 65534) and returns body's result, or -1 with a reason when no such child could run. The
// child ends without running destructors, so it leaves the parent's files alone.
int RunUnprivileged(const std::function<int()>& body, std::string& reason);

// Limits the size any file of this process may grow to, for its lifetime; a write past the
// limit then fails with an error instead of ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return m_bActive; }
    const std::string& Reason() const { return m_strReason; }

  private:
    bool m_bActive = false;
    std::string m_strReason;
    unsigned long long m_nOldSoft = 0;
    unsigned long long m_nOldHard = 0;
    void (*m_pOldHandler)(int) = nullptr;
};

// A memory file system mounted on folder for its lifetime, in a mount namespace of this
// process alone, so that nothing outside the process sees it. Needs the privilege to mount;
// Mounted() is false with a Reason() otherwise.
class PrivateTmpfs {
  public:
    PrivateTmpfs(const QString& folder, const std::string& options);
    ~PrivateTmpfs();
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

    bool Mounted() const { return m_bMounted; }
    const std::string& Reason() const { return m_strReason; }
    bool MakeReadOnly();

  private:
    QByteArray m_path;
    std::string m_strOptions;
    bool m_bMounted = false;
    std::string m_strReason;
};

#endif
