#include "SettingsTestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileDevice>

#include "Cp932.h"

QByteArray Cp932Lines(std::initializer_list<std::string_view> lines) {
    QByteArray bytes;
    for (std::string_view line : lines) bytes += ToCp932(line) + "\r\n";
    return bytes;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool PermissionsAreIgnored(const QString& folder) {
    const QString probe = folder + QStringLiteral("/.probe");
    QFile file(probe);
    const bool written = file.open(QIODevice::WriteOnly);
    file.close();
    if (written) QFile::remove(probe);
    return written;
}
