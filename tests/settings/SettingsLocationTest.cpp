#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

class SettingsLocationTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(Program()));
        ASSERT_TRUE(QDir().mkpath(User()));
    }
    QString Program() const { return m_folder.Path(QStringLiteral("program")); }
    QString User() const { return m_folder.Path(QStringLiteral("user")); }

    TempFolder m_folder;
};

struct RuleCase {
    const char* name;
    bool programWritable;
    const char* existingFile;  // in the program folder, or nullptr
    bool expectProgram;
};

class LocationRule : public SettingsLocationTest, public testing::WithParamInterface<RuleCase> {};

TEST_P(LocationRule, ProgramFolderUnlessUnwritableAndEmpty) {
    const RuleCase& c = GetParam();
    if (c.existingFile) {
        ASSERT_TRUE(WriteBytes(Program() + "/" + c.existingFile, ""));
    }
    const bool writable = c.programWritable;
    CSettingsLocation location(Program(), User(), [&](const QString&) { return writable; });
    const QString expected = c.expectProgram ? Program() : User();
    EXPECT_EQ(location.Folder(), expected);
    location.SetProfileFile(true);
    EXPECT_EQ(location.ProfilePath(), expected + "/VesmerDlg.ini");
    location.SetProfileFile(false);
    EXPECT_EQ(location.ProfilePath(), expected + "/Vesmer.ini");
}

INSTANTIATE_TEST_SUITE_P(Rule, LocationRule,
                         testing::Values(RuleCase{"Writable", true, nullptr, true},
                                         RuleCase{"WritableWithFile", true, "Vesmer.ini", true},
                                         RuleCase{"InstalledCopy", false, nullptr, false},
                                         RuleCase{"UnwritableWithOtherFile", false, "Other.ini",
                                                  false}),
                         CaseName<RuleCase>);

TEST_F(SettingsLocationTest, ProgramFolderThatIsNoFolderSendsFilesToTheUserFolder) {
    EXPECT_EQ(CSettingsLocation(Program(), User()).Folder(), Program());
    ASSERT_TRUE(WriteBytes(m_folder.Path(QStringLiteral("plain")), "x"));
    EXPECT_EQ(CSettingsLocation(m_folder.Path(QStringLiteral("plain/bin")), User()).Folder(),
              User());
}

TEST_F(SettingsLocationTest, CurrentDirectoryDoesNotMoveTheFiles) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(User()));
    CSettingsLocation location(QStringLiteral("../program"), QString());
    ASSERT_TRUE(QDir::setCurrent(m_folder.Root()));

    CHistoryData saved;
    saved.m_nBirthYear = 1999;
    SaveProfile(saved, location);
    CHistoryData loaded;
    const bool read = LoadProfile(loaded, location);
    QDir::setCurrent(previous);

    EXPECT_TRUE(read);
    EXPECT_EQ(loaded.m_nBirthYear, 1999);
    EXPECT_TRUE(QFile::exists(Program() + "/Vesmer.ini"));
    EXPECT_EQ(QDir(m_folder.Root()).entryList(QDir::Files), QStringList());
}

TEST(SettingsLocationApplication, UsesTheProgramsOwnFolder) {
    int argc = 1;
    char name[] = "settings_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const CSettingsLocation location = CSettingsLocation::ForApplication();
    const QString program = QDir::cleanPath(QCoreApplication::applicationDirPath());
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(location.Folder(),
              CSettingsLocation::ProgramFolderQualifies(program) ? program : user);
}

}  // namespace
