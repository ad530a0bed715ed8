#include <gtest/gtest.h>

#include <QDir>

#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

TEST(SettingsLocation, RelativeFolderIsTakenAgainstTheCurrentDirectoryOfTheStart) {
    TempFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.Path(QStringLiteral("program"))));
    ASSERT_TRUE(QFile::setPermissions(folder.Path(QStringLiteral("program")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.Root()));
    CSettingsLocation location(QStringLiteral("program"), QString());
    QDir::setCurrent(QDir::tempPath());
    const QString path = location.ProfilePath();
    QDir::setCurrent(previous);
    EXPECT_EQ(path, QDir(folder.Root()).canonicalPath() + "/program/Vesmer.ini");
}

}  // namespace
