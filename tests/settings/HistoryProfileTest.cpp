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

StageRecord Filled(int value) {
    StageRecord stage;
    stage.nEntryYear = stage.nLeaveYear = stage.nCourseMonths = stage.nRoninYears = value;
    stage.nRyunenYears = stage.nNextStage = stage.nTransferGrade = stage.nEndGrade = value;
    stage.nEntryMonth = stage.nLeaveMonth = stage.nOutcome = value;
    return stage;
}

struct ScanCase {
    const char* name;
    std::string value;
    Numbers expected;  // 9: kept from before
};

class StageScan : public testing::TestWithParam<ScanCase> {};

TEST_P(StageScan, TakesNumbersUntilTheFirstItemThatIsNone) {
    StageRecord stage = Filled(9);
    ParseStageRecord(GetParam().value, stage);
    EXPECT_EQ(NumbersOf(stage), GetParam().expected);
    EXPECT_EQ(stage.nOutcome, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, StageScan,
    testing::Values(
        ScanCase{"Ten", "1 2 3 4 5 6 7 8 10 11", {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}},
        ScanCase{"FiveOnly", "0 0 36 2 1", {0, 0, 36, 2, 1, 9, 9, 9, 9, 9}},
        ScanCase{"ExtraIgnored", "1 2 3 4 5 6 7 8 10 11 12", {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}},
        ScanCase{"StopsAtText", "1 2 x 4", {1, 2, 9, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"StopsAtComma", "1,2", {1, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"SignAfterNumber", "1-2+3", {1, -2, 3, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"BlanksAndTabs", "\t 1 \t\t-2  +3 ", {1, -2, 3, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"LoneSign", "1 - 2", {1, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"Clamped", "99999999999 -99999999999", {INT_MAX, INT_MIN, 9, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"FullWidthDigits", "１ 2", {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        ScanCase{"Empty", "", {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}}),
    CaseName<ScanCase>);

TEST(StageFormat, WritesTheTenNumbersInStoredOrder) {
    StageRecord stage = Filled(0);
    stage.nEntryYear = -1;
    stage.nLeaveMonth = INT_MIN;
    stage.nCourseMonths = INT_MAX;
    std::string value = "previous";
    FormatStageRecord(stage, value);
    EXPECT_EQ(value, "-1 0 2147483647 0 0 0 0 0 0 -2147483648");
}

class HistoryProfileTest : public testing::Test {
  protected:
    QString FilePath() const { return m_folder.Path(QStringLiteral("Vesmer.ini")); }

    TempFolder m_folder;
    CSettingsLocation m_location{m_folder.Root(), QString()};
};

TEST_F(HistoryProfileTest, MissingFileOrVersionOtherThan100ReadsNothing) {
    CHistoryData history;
    EXPECT_FALSE(LoadProfile(history, m_location));
    for (const char* version : {"INIファイルバージョン=99", "INIファイルバージョン=0",
                                "INIファイルバージョン=abc", "other=100"}) {
        ASSERT_TRUE(
            WriteBytes(FilePath(), Cp932Lines({"[Vesmerデータ]", version, "誕生日=1985 6 15 0 0",
                                               "小=1 2 3 4 5 6 7 8 9 10"})));
        history.m_nBirthYear = 1234;
        EXPECT_FALSE(LoadProfile(history, m_location)) << version;
        EXPECT_EQ(history.m_nBirthYear, 1234);
        EXPECT_EQ(NumbersOf(history.Stage(STAGE_ELEMENTARY)),
                  NumbersOf(CHistoryData().Stage(STAGE_ELEMENTARY)));
    }
}

TEST_F(HistoryProfileTest, MissingAndShortValues) {
    ASSERT_TRUE(WriteBytes(FilePath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                                   "誕生日=1985 6", "小=0 0 36 2 1", "中=-1 x"})));
    CHistoryData history;
    ASSERT_TRUE(LoadProfile(history, m_location));
    EXPECT_EQ(history.m_nBirthYear, 1985);
    EXPECT_EQ(history.m_nBirthMonth, 6);
    EXPECT_EQ(history.m_nBirthDay, 1);
    const Numbers reset = NumbersOf(CHistoryData().Stage(STAGE_ELEMENTARY));
    const Numbers elementary = NumbersOf(history.Stage(STAGE_ELEMENTARY));
    EXPECT_EQ((Numbers{0, 0, 36, 2, 1, reset[5], reset[6], reset[7], reset[8], reset[9]}),
              elementary);
    EXPECT_EQ(history.Stage(STAGE_JUNIOR_HIGH).nEntryYear, -1);
    // A missing stage key reads as ten zeros.
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_HIGH_SCHOOL)), Numbers{});
    EXPECT_EQ(NumbersOf(history.Stage(STAGE_DOCTOR)), Numbers{});
}

TEST_F(HistoryProfileTest, MissingBirthdayKeyGivesTheDefaultDate) {
    ASSERT_TRUE(
        WriteBytes(FilePath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100"})));
    CHistoryData history;
    history.m_nBirthYear = 1234;
    history.m_nBirthDay = 9;
    ASSERT_TRUE(LoadProfile(history, m_location));
    EXPECT_EQ(history.m_nBirthYear, 1980);
    EXPECT_EQ(history.m_nBirthDay, 1);
}

TEST_F(HistoryProfileTest, SaveRewritesValuesInPlaceAndKeepsOtherLines) {
    ASSERT_TRUE(WriteBytes(
        FilePath(),
        Cp932Lines({"; kept", "[Vesmerデータ]", "誕生日=1985 6 15 7 8", "unknown=keep me",
                    "INIファイルバージョン=99", "", "[他]", "小=1"})));
    CHistoryData history;
    history.m_nBirthYear = 1985;
    history.m_nBirthMonth = 6;
    history.m_nBirthDay = 15;
    SaveProfile(history, m_location);
    EXPECT_EQ(
        ReadBytes(FilePath()),
        Cp932Lines({"; kept", "[Vesmerデータ]", "誕生日=1985 6 15 0 0", "unknown=keep me",
                    "INIファイルバージョン=100", "小=0 0 72 0 0 2 0 0 4 3",
                    "中=0 0 36 0 0 3 0 0 4 3", "高=0 0 36 0 0 6 0 0 4 3", "短=0 0 24 0 0 0 0 0 4 3",
                    "専=0 0 24 0 0 0 0 0 4 3", "大=0 0 48 0 0 7 0 0 4 3", "修=0 0 24 0 0 8 0 0 4 3",
                    "博=0 0 36 0 0 0 0 0 4 3", "", "[他]", "小=1"}));

    CHistoryData loaded;
    ASSERT_TRUE(LoadProfile(loaded, m_location));
    EXPECT_EQ(loaded.m_nBirthDay, 15);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(NumbersOf(loaded.Stage(stage)), NumbersOf(history.Stage(stage))) << stage;
}

}  // namespace
