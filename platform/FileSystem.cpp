#include "platform/FileSystem.h"

#include <QDir>

#include "platform/NativePath.h"

#ifdef Q_OS_UNIX

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

constexpr int kMaxLinks = 32;
constexpr mode_t kGroupOrOtherWrite = S_IWGRP | S_IWOTH;

QByteArray Native(const QString& path) {
    return EncodeNativePath(path);
}

// Someone besides the current user (and root, who can anyway) may change the folder's entries.
bool OthersCanWrite(const QByteArray& folder) {
    struct stat info {};
    if (stat(folder.constData(), &info) != 0) return true;
    return (info.st_mode & kGroupOrOtherWrite) != 0 ||
           (info.st_uid != geteuid() && info.st_uid != 0);
}

QByteArray ReadLinkTarget(const QByteArray& link) {
    QByteArray target(4096, '\0');
    const ssize_t length = readlink(link.constData(), target.data(), target.size());
    if (length <= 0 || length >= target.size()) return {};
    target.truncate(length);
    if (target.startsWith('/')) return target;
    return Native(FolderOf(DecodeNativePath(link))) + '/' + target;
}

bool WriteAll(int handle, const QByteArray& bytes, off_t offset) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(handle, bytes.constData() + done,
                                       static_cast<size_t>(bytes.size() - done), offset + done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

// Gives the new file the owner, group and permissions of the file it is to replace.
bool TakeOver(int handle, const QString& likeFile) {
    struct stat like {};
    if (stat(Native(likeFile).constData(), &like) != 0) return false;
    if ((like.st_uid != geteuid() || like.st_gid != getegid()) &&
        fchown(handle, like.st_uid, like.st_gid) != 0 && geteuid() == 0)
        return false;
    return fchmod(handle, like.st_mode & 07777) == 0;
}

}  // namespace

ResolvedPath ResolveLinks(const QString& path) {
    QByteArray current = Native(path);
    for (int link = 0; link <= kMaxLinks; ++link) {
        struct stat info {};
        if (lstat(current.constData(), &info) != 0) {
            const bool missing = errno == ENOENT;
            return {DecodeNativePath(current), false, !missing};
        }
        if (!S_ISLNK(info.st_mode))
            return {DecodeNativePath(current), true, !S_ISREG(info.st_mode)};
        if (info.st_uid != geteuid() || OthersCanWrite(Native(FolderOf(DecodeNativePath(current)))))
            break;
        current = ReadLinkTarget(current);
        if (current.isEmpty()) break;
    }
    return {path, false, true};
}

bool IsWritableFile(const QString& file) {
    const QByteArray native = Native(file);
    struct stat info {};
    return stat(native.constData(), &info) == 0 &&
           (info.st_mode & (S_IWUSR | kGroupOrOtherWrite)) && access(native.constData(), W_OK) == 0;
}

bool CanCreateIn(const QString& folder) {
    return access(Native(folder).constData(), W_OK | X_OK) == 0;
}

bool WriteNewFile(const QString& path, const QByteArray& bytes, const QString& likeFile,
                  NewFileMode mode) {
    const QByteArray native = Native(path);
    const int handle =
        open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
             mode == NewFileMode::OwnerOnly ? 0600 : 0666);
    if (handle < 0) return false;
    bool ok = likeFile.isEmpty() || TakeOver(handle, likeFile);
    ok = ok && WriteAll(handle, bytes, 0) && fsync(handle) == 0;
    ok = close(handle) == 0 && ok;
    if (!ok) unlink(native.constData());
    return ok;
}

bool MoveIntoPlace(const QString& from, const QString& to) {
    return rename(Native(from).constData(), Native(to).constData()) == 0;
}

bool WriteInPlace(const QString& file, const QByteArray& bytes) {
    const int handle =
        open(Native(file).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) return false;
    struct stat info {};
    if (fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(handle);
        return false;
    }
    bool ok = true;
#ifdef Q_OS_LINUX
    if (bytes.size() > info.st_size) {
        const int reserved = posix_fallocate(handle, 0, bytes.size());
        ok = reserved != ENOSPC && reserved != EFBIG;
    }
#endif
    ok = ok && WriteAll(handle, bytes, 0) && ftruncate(handle, bytes.size()) == 0 &&
         fsync(handle) == 0;
    return close(handle) == 0 && ok;
}

void RemoveEntry(const QString& path) {
    const QByteArray native = Native(path);
    struct stat info {};
    if (lstat(native.constData(), &info) == 0 && !S_ISDIR(info.st_mode)) unlink(native.constData());
}

bool EntryExists(const QString& path) {
    struct stat info {};
    return lstat(Native(path).constData(), &info) == 0;
}

bool PathExists(const QString& path) {
    struct stat info {};
    return stat(Native(path).constData(), &info) == 0;
}

