#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <string_view>

#include "CivilDate.h"

// Code page 932 bytes of a UTF-8 text, CR LF between the given lines and after the last.
QByteArray Cp932Lines(std::initializer_list<std::string_view> lines);

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// True when this process can write into path although its permission bits forbid it (root).
bool PermissionsAreIgnored(const QString& folder);

// A fixed date for the current age, so that no result depends on the real date.
inline constexpr CivilDate kToday{2024, 6, 1};

// A fresh temporary folder for each test.
struct TempFolder {
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Root() const { return dir.path(); }
};

// Names the cases of a data-driven test after their name member.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& caseInfo) {
    return caseInfo.param.name;
}
