#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsLocation.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

using Numbers = std::array<int, 10>;

Numbers NumbersOf(const StageRecord& stage) {
    return {stage.nEntryYear,   stage.nLeaveYear, stage.nCourseMonths,  stage.nRoninYears,
            stage.nRyunenYears, stage.nNextStage, stage.nTransferGrade, stage.nEndGrade,
            stage.nEntryMonth,  stage.nLeaveMonth};
}

TEST(StageRecordText, TenNumbersInStoredOrderUntilTheFirstItemThatIsNone) {
    const std::pair<const char*, Numbers> cases[] = {
        {"1 2 3 4 5 6 7 8 10 11", {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}},
        {"1 2 3 4 5 6 7 8 10 11 12", {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}},
        {"\t1-2 +3 ", {1, -2, 3, 9, 9, 9, 9, 9, 9, 9}},
        {"1 x 3", {1, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"1,2", {1, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"", {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}}};
    for (const auto& [text, numbers] : cases) {
        StageRecord stage = {9, 9, 9, 9, 9, 9, 9, 9, 9, "", 9, 9};
        ParseStageRecord(text, stage);
        EXPECT_EQ(NumbersOf(stage), numbers) << text;
        EXPECT_EQ(stage.nOutcome, 9);
    }
    std::string value = "previous";
    FormatStageRecord({-1, 2, INT_MAX, 4, 5, 6, 7, 8, 9, "x", 10, INT_MIN}, value);
    EXPECT_EQ(value, "-1 2 2147483647 4 5 6 7 8 10 -2147483648");
}

class HistoryProfileTest : public testing::Test {
  protected:
    QString FilePath() const { return m_folder.Path(QStringLiteral("Vesmer.ini")); }

    TempFolder m_folder;
    CSettingsLocation m_location{m_folder.Root(), QString()};
};

// After a Calculate with the default inputs, into a folder without the file.
TEST_F(HistoryProfileTest, SavesTheWorkedExampleAndLoadsItBack) {
    CHistoryData history;
    history.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_NONE;
    history.BuildHistoryText(kToday);
    history.m_nShowAge = 1;
    history.Stage(STAGE_UNIVERSITY).nOutcome = OUTCOME_DROPPED_OUT;
    m_location.SetProfileFile(true);
    SaveProfile(history, m_location);
    EXPECT_EQ(ReadBytes(FilePath()), HistoryFileExample());

    CHistoryData loaded;
    loaded.m_nBirthYear = 1234;
    ASSERT_TRUE(LoadProfile(loaded, m_location));
    EXPECT_EQ(loaded.m_nBirthYear, 1980);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(NumbersOf(loaded.Stage(stage)), NumbersOf(history.Stage(stage))) << stage;
    EXPECT_EQ(loaded.Stage(STAGE_UNIVERSITY).nOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(loaded.m_nShowAge, 0);
}

TEST_F(HistoryProfileTest, ReadsNothingUnlessTheVersionIs100) {
    CHistoryData history;
    EXPECT_FALSE(LoadProfile(history, m_location));
    for (const char* version : {"INIファイルバージョン=99", "INIファイルバージョン=101",
                                "INIファイルバージョン=", "other=100"}) {
        ASSERT_TRUE(
            WriteBytes(FilePath(), Cp932Lines({"[Vesmerデータ]", version, "誕生日=1985 6 15 0 0",
                                               "小=1 2 3 4 5 6 7 8 9 10"})));
        EXPECT_FALSE(LoadProfile(history, m_location)) << version;
        EXPECT_EQ(history.m_nBirthYear, 1980);
        EXPECT_EQ(NumbersOf(history.Stage(STAGE_ELEMENTARY)),
                  NumbersOf(CHistoryData().Stage(STAGE_ELEMENTARY)));
    }
}

TEST_F(HistoryProfileTest, MissingKeysGiveTheDefaultDateAndZeros) {
    ASSERT_TRUE(WriteBytes(FilePath(),
                           Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100", "中=-1 x"})));
    CHistoryData history;
    history.m_nBirthYear = 1234;
    history.m_nBirthDay = 9;
    ASSERT_TRUE(LoadProfile(history, m_location));
    EXPECT_EQ(history.m_nBirthYear, 1980);
    EXPECT_EQ(history.m_nBirthDay, 1);
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_ELEMENTARY)), Numbers{});
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_JUNIOR_HIGH))[0], -1);
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_JUNIOR_HIGH))[2], 36);
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_DOCTOR)), Numbers{});
}

}  // namespace
