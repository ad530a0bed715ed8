#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// File names as the file system holds them. On Unix a name is a string of bytes that need not be
// valid UTF-8 (a Shift-JIS folder name left by unpacking an archive); Qt's own conversion turns
// such bytes into replacement characters and loses the name. Here every byte of an invalid
// sequence becomes one of the code points U+DC80 to U+DCFF, which valid UTF-8 never yields, so
// that EncodeNativePath(DecodeNativePath(bytes)) == bytes for any bytes. A path that holds such
// code points can only be used through the functions of this layer, never through QFile or QDir.
// On Windows names are UTF-16 already and both functions convert to and from UTF-8.
QString DecodeNativePath(const QByteArray& bytes);
QByteArray EncodeNativePath(const QString& path);

// The path as a message shows it: the native bytes read as UTF-8 or, when they are not valid
// UTF-8, as code page 932; separators in the platform's style.
std::string DisplayPath(const QString& path);

// The running program's folder without a trailing separator, found from the executable's own
// path as the system reports it; empty when it cannot be found. Needs the application object.
QString ProgramFolder();
