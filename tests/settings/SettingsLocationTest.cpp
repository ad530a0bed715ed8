#include <gtest/gtest.h>

#include <QDir>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

TEST(SettingsLocation, RelativeFolderIsTakenAgainstTheCurrentDirectoryOfTheStart) {
    TempFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.Path(QStringLiteral("program"))));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.Root()));
    CSettingsLocation location(QStringLiteral("program"), QString());
    ASSERT_TRUE(QDir::setCurrent(folder.Path(QStringLiteral("program"))));
    SaveProfile(CHistoryData(), location);
    QDir::setCurrent(previous);
    EXPECT_TRUE(QFile::exists(folder.Path(QStringLiteral("program/Vesmer.ini"))));
    EXPECT_FALSE(QFile::exists(folder.Path(QStringLiteral("program/program"))));
}

}  // namespace
