#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <tuple>

#include "export/DetachedProcessStarter.h"
#include "export/ExportCommands.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

#ifdef _WIN32
const QString kTool = QStringLiteral("Tosvel.exe");
#else
const QString kTool = QStringLiteral("Tosvel");
#endif

class ExportCommandsTest : public testing::Test {
  protected:
    ExportOutcome Export(const std::string& text, const QString& path) {
        m_prompt.m_strPath = path;
        return RunFileOutput(text, m_rows, QStringLiteral("/home/someone/デスクトップ"), m_prompt,
                             m_opener, m_presenter);
    }
    // The one message shown, with OK.
    void ExpectMessage(const std::string& text, const std::string& caption = "エラー",
                       MessageIcon icon = MessageIcon::Warning) const {
        ASSERT_EQ(m_presenter.m_aShown.size(), 1u);
        const ShownMessage& shown = m_presenter.m_aShown.front();
        EXPECT_EQ(std::tie(shown.text, shown.caption, shown.buttons, shown.icon),
                  std::tuple(text, caption, MessageButtons::Ok, icon));
    }

    std::vector<ResumeRow> m_rows;
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("MyHistory.txt"));
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakePresenter m_presenter;
    FakeProcessStarter m_starter;
};

TEST_F(ExportCommandsTest, WritesExactlyTheTextInCodePage932AndOpensIt) {
    EXPECT_EQ(Export("平成\r\n　A\r\n", m_path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(m_path), ToCp932("平成\r\n　A\r\n"));
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(m_opener.m_aOpened, std::vector<QString>{m_path});
    // Every export starts from the same prompt: "MyHistory.txt" on the desktop.
    ASSERT_EQ(m_prompt.m_aAsked.size(), 1u);
    const SavePromptSettings& asked = m_prompt.m_aAsked.front();
    EXPECT_EQ(
        asked.title + asked.initialFolder + "/" + asked.initialName,
        QStringLiteral("出力する場所を選択してください/home/someone/デスクトップ/MyHistory.txt"));
    EXPECT_EQ(asked.fileTypes, (std::vector<SaveFileType>{{"履歴テキスト (*.txt)", "txt"},
                                                          {"履歴書用CSV・和暦 (*.csv)", "csv"},
                                                          {"履歴書用CSV・西暦 (*.csv)", "csv"}}));
}

TEST_F(ExportCommandsTest, ResumeFileTypesWriteTheRowsAsCsvInTheirCalendar) {
    // Without rows: said as the copy buttons say it, and nothing written.
    m_prompt.m_nFileType = static_cast<std::size_t>(ExportFileType::ResumeSeireki);
    EXPECT_EQ(Export("x", m_path), ExportOutcome::NoRows);
    ExpectMessage("履歴書に書ける学歴がまだありません。", "Vesmer", MessageIcon::None);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    // A type the prompt does not list is the history text.
    m_prompt.m_nFileType = 3;
    EXPECT_EQ(Export("x", m_path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(m_path), "x");

    m_rows = {{1998, "平成", 10, 3, "高等学校　卒業"}};
    const std::pair<ExportFileType, const char*> types[] = {
        {ExportFileType::ResumeWareki, "平成10"}, {ExportFileType::ResumeSeireki, "1998"}};
    for (const auto& [type, year] : types) {
        m_prompt.m_nFileType = static_cast<std::size_t>(type);
        const QString path = m_dir.filePath(year + QStringLiteral(".csv"));
        EXPECT_EQ(Export("x", path), ExportOutcome::Written);
        EXPECT_EQ(ReadBytes(path),
                  QByteArray("\xEF\xBB\xBF年,月,学歴\r\n") + year + ",3,高等学校　卒業\r\n");
    }
}

TEST_F(ExportCommandsTest, EmptyHistoryCancelAndFailureWriteAndOpenNothing) {
    EXPECT_EQ(Export("", m_path), ExportOutcome::NoHistory);
    ExpectMessage("履歴がありません。");
    EXPECT_TRUE(m_prompt.m_aAsked.empty());
    m_presenter.m_aShown.clear();
    m_prompt.m_bOk = false;
    EXPECT_EQ(Export("x", m_path), ExportOutcome::Cancelled);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    m_prompt.m_bOk = true;
    EXPECT_EQ(Export("x", m_dir.filePath(QStringLiteral("無い/MyHistory.txt"))),
              ExportOutcome::Failed);
    ExpectMessage("ファイル出力に失敗しました。");
    EXPECT_TRUE(m_opener.m_aOpened.empty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ExportCommandsTest, ToolIsStartedOncePerPressOrNamedWithItsFullPathWhenMissing) {
    // 表 ends in the byte 0x5C in code page 932; the folder name must pass whole.
    const QString folder = m_dir.filePath(QStringLiteral("表示　Vesmer"));
    const QString tool = folder + "/" + kTool;
    EXPECT_EQ(ToolPath(folder + "/"), tool);
    RunLaunchTool(QStringLiteral("bin"), m_starter, m_presenter);  // never the current folder
    ExpectMessage("このプログラムのフォルダーが分からないため、Tosvelを探せませんでした。",
                  "Vesmer");
    m_presenter.m_aShown.clear();
    RunLaunchTool(folder, m_starter, m_presenter);
    ExpectMessage(QDir::toNativeSeparators(tool).toStdString() + "\r\nが見つかりませんでした",
                  "Vesmer");
    // Anything of the tool's name is present, a folder too; what it does when started is its own.
    ASSERT_TRUE(QDir().mkpath(tool));
    m_presenter.m_aShown.clear();
    RunLaunchTool(folder, m_starter, m_presenter);
    RunLaunchTool(folder, m_starter, m_presenter);
    EXPECT_EQ(m_starter.m_aStarted, (std::vector<QString>{tool, tool}));
    EXPECT_TRUE(m_presenter.m_aShown.empty());
}

#ifndef _WIN32

// The tool is started by its full path, whatever the bytes of its folder's name, and runs in a
// session of its own while the caller goes on at once.
TEST(DetachedProcessStarter, StartsTheToolByItsPathAndDetachesIt) {
    QTemporaryDir dir;
    // 表示 in code page 932, which is no UTF-8.
    const QString folder = DecodeNativePath(QFile::encodeName(dir.path()) + "/\x95\x5c\x8e\xa6");
    const QString tool = folder + "/Tosvel";
    ASSERT_EQ(mkdir(EncodeNativePath(folder).constData(), 0700), 0);
    CDetachedProcessStarter starter;
    FakePresenter presenter;
    RunLaunchTool(folder, starter, presenter);
    ASSERT_EQ(presenter.m_aShown.size(), 1u);
    EXPECT_EQ(presenter.m_aShown[0].text,
              dir.filePath("表示/Tosvel").toStdString() + "\r\nが見つかりませんでした");
    ASSERT_TRUE(WriteWholeFile(
        tool, "#!/bin/sh\ncut -d' ' -f6 /proc/$$/stat > \"$(dirname \"$0\")/../session\"\n"));
    ASSERT_EQ(chmod(EncodeNativePath(tool).constData(), 0700), 0);
    EXPECT_EQ(InChild([&] {
                  RunLaunchTool(folder, starter, presenter);
                  return 42;
              }),
              42);
    QDeadlineTimer deadline(10000);
    while (ReadBytes(dir.filePath("session")).isEmpty() && !deadline.hasExpired())
        QThread::msleep(20);
    const QByteArray session = ReadBytes(dir.filePath("session")).trimmed();
    EXPECT_FALSE(session.isEmpty());
    EXPECT_NE(session.toInt(), getsid(0));
    RemoveEntry(tool);  // Qt could not remove a folder of this name
    rmdir(EncodeNativePath(folder).constData());
}

#endif

}  // namespace
