#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "export/ExportCommands.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

// What the window shows (the command line's --json text) exports to the command line's --raw bytes.
TEST(ExportMatchesCli, ExportedFileEqualsRawOutput) {
    for (const QStringList& arguments :
         {QStringList{"--era", "昭和", "--year", "60", "--final", "7", "--show-age"},
          QStringList{"--final", "2", "--outcome", "3", "--high-school", "2", "--show-age"}}) {
        const CivilDate today{2024, 6, 15};
        QByteArray raw, json, err;
        ASSERT_EQ(RunCli(arguments + QStringList{"--raw"}, today, raw, err), kExitOk) << err.data();
        ASSERT_EQ(RunCli(arguments + QStringList{"--json"}, today, json, err), kExitOk)
            << err.data();
        const std::string shown =
            QJsonDocument::fromJson(json).object().value("text").toString().toStdString();
        QTemporaryDir dir;
        FakeSavePrompt prompt(dir.filePath(QStringLiteral("MyHistory.txt")));
        FakeFileOpener opener;
        FakePresenter presenter;
        EXPECT_EQ(RunFileOutput(shown, QString(), prompt, opener, presenter),
                  ExportOutcome::Written);
        EXPECT_EQ(ReadBytes(prompt.m_strPath), raw);
        EXPECT_EQ(FromCp932(raw), shown);  // every character has its code page 932 form
    }
}

}  // namespace
