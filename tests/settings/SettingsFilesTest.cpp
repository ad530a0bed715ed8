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
    for (const auto& [text, numbers] :
         {std::pair{"1 2 3 4 5 6 7 8 10 11 12", "1 2 3 4 5 6 7 8 10 11"},
          {"\t1-2 +3 ", "1 -2 3 9 9 9 9 9 9 9"},
          {"1 x 3", "1 9 9 9 9 9 9 9 9 9"}}) {
        StageRecord stage = {9, 9, 9, 9, 9, 9, 9, 9, 9, "", 9, 9};
        ParseStageRecord(text, stage);
        EXPECT_EQ(Numbers(stage), numbers) << text;
    }
}

class SettingsFilesTest : public testing::Test {
  protected:
    QString DialogPath() const { return m_folder.filePath(QStringLiteral("VesmerDlg.ini")); }
    QString HistoryPath() const { return m_folder.filePath(QStringLiteral("Vesmer.ini")); }

    // The window's inputs at start, and its model in history where given.
    DialogInputs LoadStartup(CHistoryData* history = nullptr) {
        DialogInputs inputs;
        CHistoryData own;
        LoadStartupInputs(inputs, history ? *history : own, m_location);
        return inputs;
    }

    QTemporaryDir m_folder;
    CSettingsLocation m_location{m_folder.path(), QString()};
};

// The files after a Calculate with every input at its default, into an empty folder, are the
// worked examples of tests/data (how the last stage ended and whether the age is shown are not
// stored); the stage numbers come back of them.
TEST_F(SettingsFilesTest, WorkedExamplesByteForByteAndWhatComesBack) {
    const DialogInputs inputs;
    CHistoryData history;
    ASSERT_TRUE(Calculate(inputs, history, kToday).ok);
    history.Stage(STAGE_UNIVERSITY).nOutcome = OUTCOME_DROPPED_OUT;
    history.m_nShowAge = 1;
    ASSERT_TRUE(SaveAfterCalculate(inputs, history, m_location));
    EXPECT_EQ(ReadBytes(HistoryPath()), ReadBytes(VESMER_TEST_DATA "/Vesmer.ini"));
    EXPECT_EQ(ReadBytes(DialogPath()), ReadBytes(VESMER_TEST_DATA "/VesmerDlg.ini"));
    CHistoryData loaded;
    LoadStartup(&loaded);
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage)
        EXPECT_EQ(Numbers(loaded.Stage(stage)), Numbers(history.Stage(stage))) << stage;
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
        CHistoryData history;
        ASSERT_TRUE(Calculate(inputs, history, kToday).ok);
        ASSERT_TRUE(SaveAfterCalculate(inputs, history, m_location));
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

// Neither file is read unless it carries version 100. Then a stored birth date that does not
// exist is shown as stored (Calculate refuses it), and a stage without its key is all zeros.
TEST_F(SettingsFilesTest, OnlyVersion100IsReadAndAsStored) {
    for (const char* version :
         {"INIファイルバージョン=99", "INIファイルバージョン=101",
          "INIファイルバージョン=", "other=100", "INIファイルバージョン=100"}) {
        const bool read = std::string_view(version) == "INIファイルバージョン=100";
        ASSERT_TRUE(
            WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", version, "誕生日=1981 2 29 0 0",
                                                  "小=1 2 3 4 5 6 7 8 9 10"})));
        ASSERT_TRUE(WriteBytes(DialogPath(), Cp932Lines({"[VesmerDLGデータ]", version, "歴=3"})));
        CHistoryData history;
        const DialogInputs in = LoadStartup(&history);
        // The era, the birth date and the years of 浪人 before elementary school.
        EXPECT_EQ(std::to_string(in.m_nEra) + " " + in.m_strBirthYear + "/" + in.m_strBirthMonth +
                      "/" + in.m_strBirthDay + " " + in.m_strRoninElementary,
                  read ? "3 1981/2/29 4" : "0 1980/1/1 0")
            << version;
        EXPECT_EQ(Numbers(history.Stage(STAGE_ELEMENTARY)),
                  read ? "1 2 3 4 5 6 7 8 9 10" : "0 0 72 0 0 2 0 0 4 3");
        EXPECT_EQ(Numbers(history.Stage(STAGE_DOCTOR)),
                  read ? "0 0 0 0 0 0 0 0 0 0" : "0 0 36 0 0 0 0 0 4 3");
    }
}

// A missing list key keeps the selection and a missing check key clears the box; an index
// outside its list is shown as no selection.
TEST_F(SettingsFilesTest, MissingKeysAndIndicesOutsideTheLists) {
    ASSERT_TRUE(WriteBytes(
        DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100", "最終学歴=9",
                                  "歴=-3", "大学は=4", "大学は秋季入学した=2"})));
    DialogInputs inputs;
    inputs.m_nProgression = 4;
    inputs.m_bShowAge = 1;
    ASSERT_TRUE(LoadDialogState(
        inputs, CIniFile(DialogPath()).Read(kDialogStateSection, DialogStateKeys())));
    EXPECT_EQ(std::tuple(inputs.m_nProgression, inputs.m_bShowAge, inputs.m_bUniversityAutumnEntry),
              std::tuple(4, 0, 2));
    const DialogInputs loaded = LoadStartup();
    EXPECT_EQ(std::tuple(loaded.m_nFinalSchool, loaded.m_nEra, loaded.m_nUniversityLength),
              std::tuple(-1, -1, 4));
}

// No folder is no place: nothing is written at the file system's root.
TEST(SettingsFolder, SaveWithoutAFolderIsRefused) {
    std::string error;
    EXPECT_FALSE(SaveSettingsFolder(QString(), DialogInputs(), CHistoryData(), error));
    EXPECT_EQ(error, "--save にフォルダーを指定してください。");
}

}  // namespace
