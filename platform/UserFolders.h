#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The per-user folders that may hold settings.

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

// A per-user folder that may hold settings: a folder is named, and it does not exist yet (it is
// then made with MakePrivateFolder) or, on Unix, it is a folder of the current user.
bool IsUsableUserFolder(const QString& folder);
