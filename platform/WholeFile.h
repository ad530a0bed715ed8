#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole content of the file at path. The bytes go to a new file beside the
// target that replaces it only once complete, so a failure leaves an existing file exactly as it
// was and leaves nothing new behind. Refused (false, nothing touched): an empty path, a path
// naming a folder or any other non-regular file, and an existing read-only file, that is one the
// current user may not write or one with no write permission bit at all (a privileged user
// passes the access check on any file, yet such a file is meant to stay as it is).
bool WriteWholeFile(const QString& path, const QByteArray& bytes);
