#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
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

// The value of an environment variable as bytes; empty when it is not set.
using EnvironmentReader = std::function<QByteArray(const char* name)>;
QByteArray SystemEnvironment(const char* name);

// The per-user folder for the settings of the application called appName, or an empty text when
// there is none to use. On Unix: "$XDG_CONFIG_HOME/<appName>" when that variable holds an
// absolute path, else "$HOME/.config/<appName>" when HOME is an absolute path to an existing
// folder; never a folder made up from an unset, empty or relative variable (that would put
// settings at the root or in the current folder, or create a home that does not exist). On
// Windows: the application's folder in the local application data.
QString UserConfigFolder(const QString& appName,
                         const EnvironmentReader& getEnv = &SystemEnvironment);
