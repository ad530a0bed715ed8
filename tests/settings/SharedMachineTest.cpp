#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "platform/WholeFile.h"
#include "settings/DialogState.h"
#include "settings/SettingsLocation.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

using Saved = std::pair<int, std::string>;  // era, birth year as typed

// As the window saves after a Calculate: the year as typed in one file, its era in the other.
bool Save(const Saved& saved, CSettingsLocation& location) {
    DialogInputs inputs;
    inputs.m_nEra = saved.first;
    CHistoryData history;
    history.m_nBirthYear = std::stoi(saved.second);
    return SaveAfterCalculate(inputs, history, location);
}

Saved Load(CSettingsLocation& location) {
    DialogInputs inputs;
    CHistoryData history;
    LoadStartupInputs(inputs, history, location);
    return {inputs.m_nEra, inputs.m_strBirthYear};
}

enum class Place { Program, User, Nowhere };

// Gives path (and, for the program folder, the settings files in it) to nobody or to this user.
bool Own(const QString& path, bool ofAnotherUser, mode_t mode) {
    const uid_t owner = ofAnotherUser ? kNobody : geteuid();
    for (const char* file : {"", "Vesmer.ini", "VesmerDlg.ini"})
        chown(QFile::encodeName(path + file).constData(), owner, owner);
    return chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Settings are read and written only in a folder that no other user can write or own: the
// program's folder when it is private, else the per-user folder.
TEST(SettingsPlace, OnlyAPrivateFolderHoldsSettings) {
    const struct {
        const char* name;
        mode_t programMode;
        bool programOfAnotherUser;  // the folder and the settings files in it
        int userMode;               // -1: the per-user folder does not exist yet
        Place expected;
        bool userOfAnotherUser = false;
    } cases[] = {{"OwnPrivateFolder", 0700, false, 0700, Place::Program},
                 {"FolderTheGroupWrites", 0770, false, 0700, Place::User},
                 {"SharedFolder", 01777, false, 0700, Place::User},
                 {"FolderOfAnotherUser", 0755, true, 0700, Place::User},
                 {"NoUserFolderYet", 0777, false, -1, Place::User},
                 {"UserFolderTheGroupWrites", 0777, false, 0770, Place::User},
                 {"NoFolderOfOnesOwn", 0777, true, 0755, Place::Nowhere, true}};
    for (const auto& c : cases) {
        if ((c.programOfAnotherUser || c.userOfAnotherUser) && !IsPrivileged()) continue;
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString program = folder.filePath("bin/");
        const QString user = folder.filePath("config/Vesmer/");
        CSettingsLocation location(program, user);
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(Save({1, "30"}, location));  // beside the program, while it is still private
        const QByteArray planted = ReadBytes(program + "Vesmer.ini");
        ASSERT_TRUE(Own(program, c.programOfAnotherUser, c.programMode));
        if (c.userMode >= 0) {
            ASSERT_TRUE(QDir().mkpath(user) && Own(user, c.userOfAnotherUser, c.userMode));
        }

        EXPECT_EQ(Load(location),
                  (c.expected == Place::Program ? Saved{1, "30"} : Saved{0, "1980"}));
        EXPECT_EQ(Save({2, "5"}, location), c.expected != Place::Nowhere);
        EXPECT_EQ(ReadBytes(program + "Vesmer.ini") == planted, c.expected != Place::Program);
        EXPECT_EQ(QFileInfo::exists(user + "VesmerDlg.ini"), c.expected == Place::User);
    }
}

TEST(SettingsPair, SaveStoppedAtEveryStepLoadsAllOldOrAllNewInputs) {
    QTemporaryDir folder;
    CSettingsLocation location = CSettingsLocation::InFolder(folder.path());
    const Saved before{1, "55"}, after{3, "3"};  // 昭和55年, 令和3年
    std::string seen;
    for (int stop = 0; stop < 20; ++stop) {
        ASSERT_TRUE(Save(before, location));
        // What a stopped save left behind has been finished or removed.
        EXPECT_EQ(Entries(folder.path()), (QStringList{"Vesmer.ini", "VesmerDlg.ini"}));
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
