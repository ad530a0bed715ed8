#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <tuple>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "settings/DialogState.h"
#include "settings/HistoryProfile.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"
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

class SettingsFilesTest : public testing::Test {
  protected:
    QString DialogPath() const { return m_folder.filePath(QStringLiteral("VesmerDlg.ini")); }
    QString HistoryPath() const { return m_folder.filePath(QStringLiteral("Vesmer.ini")); }

    // A Calculate and the save that the window does after it.
    void CalculateAndSave(const DialogInputs& inputs) {
        CHistoryData history;
        ASSERT_TRUE(Calculate(inputs, history, kToday).ok);
        ASSERT_TRUE(SaveAfterCalculate(inputs, history, m_location));
    }
    DialogInputs LoadStartup(CHistoryData& history) {
        DialogInputs inputs;
        LoadStartupInputs(inputs, history, m_location);
        return inputs;
    }
    DialogInputs LoadStartup() {
        CHistoryData history;
        return LoadStartup(history);
    }

    QTemporaryDir m_folder;
    CSettingsLocation m_location{m_folder.path(), QString()};
};

// The files after a Calculate with every input at its default, and what comes back of them: the
// stage numbers, but not how the last stage ended or whether the age is shown.
TEST_F(SettingsFilesTest, WorkedExamplesByteForByteAndWhatComesBack) {
    const DialogInputs inputs;
    CHistoryData history;
    ASSERT_TRUE(Calculate(inputs, history, kToday).ok);
    history.Stage(STAGE_UNIVERSITY).nOutcome = OUTCOME_DROPPED_OUT;
    history.m_nShowAge = 1;
    ASSERT_TRUE(SaveAfterCalculate(inputs, history, m_location));
    EXPECT_EQ(ReadBytes(HistoryPath()), ExampleFile("Vesmer.ini"));
    EXPECT_EQ(ReadBytes(DialogPath()), ExampleFile("VesmerDlg.ini"));

    CHistoryData loaded;
    loaded.m_nBirthYear = 1234;
    EXPECT_EQ(LoadStartup(loaded).m_strBirthYear, "1980");
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(Numbers(loaded.Stage(stage)), Numbers(history.Stage(stage))) << stage;
    EXPECT_EQ(loaded.Stage(STAGE_UNIVERSITY).nOutcome, OUTCOME_COMPLETED);
    EXPECT_EQ(loaded.m_nShowAge, 0);
}

TEST_F(SettingsFilesTest, EveryStoredChoiceComesBackAloneAndTheYearAsTyped) {
    for (const InputField* field : SettingsOrder()) {
        DialogInputs inputs;
        inputs.m_nEra = 1;  // 昭和
        inputs.m_strBirthYear = "6";
        inputs.m_strRyunenDoctor = "2";
        inputs.m_nFinalSchool = 7;
        inputs.*field->number = field->kind == InputKind::List ? 3 : 1;
        if (field->control == Control::UniversityLength) inputs.m_nFinalSchool = 5;
        CalculateAndSave(inputs);
        const DialogInputs loaded = LoadStartup();
        for (const InputField* other : SettingsOrder())
            EXPECT_EQ(loaded.*other->number, inputs.*other->number) << field->name << other->name;
        EXPECT_EQ(loaded.m_strBirthYear, "6");
        EXPECT_EQ(loaded.m_strRyunenDoctor, "2");
    }
    // Without the dialog state file the stored year comes back with the default era.
    ASSERT_TRUE(QFile::remove(DialogPath()));
    EXPECT_EQ(LoadStartup().m_nEra, 0);
    EXPECT_EQ(LoadStartup().m_strBirthYear, "6");
}

// Neither file is read unless it carries version 100.
TEST_F(SettingsFilesTest, NothingIsReadUnlessTheVersionIs100) {
    for (const char* version : {"INIファイルバージョン=99", "INIファイルバージョン=101",
                                "INIファイルバージョン=", "other=100"}) {
        ASSERT_TRUE(
            WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", version, "誕生日=1985 6 15 0 0",
                                                  "小=1 2 3 4 5 6 7 8 9 10"})));
        ASSERT_TRUE(WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", version, "歴=3"})));
        CHistoryData history;
        const DialogInputs loaded = LoadStartup(history);
        EXPECT_EQ(std::tuple(loaded.m_nEra, loaded.m_strBirthYear, loaded.m_strRoninElementary),
                  std::tuple(0, std::string("1980"), std::string("0")))
            << version;
        EXPECT_EQ(Numbers(history.Stage(STAGE_ELEMENTARY)), "0 0 72 0 0 2 0 0 4 3");
    }
}

TEST_F(SettingsFilesTest, MissingKeysAndIndicesOutsideTheLists) {
    ASSERT_TRUE(WriteBytes(
        DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100", "最終学歴=9",
                                  "歴=-3", "大学は=4", "大学は秋季入学した=2"})));
    DialogInputs inputs;
    inputs.m_nProgression = 4;
    inputs.m_bShowAge = 1;
    ASSERT_TRUE(LoadDialogState(
        inputs, CIniFile(DialogPath()).Read(kDialogStateSection, DialogStateKeys())));
    EXPECT_EQ(inputs.m_nProgression, 4);  // a missing list key keeps the selection
    EXPECT_EQ(inputs.m_bShowAge, 0);      // a missing check key clears the box
    EXPECT_EQ(inputs.m_bUniversityAutumnEntry, 2);
    const DialogInputs loaded = LoadStartup();
    EXPECT_EQ(std::tuple(loaded.m_nFinalSchool, loaded.m_nEra, loaded.m_nUniversityLength),
              std::tuple(-1, -1, 4));

    // A missing day keeps the model's, and a stage's numbers after one that is none are zeros.
    ASSERT_TRUE(WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                                      "誕生日=1985 6", "中=-1 x"})));
    CHistoryData history;
    history.m_nBirthDay = 9;
    ASSERT_TRUE(
        LoadProfile(history, CIniFile(HistoryPath()).Read(kProfileSection, ProfileKeys(history))));
    EXPECT_EQ(std::tuple(history.m_nBirthYear, history.m_nBirthMonth, history.m_nBirthDay),
              std::tuple(1985, 6, 9));
    EXPECT_EQ(Numbers(history.Stage(STAGE_JUNIOR_HIGH)), "-1 0 36 0 0 3 0 0 4 3");
    EXPECT_EQ(Numbers(history.Stage(STAGE_DOCTOR)), "0 0 0 0 0 0 0 0 0 0");
    // A stored birth date that does not exist is shown as stored (Calculate refuses it).
    ASSERT_TRUE(WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                                      "誕生日=1981 2 29 0 0"})));
    const DialogInputs stored = LoadStartup();
    EXPECT_EQ(stored.m_strBirthMonth + "/" + stored.m_strBirthDay, "2/29");
}

// No folder is no place: nothing is written at the file system's root.
TEST(SettingsFolder, SaveWithoutAFolderIsRefused) {
    std::string error;
    EXPECT_FALSE(SaveSettingsFolder(QString(), DialogInputs(), CHistoryData(), error));
    EXPECT_EQ(error, "--save にフォルダーを指定してください。");
}

}  // namespace
