#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "settings/DialogState.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr CivilDate kToday{2024, 6, 1};

class DialogStateTest : public testing::Test {
  protected:
    QString DialogPath() const { return m_folder.filePath(QStringLiteral("VesmerDlg.ini")); }
    QString HistoryPath() const { return m_folder.filePath(QStringLiteral("Vesmer.ini")); }

    // A Calculate and the save that the window does after it.
    void CalculateAndSave(const DialogInputs& inputs) {
        CHistoryData history;
        ASSERT_TRUE(Calculate(inputs, history, kToday).ok);
        SaveAfterCalculate(inputs, history, m_location);
    }
    bool LoadFile(DialogInputs& inputs) const {
        return LoadDialogState(inputs,
                               CIniFile(DialogPath()).Read(kDialogStateSection, DialogStateKeys()));
    }
    DialogInputs LoadStartup() {
        DialogInputs inputs;
        CHistoryData history;
        LoadStartupInputs(inputs, history, m_location);
        return inputs;
    }

    QTemporaryDir m_folder;
    CSettingsLocation m_location{m_folder.path(), QString()};
};

TEST_F(DialogStateTest, WorkedExamplesByteForByte) {
    CalculateAndSave(DialogInputs());
    EXPECT_EQ(ReadBytes(HistoryPath()), ExampleFile("Vesmer.ini"));
    EXPECT_EQ(ReadBytes(DialogPath()), ExampleFile("VesmerDlg.ini"));
}

TEST_F(DialogStateTest, EveryStoredChoiceComesBackAloneAndTheYearAsTyped) {
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

TEST_F(DialogStateTest, MissingKeysOtherVersionAndIndicesOutsideTheLists) {
    ASSERT_TRUE(WriteBytes(
        DialogPath(), Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100", "最終学歴=9",
                                  "歴=-3", "大学は=4", "大学は秋季入学した=2"})));
    DialogInputs inputs;
    inputs.m_nProgression = 4;
    inputs.m_bShowAge = 1;
    ASSERT_TRUE(LoadFile(inputs));
    EXPECT_EQ(inputs.m_nProgression, 4);  // a missing list key keeps the selection
    EXPECT_EQ(inputs.m_bShowAge, 0);      // a missing check key clears the box
    EXPECT_EQ(inputs.m_bUniversityAutumnEntry, 2);
    const DialogInputs loaded = LoadStartup();
    EXPECT_EQ(loaded.m_nFinalSchool, -1);
    EXPECT_EQ(loaded.m_nEra, -1);
    EXPECT_EQ(loaded.m_nUniversityLength, 4);

    // A stored birth date that does not exist is shown as stored (Calculate refuses it).
    ASSERT_TRUE(WriteBytes(HistoryPath(), Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100",
                                                      "誕生日=1981 2 29 0 0"})));
    const DialogInputs stored = LoadStartup();
    EXPECT_EQ(stored.m_strBirthMonth + "/" + stored.m_strBirthDay, "2/29");

    ASSERT_TRUE(WriteBytes(DialogPath(),
                           Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=99", "歴=3"})));
    EXPECT_FALSE(LoadFile(inputs));
    EXPECT_EQ(inputs.m_nEra, -3);  // nothing is read
}

}  // namespace
