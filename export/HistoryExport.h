#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

// The bytes of an exported history: the text in code page 932, exactly as shown, nothing added.
QByteArray HistoryFileBytes(std::string_view historyText);

// Writes bytes as the whole content of the file at path. The bytes go to a new file beside the
// target that replaces it only once complete, so a failure leaves an existing file exactly as it
// was and leaves nothing new behind. Refused (false, nothing touched): an empty path, a path
// naming a folder or any other non-regular file, and an existing file that is read-only, that
// is one the current user may not write or one with no write permission bit at all.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);

// WriteWholeFile with the history's file bytes.
bool WriteHistoryFile(const QString& path, std::string_view historyText);
