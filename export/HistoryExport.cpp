#include "HistoryExport.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

#include "Cp932.h"

QByteArray HistoryFileBytes(std::string_view historyText) {
    return ToCp932(historyText);
}

namespace {

// The permission bits count as well as the access check: a privileged user passes the access
// check on any file, yet a file whose write bits are all cleared is meant to stay as it is.
bool IsReadOnlyFile(const QFileInfo& file) {
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !file.isWritable() || !(file.permissions() & kAnyWrite);
}

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return false;
    const QFileInfo target(path);
    if (target.exists()) {
        // A folder, a device or a pipe is never replaced by a plain file.
        if (!target.isFile()) return false;
        if (IsReadOnlyFile(target)) return false;
    }

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();  // discards the new file
        return false;
    }
    return file.commit();
}

bool WriteHistoryFile(const QString& path, std::string_view historyText) {
    return WriteWholeFile(path, HistoryFileBytes(historyText));
}
