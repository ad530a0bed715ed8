#include <gtest/gtest.h>

#include <QDir>

#include "cli/CliRunner.h"
#include "platform/Cp932.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun RunWith(QStringList arguments) {
    CliRun run;
    arguments << QStringLiteral("--today") << QStringLiteral("2024-06-01");
    run.status = RunCli(arguments, kToday, run.out, run.err);
    return run;
}

class CliSettingsTest : public testing::Test {
  protected:
    QString Dir() const { return m_folder.Path(QStringLiteral("settings")); }
    QByteArray History() const { return ReadBytes(Dir() + "/Vesmer.ini"); }
    QByteArray Dialog() const { return ReadBytes(Dir() + "/VesmerDlg.ini"); }

    TempFolder m_folder;
};

const QStringList kShowa55 = {"--era",   "昭和",  "--year",   "55",      "--month",
                              "7",       "--day", "20",       "--final", "大学院修士",
                              "--ronin", "大=1",  "--ryunen", "高=2",    "--show-age"};

TEST_F(CliSettingsTest, SaveThenLoadReproducesTheInputs) {
    const CliRun saved = RunWith(kShowa55 + QStringList{"--save", Dir()});
    ASSERT_EQ(saved.status, kExitOk) << saved.err.toStdString();
    EXPECT_TRUE(History().contains(ToCp932("誕生日=55 7 20 0 0\r\n")));
    EXPECT_TRUE(Dialog().contains(ToCp932("歴=1\r\n")));
    EXPECT_TRUE(Dialog().contains(ToCp932("最終学歴=6\r\n")));

    const CliRun loaded = RunWith({"--load", Dir()});
    ASSERT_EQ(loaded.status, kExitOk) << loaded.err.toStdString();
    EXPECT_EQ(loaded.out, saved.out);
}

TEST_F(CliSettingsTest, OptionsOverrideLoadedInputs) {
    ASSERT_EQ(RunWith(kShowa55 + QStringList{"--save", Dir()}).status, kExitOk);
    const QStringList overrides = {"--era", "西暦", "--year", "1990", "--final", "大学"};
    const CliRun loaded = RunWith(QStringList{"--load", Dir()} + overrides);
    const CliRun direct = RunWith(QStringList{"--month", "7", "--day", "20", "--ronin", "大=1",
                                              "--ryunen", "高=2", "--show-age"} +
                                  overrides);
    ASSERT_EQ(loaded.status, kExitOk);
    EXPECT_EQ(loaded.out, direct.out);
}

TEST_F(CliSettingsTest, RefusedCalculationWritesNothing) {
    const CliRun refused = RunWith({"--year", "1800", "--save", Dir()});
    EXPECT_EQ(refused.status, kExitRefused);
    EXPECT_FALSE(QDir(Dir()).exists());

    ASSERT_EQ(RunWith({"--save", Dir()}).status, kExitOk);
    const QByteArray history = History();
    const QByteArray dialog = Dialog();
    EXPECT_EQ(RunWith({"--era", "平成", "--year", "5", "--route", "1", "--save", Dir()}).status,
              kExitRefused);
    EXPECT_EQ(History(), history);
    EXPECT_EQ(Dialog(), dialog);
}

TEST_F(CliSettingsTest, LoadFromAnEmptyFolderStartsFromTheDefaults) {
    ASSERT_TRUE(QDir().mkpath(Dir()));
    const CliRun loaded = RunWith({"--load", Dir()});
    const CliRun plain = RunWith({});
    ASSERT_EQ(loaded.status, kExitOk);
    EXPECT_EQ(loaded.out, plain.out);
    EXPECT_TRUE(QDir(Dir()).isEmpty());
}

}  // namespace
