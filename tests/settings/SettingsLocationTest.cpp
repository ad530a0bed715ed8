#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

// The program's folder unless it cannot be written and holds neither settings file.
TEST(SettingsLocation, ProgramFolderUnlessItIsAnInstalledCopy) {
    const struct {
        bool writable;
        const char* existing;
        bool program;
    } cases[] = {{true, "", true},
                 {true, "Vesmer.ini", true},
                 {false, "", false},
                 {false, "Vesmer.ini", true},
                 {false, "VesmerDlg.ini", true},
                 {false, "Other.ini", false},
                 {false, "Vesmer.ini/", false}};
    for (const auto& c : cases) {
        TempFolder folder;
        const QString existing = folder.Path(QStringLiteral("program/")) + c.existing;
        ASSERT_TRUE(QDir().mkpath(existing.endsWith('/') ? existing
                                                         : folder.Path(QStringLiteral("program"))));
        if (!existing.endsWith('/')) {
            ASSERT_TRUE(WriteBytes(existing, ""));
        }
        const bool writable = c.writable;
        CSettingsLocation location(folder.Path(QStringLiteral("program")),
                                   folder.Path(QStringLiteral("user")),
                                   [&](const QString&) { return writable; });
        const QString expected =
            folder.Path(c.program ? QStringLiteral("program") : QStringLiteral("user"));
        location.SetProfileFile(true);
        EXPECT_EQ(location.ProfilePath(), expected + "/VesmerDlg.ini") << c.writable << c.existing;
        location.SetProfileFile(false);
        EXPECT_EQ(location.ProfilePath(), expected + "/Vesmer.ini") << c.writable << c.existing;
    }
}

TEST(SettingsLocation, WritableFolderCheckAndTheRealProgramFolder) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.Path(QStringLiteral("plain")), "x"));
    EXPECT_TRUE(CSettingsLocation::CanWriteFolder(folder.Root()));
    EXPECT_FALSE(CSettingsLocation::CanWriteFolder(folder.Path(QStringLiteral("plain"))));
    EXPECT_FALSE(CSettingsLocation::CanWriteFolder(folder.Path(QStringLiteral("missing"))));
    EXPECT_EQ(CSettingsLocation(folder.Path(QStringLiteral("plain/bin")), folder.Root()).Folder(),
              folder.Root());

    int argc = 1;
    char name[] = "settings_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const QString program = QDir::cleanPath(QCoreApplication::applicationDirPath());
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(CSettingsLocation::ForApplication().Folder(),
              CSettingsLocation::CanWriteFolder(program) ? program : user);
}

TEST(SettingsLocation, LaterChangeOfTheCurrentDirectoryDoesNotMoveTheFiles) {
    TempFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.Path(QStringLiteral("program"))));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.Root()));
    CSettingsLocation location(QStringLiteral("program"), QString());
    ASSERT_TRUE(QDir::setCurrent(folder.Path(QStringLiteral("program"))));
    SaveProfile(CHistoryData(), location);
    QDir::setCurrent(previous);
    EXPECT_TRUE(QFile::exists(folder.Path(QStringLiteral("program/Vesmer.ini"))));
    EXPECT_FALSE(QFile::exists(folder.Path(QStringLiteral("program/program/Vesmer.ini"))));
}

}  // namespace
