#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

#include "cli/CliRunner.h"
#include "export/ExportCommands.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

// The --json text of the command line is what the history box shows; its --raw output is what
// the exported file must hold.
struct CliCase {
    const char* name;
    QStringList arguments;
};

class ExportMatchesCliTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(ExportMatchesCliTest, ExportedFileEqualsRawOutput) {
    const CivilDate today{2024, 6, 15};
    const QStringList& arguments = GetParam().arguments;
    QByteArray raw;
    QByteArray err;
    ASSERT_EQ(RunCli(arguments + QStringList{"--raw"}, today, raw, err), kExitOk) << err.data();

    QByteArray json;
    ASSERT_EQ(RunCli(arguments + QStringList{"--json"}, today, json, err), kExitOk) << err.data();
    const std::string shown =
        QJsonDocument::fromJson(json).object().value("text").toString().toStdString();
    ASSERT_FALSE(shown.empty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("MyHistory.txt"));
    FakeSavePrompt prompt(path);
    FakeFileOpener opener;
    FakePresenter presenter;
    EXPECT_EQ(RunFileOutput(shown, {}, QString(), prompt, opener, presenter),
              ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), raw);
    EXPECT_FALSE(raw.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(raw.contains('?')) << "a character of the history has no code page 932 form";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ExportMatchesCliTest,
    ::testing::Values(
        CliCase{"Defaults", {}},
        CliCase{"ShowaDoctorWithAges",
                {"--era", "昭和", "--year", "60", "--final", "7", "--show-age", "--ronin", "大=2",
                 "--ryunen", "修=1"}},
        CliCase{"TechnicalCollegeDropOut",
                {"--final", "2", "--outcome", "3", "--high-school", "2", "--show-age"}},
        CliCase{"ReiwaElementaryEntry",
                {"--era", "令和", "--year", "1", "--month", "5", "--day", "1", "--final", "0",
                 "--outcome", "0"}},
        CliCase{"VocationalThenAutumnUniversity",
                {"--final", "5", "--university-autumn-entry", "--university-half-year",
                 "--show-age", "--vocational", "1", "--route", "6"}}),
    [](const ::testing::TestParamInfo<CliCase>& param) { return std::string(param.param.name); });

}  // namespace