bool IsFolder(const QString& path) {
    struct stat info {};
    return stat(Native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

void SyncFolder(const QString& folder) {
    const int handle = open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    fsync(handle);
    close(handle);
}

FileRead ReadRegularFile(const QString& file, qint64 maxBytes, QByteArray& bytes) {
    bytes.clear();
    const int handle =
        open(Native(file).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Unusable;
    struct stat info {};
    bool ok = fstat(handle, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes;
    // One byte more than the file's size shows a file that grew while it was read.
    if (ok) bytes.resize(info.st_size + 1);
    qsizetype done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t got =
            read(handle, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        done += got;
    }
    close(handle);
    ok = ok && done <= maxBytes;
    bytes.truncate(ok ? done : 0);
    return ok ? FileRead::Read : FileRead::Unusable;
}

bool MakePrivateFolder(const QString& folder) {
    const QByteArray native = Native(folder);
    struct stat info {};
    if (stat(native.constData(), &info) == 0) return S_ISDIR(info.st_mode);
    if (mkdir(native.constData(), 0700) == 0) return true;
    const QString parent = FolderOf(folder);
    if (errno != ENOENT || parent == folder || !MakePrivateFolder(parent)) return false;
    return mkdir(native.constData(), 0700) == 0;
}

namespace {

bool IsFolderOwnedByMe(const QString& folder, mode_t forbidden) {
    struct stat info {};
    return stat(Native(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & forbidden) == 0;
}

}  // namespace

bool IsOwnFolder(const QString& folder) {
    return IsFolderOwnedByMe(folder, 0);
}

bool IsPrivateFolder(const QString& folder) {
    return IsFolderOwnedByMe(folder, kGroupOrOtherWrite);
}

namespace {

// Owned by the current user or root and writable by no one else.
bool OnlyOwnerChanges(const struct stat& info) {
    return (info.st_uid == geteuid() || info.st_uid == 0) &&
           (info.st_mode & kGroupOrOtherWrite) == 0;
}

}  // namespace

bool IsSafeToLoad(const QString& file) {
    struct stat info {};
    struct stat folder {};
    return !file.isEmpty() && lstat(Native(file).constData(), &info) == 0 &&
           S_ISREG(info.st_mode) && OnlyOwnerChanges(info) &&
           stat(Native(FolderOf(file)).constData(), &folder) == 0 && OnlyOwnerChanges(folder);
}

bool SameFolder(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return stat(Native(a).constData(), &first) == 0 && stat(Native(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

CFolderLock::CFolderLock(const QString& folder, std::chrono::milliseconds wait)
    : m_nHandle(open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_nHandle < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(m_nHandle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return;  // no lock support: nothing to wait for
        if (std::chrono::steady_clock::now() > deadline) {
            m_bAcquired = false;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

CFolderLock::~CFolderLock() {
    if (m_nHandle >= 0) close(m_nHandle);
}

#endif

#ifdef Q_OS_WIN  // Qt's file functions; no links to check, no owners to keep.

#include <QFile>
#include <QFileInfo>

#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

ResolvedPath ResolveLinks(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return {path, false, false};
    return {path, true, !info.isFile()};
}

bool IsWritableFile(const QString& file) {
    const QFileInfo info(file);
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && info.permissions().testAnyFlags(kAnyWrite);
}

bool CanCreateIn(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

bool WriteNewFile(const QString& path, const QByteArray& bytes, const QString& likeFile,
                  NewFileMode) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) return false;
    bool ok = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (ok && !likeFile.isEmpty()) ok = file.setPermissions(QFile::permissions(likeFile));
    if (!ok) file.remove();
    return ok;
}

bool MoveIntoPlace(const QString& from, const QString& to) {
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WriteInPlace(const QString& file, const QByteArray& bytes) {
    QFile target(file);
    if (!target.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    return target.write(bytes) == bytes.size() && target.resize(bytes.size()) && target.flush();
}

void RemoveEntry(const QString& path) {
    if (!QFileInfo(path).isDir()) QFile::remove(path);
}

bool EntryExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool PathExists(const QString& path) {
    return QFileInfo::exists(path);
}

bool IsFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

void SyncFolder(const QString&) {}

FileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes) {
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return FileRead::Missing;
    if (!info.isFile() || info.size() > maxBytes) return FileRead::Unusable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return FileRead::Unusable;
    bytes = file.read(maxBytes + 1);
    if (bytes.size() <= maxBytes && file.error() == QFileDevice::NoError) return FileRead::Read;
    bytes.clear();
    return FileRead::Unusable;
}

bool MakePrivateFolder(const QString& folder) {
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

bool IsSafeToLoad(const QString& file) {
    return QFileInfo(file).isFile();
}

CFolderLock::CFolderLock(const QString&, std::chrono::milliseconds) {}
CFolderLock::~CFolderLock() = default;

#endif

QString FolderOf(const QString& path) {
    const QString clean = QDir::fromNativeSeparators(path);
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : clean.first(slash);
}
