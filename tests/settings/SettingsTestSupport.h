#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "engine/CivilDate.h"
#include "tests/support/TestFiles.h"

// A fixed date for the current age, so that no result depends on the real date.
inline constexpr CivilDate kToday{2024, 6, 1};

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
