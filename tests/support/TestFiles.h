#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>
#include <string_view>

#include "platform/Cp932.h"

// The bytes of a file written as the program writes text: code page 932, CR LF after each line.
inline QByteArray Cp932Lines(std::initializer_list<std::string_view> lines) {
    QByteArray bytes;
    for (std::string_view line : lines) bytes += ToCp932(line) + "\r\n";
    return bytes;
}

// A file's whole content; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The worked example of a settings file, "Vesmer.ini" or "VesmerDlg.ini" of tests/data: as written
// after a Calculate with every input at its default, into an empty folder.
inline QByteArray ExampleFile(const QString& name) {
    return ReadBytes(QStringLiteral(VESMER_TEST_DATA "/") + name);
}
