#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "platform/WholeFile.h"
#include "settings/DialogState.h"
#include "settings/SettingsLocation.h"
#include "tests/export/FileTestSupport.h"
#include "tests/settings/SettingsTestSupport.h"

#ifndef _WIN32

namespace {

constexpr uid_t kNobody = 65534;

mode_t Mode(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct Saved {
    int era;
    std::string year;
    friend bool operator==(const Saved&, const Saved&) = default;
};

// What the window saves after a Calculate: the year as typed in one file, its era in the other.
bool Save(const Saved& saved, CSettingsLocation& location) {
    DialogInputs inputs;
    inputs.ResetInputs();
    inputs.m_nEra = saved.era;
    CHistoryData history;
    history.m_nBirthYear = std::stoi(saved.year);
    return SaveAfterCalculate(inputs, history, location);
}

Saved Load(CSettingsLocation& location) {
    DialogInputs inputs;
    CHistoryData history;
    LoadStartupInputs(inputs, history, location);
    return {inputs.m_nEra, inputs.m_strBirthYear};
}

enum class Place { Program, User, Nowhere };

struct PlaceCase {
    const char* name;
    mode_t programMode;
    bool programOfAnotherUser;  // the folder and the settings files in it
    int userMode;               // -1: the per-user folder does not exist yet
    Place expected;
    bool userOfAnotherUser = false;
};
void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsPlace : public testing::TestWithParam<PlaceCase> {
  protected:
    QString Program(const char* file = "") const { return m_folder.Path("bin/") + file; }
    QString User(const char* file = "") const { return m_folder.Path("config/Vesmer/") + file; }
    TempFolder m_folder;
};

TEST_P(SettingsPlace, OnlyAPrivateFolderHoldsSettings) {
    const PlaceCase& c = GetParam();
    if ((c.programOfAnotherUser || c.userOfAnotherUser) && !IsPrivileged())
        GTEST_SKIP() << "only root can do that";
    CSettingsLocation location(Program(), User());
    ASSERT_TRUE(QDir().mkpath(Program()));
    ASSERT_TRUE(Save({1, "30"}, location));  // beside the program, while it is still private
    const QByteArray planted = ReadBytes(Program("Vesmer.ini"));
    const uid_t owner = c.programOfAnotherUser ? kNobody : geteuid();
    for (const char* file : {"", "Vesmer.ini", "VesmerDlg.ini"})
        ASSERT_EQ(chown(QFile::encodeName(Program(file)).constData(), owner, owner), 0);
    ASSERT_EQ(chmod(QFile::encodeName(Program()).constData(), c.programMode), 0);
    if (c.userMode >= 0) {
        ASSERT_TRUE(QDir().mkpath(User()));
        const uid_t userOwner = c.userOfAnotherUser ? kNobody : geteuid();
        ASSERT_EQ(chown(QFile::encodeName(User()).constData(), userOwner, userOwner) |
                      chmod(QFile::encodeName(User()).constData(), c.userMode),
                  0);
    }

    const Saved seen = Load(location);
    EXPECT_EQ(seen, (c.expected == Place::Program ? Saved{1, "30"} : Saved{0, "1980"}));
    EXPECT_EQ(Save({2, "5"}, location), c.expected != Place::Nowhere);
    EXPECT_EQ(ReadBytes(Program("Vesmer.ini")) == planted, c.expected != Place::Program);
    EXPECT_EQ(QFileInfo::exists(User("VesmerDlg.ini")), c.expected == Place::User);
    if (c.expected == Place::User && c.userMode < 0) {
        EXPECT_EQ(Mode(User()), 0700u);
        EXPECT_EQ(Mode(User("Vesmer.ini")), 0600u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SettingsPlace,
    testing::Values(PlaceCase{"OwnPrivateFolder", 0700, false, 0700, Place::Program},
                    PlaceCase{"FolderTheGroupWrites", 0770, false, 0700, Place::User},
                    PlaceCase{"SharedFolder", 01777, false, 0700, Place::User},
                    PlaceCase{"FolderOfAnotherUser", 0755, true, 0700, Place::User},
                    PlaceCase{"UserFolderMadePrivate", 0777, false, -1, Place::User},
                    PlaceCase{"UserFolderTheGroupWrites", 0777, false, 0770, Place::User},
                    PlaceCase{"NoFolderOfOnesOwn", 0777, true, 0755, Place::Nowhere, true}),
    CaseName<PlaceCase>);

TEST(SettingsPlaceInstalled, InstallationsProgramFolderNeverQualifies) {
    EXPECT_FALSE(CSettingsLocation::ProgramFolderQualifies(QStringLiteral(VESMER_INSTALL_BINDIR)));
}

TEST(SettingsPair, SaveStoppedAtEveryStepLoadsAllOldOrAllNewInputs) {
    TempFolder folder;
    CSettingsLocation location = CSettingsLocation::InFolder(folder.Root());
    const Saved before{1, "55"};  // 昭和55年
    const Saved after{3, "3"};    // 令和3年
    std::string seen;
    for (int stop = 0; stop < 20; ++stop) {
        ASSERT_TRUE(Save(before, location));
        // What a stopped save left behind has been finished or removed.
        EXPECT_EQ(Entries(folder.Root()), (QStringList{"Vesmer.ini", "VesmerDlg.ini"}));
        bool stopped = false;
        SetWriteStepHookForTesting([&](int step) { return !(stopped = step == stop); });
        Save(after, location);
        SetWriteStepHookForTesting({});
        const Saved loaded = Load(location);
        seen += loaded == before ? 'o' : loaded == after ? 'n' : 'x';
        if (!stopped) break;
    }
    // Two temporary files, the commit, two replacements, the marker removed, then no stop.
    EXPECT_EQ(seen, "oonnnnn");
}

}  // namespace

#endif
