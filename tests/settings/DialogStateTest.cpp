#include <gtest/gtest.h>

#include <QFile>
#include <array>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/InputTransfer.h"
#include "settings/DialogState.h"
#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

using CheckMember = int DialogInputs::*;

const std::array<CheckMember, 11> kCheckMembers = {&DialogInputs::m_bElementaryTransfer,
                                                   &DialogInputs::m_bJuniorHighTransfer,
                                                   &DialogInputs::m_bSkipHighSchoolLastYear,
                                                   &DialogInputs::m_bUniversityAutumnEntry,
                                                   &DialogInputs::m_bUniversityHalfYear,
                                                   &DialogInputs::m_bSkipUniversityLastYear,
                                                   &DialogInputs::m_bGraduateAutumnEntry,
                                                   &DialogInputs::m_bDirectDoctor,
                                                   &DialogInputs::m_bShortenMaster,
                                                   &DialogInputs::m_bShortenDoctor,
                                                   &DialogInputs::m_bShowAge};

DialogInputs Defaults() {
    DialogInputs inputs;
    inputs.ResetInputs();
    return inputs;
}

class DialogStateTest : public testing::Test {
  protected:
    QString HistoryPath() const { return m_folder.Path(QStringLiteral("Vesmer.ini")); }
    QString DialogPath() const { return m_folder.Path(QStringLiteral("VesmerDlg.ini")); }

    // A Calculate and, when it succeeds, the save that the window does after it.
    bool CalculateAndSave(const DialogInputs& inputs) {
        CHistoryData history;
        if (!Calculate(inputs, history, kToday).ok) return false;
        SaveAfterCalculate(inputs, history, m_location);
        return true;
    }

    DialogInputs LoadStartup() {
        DialogInputs inputs;
        CHistoryData history;
        LoadStartupInputs(inputs, history, m_location);
        return inputs;
    }

    TempFolder m_folder;
    CSettingsLocation m_location{m_folder.Root(), QString()};
};

TEST_F(DialogStateTest, WorkedExamplesByteForByte) {
    ASSERT_TRUE(CalculateAndSave(Defaults()));
    EXPECT_EQ(ReadBytes(HistoryPath()), HistoryFileExample());
    EXPECT_EQ(ReadBytes(DialogPath()), DialogStateFileExample());
}

TEST_F(DialogStateTest, TypedEraYearIsStoredAsTyped) {
    DialogInputs inputs = Defaults();
    inputs.m_nEra = 1;  // 昭和
    inputs.m_strBirthYear = "60";
    inputs.m_nFinalSchool = 6;  // 大学院修士
    inputs.m_nOutcome = 3;      // 2年目に中退
    inputs.m_bShowAge = 1;
    ASSERT_TRUE(CalculateAndSave(inputs));
    EXPECT_TRUE(ReadBytes(HistoryPath())
                    .contains(Cp932Lines({"誕生日=60 1 1 0 0", "小=1991 1997 72 0 0 2 0 0 4 3"})));
    const QByteArray dialog = ReadBytes(DialogPath());
    for (const char* line : {"歴=1", "最終学歴=6", "最終学歴をどうした=3", "年齢を表示する=1"})
        EXPECT_TRUE(dialog.contains(Cp932Lines({line}))) << line;

    DialogInputs loaded = LoadStartup();
    EXPECT_EQ(loaded.m_nEra, 1);
    EXPECT_EQ(loaded.m_strBirthYear, "60");
    // Without the dialog state file the stored year comes back with the default era.
    ASSERT_TRUE(QFile::remove(DialogPath()));
    loaded = LoadStartup();
    EXPECT_EQ(loaded.m_nEra, 0);
    EXPECT_EQ(loaded.m_strBirthYear, "60");
}

TEST_F(DialogStateTest, MissingSelectionKeepsTheCurrentOneAndMissingCheckIsClear) {
    ASSERT_TRUE(
        WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100",
                                             "最終学歴=7", "大学は秋季入学した=2"})));
    DialogInputs inputs = Defaults();
    inputs.m_nEra = 2;
    inputs.m_nProgression = 4;
    inputs.m_bShowAge = 1;
    ASSERT_TRUE(LoadDialogState(inputs, m_location));
    EXPECT_EQ(inputs.m_nFinalSchool, 7);
    EXPECT_EQ(inputs.m_nEra, 2);
    EXPECT_EQ(inputs.m_nProgression, 4);
    EXPECT_EQ(inputs.m_nOutcome, 1);
    EXPECT_EQ(inputs.m_bShowAge, 0);
    EXPECT_EQ(inputs.m_bUniversityAutumnEntry, 2);  // no range test when reading
}

TEST_F(DialogStateTest, OtherVersionReadsNothing) {
    ASSERT_TRUE(WriteBytes(
        DialogPath(),
        Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=99", "歴=3", "年齢を表示する=1"})));
    DialogInputs inputs = Defaults();
    EXPECT_FALSE(LoadDialogState(inputs, m_location));
    EXPECT_EQ(inputs.m_nEra, 0);
    EXPECT_EQ(inputs.m_bShowAge, 0);
}

TEST_F(DialogStateTest, StartupWithoutFilesResetsTheModel) {
    DialogInputs inputs;
    CHistoryData history;
    history.m_nBirthYear = 1;
    LoadStartupInputs(inputs, history, m_location);
    EXPECT_EQ(inputs.m_strBirthYear, "1980");
    EXPECT_EQ(inputs.RyunenText(STAGE_DOCTOR), "0");
    EXPECT_FALSE(QFile::exists(HistoryPath()));
}

TEST_F(DialogStateTest, StartupCopiesTheModelAndClearsUnknownSelections) {
    ASSERT_TRUE(WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                                      "誕生日=55 12 31 0 0", "高=0 0 36 2 -1"})));
    ASSERT_TRUE(
        WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100",
                                             "最終学歴=9", "歴=-3", "大学は=4"})));
    const DialogInputs inputs = LoadStartup();
    EXPECT_EQ(inputs.m_strBirthYear, "55");
    EXPECT_EQ(inputs.m_strBirthMonth, "12");
    EXPECT_EQ(inputs.m_strBirthDay, "31");
    EXPECT_EQ(inputs.RoninText(STAGE_HIGH_SCHOOL), "2");
    EXPECT_EQ(inputs.RyunenText(STAGE_HIGH_SCHOOL), "-1");
    EXPECT_EQ(inputs.RoninText(STAGE_ELEMENTARY), "0");  // missing stage key: zeros
    EXPECT_EQ(inputs.m_nFinalSchool, -1);
    EXPECT_EQ(inputs.m_nEra, -1);
    EXPECT_EQ(inputs.m_nUniversityLength, 4);
}

class CheckRoundTrip : public DialogStateTest, public testing::WithParamInterface<CheckMember> {};

TEST_P(CheckRoundTrip, EachCheckComesBackAlone) {
    DialogInputs inputs = Defaults();
    inputs.m_nFinalSchool = 7;  // 大学院博士: every check box applies
    inputs.*GetParam() = 1;
    // Some combinations are refused by the checks; the files then stay as they were.
    if (!CalculateAndSave(inputs)) GTEST_SKIP();
    const DialogInputs loaded = LoadStartup();
    for (CheckMember member : kCheckMembers)
        EXPECT_EQ(loaded.*member, member == GetParam() ? 1 : 0);
    EXPECT_EQ(loaded.m_nFinalSchool, 7);
}

INSTANTIATE_TEST_SUITE_P(Checks, CheckRoundTrip, testing::ValuesIn(kCheckMembers));

}  // namespace
