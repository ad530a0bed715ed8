#include <gtest/gtest.h>

#include <QDir>

#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

// The program's folder, unless it cannot be written and holds neither settings file.
TEST(SettingsLocation, ProgramFolderUnlessItIsAnInstalledCopy) {
    const struct {
        bool writable;
        const char* existing;  // in the program's folder; a name ending in '/' is a folder
        bool program;
    } cases[] = {{true, "", true},
                 {false, "", false},
                 {false, "Vesmer.ini", true},
                 {false, "VesmerDlg.ini", true},
                 {false, "Other.ini", false},
                 {false, "Vesmer.ini/", false}};
    for (const auto& c : cases) {
        TempFolder folder;
        const QString program = folder.Path(QStringLiteral("program/"));
        ASSERT_TRUE(QDir().mkpath(program + (QString(c.existing).endsWith('/') ? c.existing : "")));
        if (!QString(c.existing).endsWith('/') && *c.existing) {
            ASSERT_TRUE(WriteBytes(program + c.existing, ""));
        }
        const bool writable = c.writable;
        CSettingsLocation location(program, folder.Path(QStringLiteral("user")),
                                   [&](const QString&) { return writable; });
        const QString expected =
            folder.Path(c.program ? QStringLiteral("program") : QStringLiteral("user"));
        location.SetProfileFile(true);
        EXPECT_EQ(location.ProfilePath(), expected + "/VesmerDlg.ini") << c.writable << c.existing;
        location.SetProfileFile(false);
        EXPECT_EQ(location.ProfilePath(), expected + "/Vesmer.ini") << c.writable << c.existing;
    }
}

TEST(SettingsLocation, RelativeFolderIsTakenAgainstTheCurrentDirectoryOfTheStart) {
    TempFolder folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.Root()));
    CSettingsLocation location(QStringLiteral("program"), QString());
    QDir::setCurrent(QDir::tempPath());
    const QString path = location.ProfilePath();
    QDir::setCurrent(previous);
    EXPECT_EQ(path, QDir(folder.Root()).canonicalPath() + "/program/Vesmer.ini");
}

}  // namespace
