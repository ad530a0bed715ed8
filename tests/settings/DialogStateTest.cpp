#include <gtest/gtest.h>

#include <QFile>
#include <array>

#include "DialogInputs.h"
#include "DialogState.h"
#include "HistoryData.h"
#include "InputTransfer.h"
#include "SettingsLocation.h"
#include "SettingsTestSupport.h"

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

class DialogStateTest : public testing::Test {
  protected:
    QString HistoryPath() const { return m_folder.Path(QStringLiteral("Vesmer.ini")); }
    QString DialogPath() const { return m_folder.Path(QStringLiteral("VesmerDlg.ini")); }

    // A successful Calculate followed by the save that the window does after it.
    void CalculateAndSave(const DialogInputs& inputs) {
        CHistoryData history;
        int finalStage = 0;
        ASSERT_TRUE(Calculate(inputs, history, finalStage, kToday).ok);
        SaveAfterCalculate(inputs, history, m_location);
    }

    DialogInputs Defaults() const {
        DialogInputs inputs;
        inputs.ResetInputs();
        return inputs;
    }

    TempFolder m_folder;
    CSettingsLocation m_location{m_folder.Root(), QString()};
};

TEST_F(DialogStateTest, WorkedExamplesByteForByte) {
    CalculateAndSave(Defaults());
    EXPECT_EQ(ReadBytes(HistoryPath()),
              Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100", "誕生日=1980 1 1 0 0",
                          "小=1986 1992 72 0 0 2 0 0 4 3", "中=1992 1995 36 0 0 3 0 0 4 3",
                          "高=1995 1998 36 0 0 6 0 0 4 3", "短=0 0 24 0 0 0 0 0 4 3",
                          "専=0 0 24 0 0 0 0 0 4 3", "大=1998 2002 48 0 0 0 0 0 4 3",
                          "修=0 0 24 0 0 8 0 0 4 3", "博=0 0 36 0 0 0 0 0 4 3"}));
    EXPECT_EQ(ReadBytes(DialogPath()), Cp932Lines({"[VesmerDLGデータ]",
                                                   "INIファイルバージョン=100",
                                                   "歴=0",
                                                   "最終学歴=5",
                                                   "最終学歴をどうした=1",
                                                   "高校は=0",
                                                   "専門学校は=1",
                                                   "大学は=0",
                                                   "進学・編入=0",
                                                   "高校最終学年を飛び越えて大学へ=0",
                                                   "大学最終学年を飛び越えて大学院へ=0",
                                                   "大学は9月卒業または半年留年した=0",
                                                   "大学院がいきなり博士課程で4年制=0",
                                                   "修士課程1年短縮=0",
                                                   "博士課程1年短縮=0",
                                                   "小学校で上級学年に編入した=0",
                                                   "中学校で上級学年に編入した=0",
                                                   "大学は秋季入学した=0",
                                                   "大学院は秋季入学した=0",
                                                   "年齢を表示する=0"}));
}

TEST_F(DialogStateTest, TypedEraYearIsStoredAsTyped) {
    DialogInputs inputs = Defaults();
    inputs.m_nEra = 1;  // 昭和
    inputs.m_strBirthYear = "60";
    inputs.m_nFinalSchool = 6;  // 大学院修士
    inputs.m_nOutcome = 3;      // 2年目に中退
    inputs.m_bShowAge = 1;
    CalculateAndSave(inputs);
    const QByteArray history = ReadBytes(HistoryPath());
    EXPECT_TRUE(
        history.contains(Cp932Lines({"誕生日=60 1 1 0 0", "小=1991 1997 72 0 0 2 0 0 4 3"})));
    const QByteArray dialog = ReadBytes(DialogPath());
    for (const char* line : {"歴=1", "最終学歴=6", "最終学歴をどうした=3", "年齢を表示する=1"})
        EXPECT_TRUE(dialog.contains(Cp932Lines({line}))) << line;

    DialogInputs loaded;
    CHistoryData model;
    LoadStartupInputs(loaded, model, m_location);
    EXPECT_EQ(loaded.m_nEra, 1);
    EXPECT_EQ(loaded.m_strBirthYear, "60");

    // Without the dialog state file the stored year comes back with the default era.
    ASSERT_TRUE(QFile::remove(DialogPath()));
    LoadStartupInputs(loaded, model, m_location);
    EXPECT_EQ(loaded.m_nEra, 0);
    EXPECT_EQ(loaded.m_strBirthYear, "60");
}

TEST_F(DialogStateTest, MissingSelectionKeepsTheCurrentOneAndMissingCheckIsClear) {
    WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100",
                                         "最終学歴=7", "大学は秋季入学した=2"}));
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
    WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=99", "歴=3",
                                         "年齢を表示する=1"}));
    DialogInputs inputs = Defaults();
    EXPECT_FALSE(LoadDialogState(inputs, m_location));
    EXPECT_EQ(inputs.m_nEra, 0);
    EXPECT_EQ(inputs.m_bShowAge, 0);
}

TEST_F(DialogStateTest, StartupWithoutFilesShowsTheDefaults) {
    DialogInputs inputs;
    CHistoryData history;
    history.m_nBirthYear = 1;
    LoadStartupInputs(inputs, history, m_location);
    DialogInputs expected = Defaults();
    EXPECT_EQ(inputs.m_strBirthYear, "1980");
    EXPECT_EQ(inputs.m_strBirthMonth, "1");
    EXPECT_EQ(inputs.m_strBirthDay, "1");
    EXPECT_EQ(inputs.m_nFinalSchool, expected.m_nFinalSchool);
    EXPECT_EQ(inputs.m_nVocationalLength, expected.m_nVocationalLength);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        EXPECT_EQ(inputs.RoninText(stage), "0");
        EXPECT_EQ(inputs.RyunenText(stage), "0");
    }
    EXPECT_FALSE(QFile::exists(HistoryPath()));
}

TEST_F(DialogStateTest, StartupCopiesTheModelAndClearsUnknownSelections) {
    WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                          "誕生日=55 12 31 0 0", "高=0 0 36 2 -1"}));
    WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100",
                                         "最終学歴=9", "歴=-3", "大学は=4"}));
    DialogInputs inputs;
    CHistoryData history;
    LoadStartupInputs(inputs, history, m_location);
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
    CHistoryData history;
    int finalStage = 0;
    // Some combinations are refused by the checks; the files then stay as they were.
    if (!Calculate(inputs, history, finalStage, kToday).ok) GTEST_SKIP();
    SaveAfterCalculate(inputs, history, m_location);

    DialogInputs loaded;
    CHistoryData model;
    LoadStartupInputs(loaded, model, m_location);
    for (CheckMember member : kCheckMembers)
        EXPECT_EQ(loaded.*member, member == GetParam() ? 1 : 0);
    EXPECT_EQ(loaded.m_nFinalSchool, 7);
}

INSTANTIATE_TEST_SUITE_P(Checks, CheckRoundTrip, testing::ValuesIn(kCheckMembers));

}  // namespace
