#include <gtest/gtest.h>

#include <QDir>

#include "cli/CliRunner.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

// The command line saves both settings files as the window does and reads them back.
TEST(CliSettings, SaveThenLoadReproducesTheHistoryAndARefusalSavesNothing) {
    TempFolder folder;
    const QString dir = folder.Path(QStringLiteral("settings"));
    const auto run = [](QStringList arguments, QByteArray& out) {
        QByteArray err;
        return RunCli(arguments << "--today"
                                << "2024-06-01",
                      kToday, out, err);
    };
    QByteArray saved, loaded, refused;
    EXPECT_EQ(run({"--save", dir, "--era", "平成", "--year", "5", "--route", "1"}, refused),
              kExitRefused);
    EXPECT_FALSE(QDir(dir).exists());
    ASSERT_EQ(run({"--save", dir, "--era", "昭和", "--year", "55", "--final", "大学院修士",
                   "--ronin", "大=1", "--show-age"},
                  saved),
              kExitOk);
    EXPECT_TRUE(QFile::exists(dir + "/VesmerDlg.ini"));
    ASSERT_EQ(run({"--load", dir}, loaded), kExitOk);
    EXPECT_EQ(loaded, saved);
}

}  // namespace
