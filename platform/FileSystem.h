#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

// The file operations that the whole-file reader and writer are built from. On Unix they hold the
// rules that keep one user's files safe from another on a shared machine, and they take paths
// with the escaped bytes of platform/NativePath.h. None of them ever waits on a pipe or device.

enum class NewFileMode {
    Shared,    // the permissions the user's file-creation mask gives
    OwnerOnly  // readable and writable by the owner only (0600)
};

enum class FileRead { Missing, Read, Unusable };

// Where a path leads. A symbolic link is followed only when the current user owns it and nobody
// else can write the folder that holds it (another user, or anyone through group or other write
// permission); a link owned by root counts as owned by another user for an ordinary user, and
// root follows only links it made itself. Refused: such a link, a chain of more than 32 links,
// and a path that ends at anything but a regular file or nothing.
struct ResolvedPath {
    QString path;  // the path itself, or where its links lead
    bool exists = false;
    bool refused = false;
};
ResolvedPath ResolveLinks(const QString& path);

// The folder part of a path ("/" for a file at the root, "." for a bare name).
QString FolderOf(const QString& path);

// An existing file the current user may write and that has a write permission bit at all (a
// privileged user passes the access check on any file, yet a file without write bits is meant to
// stay as it is).
bool IsWritableFile(const QString& file);
bool CanCreateIn(const QString& folder);

// Creates the file (never through a link or over an existing entry), writes the bytes and waits
// until they are on the disk. With likeFile, the new file takes that file's permissions and, when
// the process may give them, its owner and group (root must: failing that the write fails).
bool WriteNewFile(const QString& path, const QByteArray& bytes, const QString& likeFile,
                  NewFileMode mode);
// Puts from in the place of to in one step.
bool MoveIntoPlace(const QString& from, const QString& to);
// Overwrites an existing regular file with bytes; on Linux the room for them is reserved first,
// so that a full disk refuses the write before anything has changed.
bool WriteInPlace(const QString& file, const QByteArray& bytes);

// Removes the entry at path unless it is a folder; a link is removed, not followed.
void RemoveEntry(const QString& path);
// Whether anything, a dangling link included, has this name.
bool EntryExists(const QString& path);
// Whether the path leads to anything, following links.
bool PathExists(const QString& path);
// Whether the path leads to a folder, following links.
bool IsFolder(const QString& path);
// Makes the folder's entries (names created, replaced or removed) survive a power failure.
void SyncFolder(const QString& folder);

// Reads the whole regular file; Unusable for anything else, for a file larger than maxBytes and
// for a file that cannot be read. Links are not followed: resolve them first.
FileRead ReadRegularFile(const QString& file, qint64 maxBytes, QByteArray& bytes);

// Creates the folder and its missing parents, readable and writable by the owner only (0700).
bool MakePrivateFolder(const QString& folder);

#ifdef Q_OS_UNIX
// A folder owned by the current user.
bool IsOwnFolder(const QString& folder);
// A folder owned by the current user that neither group nor others may write.
bool IsPrivateFolder(const QString& folder);
// Whether both paths name the same existing folder.
bool SameFolder(const QString& a, const QString& b);
#endif

// A regular file (not a link) that only the current user or root can change, in a folder that
// only they can change: the only kind of library a program loads at run time. On Windows: an
// existing file.
bool IsSafeToLoad(const QString& file);

// Keeps other writers of this program away from a folder while it lives: an exclusive lock on the
// folder, waited for at most wait (a few seconds by default). Without a lock to take (no such
// folder, no lock support) there is nothing to wait for and Acquired() is true.
class CFolderLock {
  public:
    explicit CFolderLock(const QString& folder,
                         std::chrono::milliseconds wait = std::chrono::seconds(5));
    ~CFolderLock();
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

    bool Acquired() const { return m_bAcquired; }

  private:
    int m_nHandle = -1;
    bool m_bAcquired = true;
};
