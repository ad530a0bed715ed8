#include "platform/WholeFile.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool IsReadOnlyFile(const QFileInfo& file) {
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !file.isWritable() || !(file.permissions() & kAnyWrite);
}

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return false;
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink()) {
        if (!target.isFile() || IsReadOnlyFile(target)) return false;
    }

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (a full disk) shows in the count written here: an error
    // met by the flush inside commit() would not stop the incomplete file from replacing the old.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
