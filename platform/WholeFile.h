#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "platform/FileSystem.h"

// Files written and read whole.
//
// A write replaces the file's whole content. The bytes go to a temporary file beside the target
// (named "." + the file's name + ".vesmer-new"), which replaces the target only once complete,
// so that a failure leaves an existing file exactly as it was; a temporary file of that name left
// by an interrupted write is removed by the next write. The replacement keeps the old file's
// permissions and, for root, its owner and group. Where the target is an existing writable file
// in a folder that this user cannot write, there can be no temporary file, and the file is
// overwritten in place instead. Refused (nothing touched): an empty path, a path that
// ResolveLinks refuses (a planted link, a folder, a pipe, a device), an existing read-only file
// (see IsWritableFile), and a new file in a folder that cannot be written.
bool WriteWholeFile(const QString& path, const QByteArray& bytes,
                    NewFileMode mode = NewFileMode::Shared);

struct WholeFileWrite {
    QString path;
    QByteArray bytes;
};

// Writes several files of one folder as one save: all temporary files are written in full
// first, then a marker file ("." + the first file's name + ".vesmer-pair") commits the save,
// then each temporary file replaces its target and the marker is removed. A save interrupted at
// any moment is finished (after the marker) or undone (before it) by the next ReadWholeFiles or
// WriteWholeFiles on the same files, so that these always give all the old or all the new
// contents. Where a file has to be written in place there is no such guarantee. Returns -1 when
// every file was written, otherwise the index of the first file that could not be; a refused
// file stops the save before anything is written.
int WriteWholeFiles(const std::vector<WholeFileWrite>& files, NewFileMode mode);

struct WholeFileContent {
    FileRead state = FileRead::Missing;
    QByteArray bytes;
};

// Reads a regular file of at most maxBytes, following only the links that ResolveLinks allows.
WholeFileContent ReadWholeFile(const QString& path, qint64 maxBytes);

// Reads files written together by WriteWholeFiles, finishing a save of them that was interrupted
// after its commit; where the finish is not possible (no permission), the committed new content
// is read all the same.
std::vector<WholeFileContent> ReadWholeFiles(const std::vector<QString>& paths, qint64 maxBytes);

// For tests: called after each step of WriteWholeFiles (every temporary file written, the commit,
// every replacement, the marker removed) with the step's number, counted from 0; returning false
// ends the save at that point, leaving everything as a crash there would.
void SetWriteStepHookForTesting(std::function<bool(int step)> hook);
