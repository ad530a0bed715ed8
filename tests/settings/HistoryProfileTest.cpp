#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <climits>
#include <tuple>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr CivilDate kToday{2024, 6, 1};

// The ten stored numbers of a stage as they are written.
std::string Numbers(const StageRecord& stage) {
    std::string text = "previous";
    FormatStageRecord(stage, text);
    return text;
}

TEST(StageRecordText, TenNumbersInStoredOrderUntilTheFirstItemThatIsNone) {
    EXPECT_EQ(Numbers({-1, 2, INT_MAX, 4, 5, 6, 7, 8, 9, "x", 10, INT_MIN}),
              "-1 2 2147483647 4 5 6 7 8 10 -2147483648");
    for (const auto& [text, numbers] : {std::pair{"1 2 3 4 5 6 7 8 10 11", "1 2 3 4 5 6 7 8 10 11"},
                                        {"1 2 3 4 5 6 7 8 10 11 12", "1 2 3 4 5 6 7 8 10 11"},
                                        {"\t1-2 +3 ", "1 -2 3 9 9 9 9 9 9 9"},
                                        {"1 x 3", "1 9 9 9 9 9 9 9 9 9"},
                                        {"", "9 9 9 9 9 9 9 9 9 9"}}) {
        StageRecord stage = {9, 9, 9, 9, 9, 9, 9, 9, 9, "", 9, 9};
        ParseStageRecord(text, stage);
        EXPECT_EQ(Numbers(stage), numbers) << text;
        EXPECT_EQ(stage.nOutcome, 9);
    }
}

class HistoryProfileTest : public testing::Test {
  protected:
    QString FilePath() const { return m_folder.filePath(QStringLiteral("Vesmer.ini")); }
    bool Load(CHistoryData& history) const {
        return LoadProfile(history,
                           CIniFile(FilePath()).Read(kProfileSection, ProfileKeys(history)));
    }
    void WriteFile(std::initializer_list<std::string_view> lines) const {
        ASSERT_TRUE(WriteBytes(FilePath(), Cp932Lines(lines)));
    }

    QTemporaryDir m_folder;
};

// After a Calculate with the default inputs (final schooling 大学), into a folder without the file.
TEST_F(HistoryProfileTest, SavesTheWorkedExampleAndLoadsItBack) {
    CHistoryData history;
    history.Stage(STAGE_UNIVERSITY).nNextStage = STAGE_NONE;
    history.BuildHistoryText(kToday);
    history.m_nShowAge = 1;
    history.Stage(STAGE_UNIVERSITY).nOutcome = OUTCOME_DROPPED_OUT;
    ASSERT_TRUE(CIniFile(FilePath()).WriteStrings(kProfileSection, ProfileEntries(history)));
    EXPECT_EQ(ReadBytes(FilePath()), ExampleFile("Vesmer.ini"));

    CHistoryData loaded;
    loaded.m_nBirthYear = 1234;
    ASSERT_TRUE(Load(loaded));
    EXPECT_EQ(loaded.m_nBirthYear, 1980);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(Numbers(loaded.Stage(stage)), Numbers(history.Stage(stage))) << stage;
    EXPECT_EQ(loaded.Stage(STAGE_UNIVERSITY).nOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(loaded.m_nShowAge, 0);
}

TEST_F(HistoryProfileTest, ReadsNothingUnlessTheVersionIs100) {
    CHistoryData history;
    EXPECT_FALSE(Load(history));
    for (const char* version : {"INIファイルバージョン=99", "INIファイルバージョン=101",
                                "INIファイルバージョン=", "other=100"}) {
        WriteFile({"[Vesmerデータ]", version, "誕生日=1985 6 15 0 0", "小=1 2 3 4 5 6 7 8 9 10"});
        EXPECT_FALSE(Load(history)) << version;
        EXPECT_EQ(history.m_nBirthYear, 1980);
        EXPECT_EQ(Numbers(history.Stage(STAGE_ELEMENTARY)), "0 0 72 0 0 2 0 0 4 3");
    }
}

TEST_F(HistoryProfileTest, MissingKeysGiveTheDefaultDateAndZeros) {
    WriteFile({"[Vesmerデータ]", "INIファイルバージョン=100", "誕生日=1985 6", "中=-1 x"});
    CHistoryData history;
    history.m_nBirthDay = 9;
    ASSERT_TRUE(Load(history));
    EXPECT_EQ(std::tuple(history.m_nBirthYear, history.m_nBirthMonth, history.m_nBirthDay),
              std::tuple(1985, 6, 9));
    EXPECT_EQ(Numbers(history.Stage(STAGE_JUNIOR_HIGH)), "-1 0 36 0 0 3 0 0 4 3");
    EXPECT_EQ(Numbers(history.Stage(STAGE_DOCTOR)), "0 0 0 0 0 0 0 0 0 0");
    WriteFile({"[Vesmerデータ]", "INIファイルバージョン=100"});
    ASSERT_TRUE(Load(history));
    EXPECT_EQ(std::tuple(history.m_nBirthYear, history.m_nBirthMonth, history.m_nBirthDay),
              std::tuple(1980, 1, 1));
}

}  // namespace
