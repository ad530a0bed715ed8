#pragma once

#include <QTemporaryDir>

#include "engine/CivilDate.h"
#include "tests/support/TestFiles.h"

// A fixed date for the current age, so that no result depends on the real date.
inline constexpr CivilDate kToday{2024, 6, 1};

struct TempFolder {
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Root() const { return dir.path(); }
};
