#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>
#include <string>

#include "DialogInputs.h"
#include "ExportCommands.h"
#include "Fakes.h"
#include "FileTestSupport.h"
#include "HistoryData.h"
#include "HistoryExport.h"
#include "InputTransfer.h"

namespace {

// A history as Calculate produces it for the default inputs, with the age on every line.
std::string SampleHistory() {
    DialogInputs inputs;
    inputs.ResetInputs();
    inputs.m_bShowAge = 1;
    CHistoryData history;
    int finalStage = 0;
    const CalculationResult result = Calculate(inputs, history, finalStage, {2024, 6, 15});
    EXPECT_TRUE(result.ok) << result.refusal;
    return history.m_strHistory;
}

// Every entry under folder (recursively) with the content of each regular file, the kind of
// anything else and the permissions of all; a pipe or device is never opened.
std::map<std::string, std::string> Snapshot(const QString& folder) {
    std::map<std::string, std::string> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray value = QByteArray::number(static_cast<int>(info.permissions()), 16) + ":";
        if (info.isDir()) {
            value += "<folder>";
        } else if (info.isFile()) {
            value += ReadBytes(path);
        } else {
            value += "<pipe or device>";
        }
        entries[path.toStdString()] = value.toStdString();
    }
    return entries;
}

class FileOutputTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString PathIn(const QString& name) const { return m_dir.filePath(name); }

    ExportOutcome Export(const std::string& text, const QString& path) {
        m_prompt.m_strPath = path;
        return RunFileOutput(text, QStringLiteral("/home/someone/Desktop"), m_prompt, m_opener,
                             m_presenter);
    }

    // The export to path must fail, say so once, open nothing and leave every file and folder
    // of the test folder exactly as it was: nothing truncated, nothing half written, no
    // temporary file left behind.
    void ExpectFailsAndLeavesAllAsItWas(const QString& path, const std::string& text) {
        const std::map<std::string, std::string> before = Snapshot(m_dir.path());
        EXPECT_EQ(Export(text, path), ExportOutcome::Failed);
        ASSERT_EQ(m_presenter.m_aShown.size(), 1u);
        const ShownMessage& shown = m_presenter.m_aShown.front();
        EXPECT_EQ(shown.text, kMsgExportFailed);
        EXPECT_EQ(shown.text, "ファイル出力に失敗しました。");
        EXPECT_EQ(shown.caption, "エラー");
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        EXPECT_EQ(shown.icon, MessageIcon::Warning);
        EXPECT_TRUE(m_opener.m_aOpened.empty());
        EXPECT_EQ(Snapshot(m_dir.path()), before);
    }

    QTemporaryDir m_dir;
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakePresenter m_presenter;
};

TEST_F(FileOutputTest, EmptyHistoryIsRefusedBeforeAnyPrompt) {
    EXPECT_EQ(Export("", PathIn("MyHistory.txt")), ExportOutcome::NoHistory);
    EXPECT_TRUE(m_prompt.m_aAsked.empty());
    EXPECT_TRUE(m_opener.m_aOpened.empty());
    ASSERT_EQ(m_presenter.m_aShown.size(), 1u);
    const ShownMessage& shown = m_presenter.m_aShown.front();
    EXPECT_EQ(shown.text, "履歴がありません。");
    EXPECT_EQ(shown.caption, "エラー");
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_TRUE(
        QDir(m_dir.path())
            .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

TEST_F(FileOutputTest, CancelWritesNothingAndSaysNothing) {
    m_prompt.m_bOk = false;
    EXPECT_EQ(Export(SampleHistory(), PathIn("MyHistory.txt")), ExportOutcome::Cancelled);
    EXPECT_EQ(m_prompt.m_aAsked.size(), 1u);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_TRUE(m_opener.m_aOpened.empty());
    EXPECT_TRUE(
        QDir(m_dir.path())
            .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

TEST_F(FileOutputTest, EveryPromptStartsFromTheSameSettings) {
    const std::string text = SampleHistory();
    m_prompt.m_strPath = PathIn("elsewhere.txt");
    RunFileOutput(text, QStringLiteral("/home/someone/デスクトップ"), m_prompt, m_opener,
                  m_presenter);
    m_prompt.m_strPath = PathIn("again.txt");
    RunFileOutput(text, QStringLiteral("/home/someone/デスクトップ"), m_prompt, m_opener,
                  m_presenter);
    m_prompt.m_bOk = false;
    RunFileOutput(text, QString(), m_prompt, m_opener, m_presenter);

    ASSERT_EQ(m_prompt.m_aAsked.size(), 3u);
    for (const SavePromptSettings& asked : m_prompt.m_aAsked) {
        EXPECT_EQ(asked.title, QStringLiteral("出力する場所を選択してください"));
        EXPECT_EQ(asked.initialName, QStringLiteral("MyHistory.txt"));
        EXPECT_EQ(asked.defaultSuffix, QStringLiteral("txt"));
        EXPECT_EQ(asked.filter, QStringLiteral("*.txt"));
    }
    EXPECT_EQ(m_prompt.m_aAsked[0].initialFolder, QStringLiteral("/home/someone/デスクトップ"));
    EXPECT_EQ(m_prompt.m_aAsked[1].initialFolder, QStringLiteral("/home/someone/デスクトップ"));
    EXPECT_TRUE(m_prompt.m_aAsked[2].initialFolder.isEmpty());
}

TEST_F(FileOutputTest, FileHoldsExactlyTheTextInCodePage932) {
    // 平 = 95 BD, 成 = 90 AC, 　 (U+3000) = 81 40; CR LF kept, no mark before, nothing after.
    const QString path = PathIn("MyHistory.txt");
    EXPECT_EQ(Export("平成\r\n　A\r\n", path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), QByteArray("\x95\xBD\x90\xAC\r\n\x81\x40"
                                          "A\r\n"));
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    ASSERT_EQ(m_opener.m_aOpened.size(), 1u);
    EXPECT_EQ(m_opener.m_aOpened.front(), path);
    EXPECT_EQ(QDir(m_dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("MyHistory.txt")});
}

TEST_F(FileOutputTest, CalculatedHistoryIsWrittenAsItsFileBytes) {
    const std::string text = SampleHistory();
    ASSERT_NE(text.find("\r\n"), std::string::npos);
    const QString path = PathIn("MyHistory.txt");
    EXPECT_EQ(Export(text, path), ExportOutcome::Written);
    const QByteArray bytes = ReadBytes(path);
    EXPECT_EQ(bytes, HistoryFileBytes(text));
    EXPECT_FALSE(bytes.contains('?')) << "a character of the history has no code page 932 form";
}

TEST_F(FileOutputTest, OverwriteReplacesALongerFileWholeAndKeepsItsPermissions) {
    const QString path = PathIn("MyHistory.txt");
    WriteBytes(path, QByteArray(100000, 'x'));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const std::string text = SampleHistory();

    EXPECT_EQ(Export(text, path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), HistoryFileBytes(text));
    EXPECT_EQ(Export(text, path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), HistoryFileBytes(text));

    EXPECT_EQ(QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(m_opener.m_aOpened.size(), 2u);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
}

TEST_F(FileOutputTest, LinkChosenAsTheFileStaysALinkToTheNewText) {
    const QString target = PathIn("real.txt");
    const QString link = PathIn("MyHistory.txt");
    WriteBytes(target, QByteArray(5000, 'x'));
    ASSERT_TRUE(QFile::link(target, link));
    const std::string text = SampleHistory();
    EXPECT_EQ(Export(text, link), ExportOutcome::Written);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(target), HistoryFileBytes(text));
}

TEST_F(FileOutputTest, NonAsciiFolderAndFileNamesWork) {
    // 表 and ソ end in the byte 0x5C in code page 932; the full-width space is U+3000.
    const QString folder = PathIn(QStringLiteral("出力先　表示ソフト"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/学歴・履歴.txt");
    const std::string text = SampleHistory();
    EXPECT_EQ(Export(text, path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), HistoryFileBytes(text));
    ASSERT_EQ(m_opener.m_aOpened.size(), 1u);
    EXPECT_EQ(m_opener.m_aOpened.front(), path);
}

TEST_F(FileOutputTest, VeryLongHistoryIsWrittenWhole) {
    const std::string line = SampleHistory();
    std::string text;
    while (text.size() < 8u * 1024 * 1024) text += line;
    const QString path = PathIn("MyHistory.txt");
    EXPECT_EQ(Export(text, path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), HistoryFileBytes(text));
}

TEST_F(FileOutputTest, PathInMissingFolderFails) {
    ExpectFailsAndLeavesAllAsItWas(PathIn(QStringLiteral("無いフォルダ/MyHistory.txt")),
                                   SampleHistory());
}

TEST_F(FileOutputTest, FolderChosenAsTheFileFails) {
    const QString folder = PathIn(QStringLiteral("MyHistory.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(folder + QStringLiteral("/inside.txt"), "kept");
    ExpectFailsAndLeavesAllAsItWas(folder, SampleHistory());
}

TEST_F(FileOutputTest, EmptyPathFromThePromptFails) {
    ExpectFailsAndLeavesAllAsItWas(QString(), SampleHistory());
}

TEST_F(FileOutputTest, ReadOnlyFileIsRefusedEvenInAWritableFolder) {
    // The folder would allow a replacement; the file's own protection is what counts. A
    // privileged user passes the access check, so the cleared write bits must decide.
    const QString path = PathIn("MyHistory.txt");
    WriteBytes(path, "an earlier history\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ExpectFailsAndLeavesAllAsItWas(path, SampleHistory());
    EXPECT_EQ(ReadBytes(path), QByteArray("an earlier history\r\n"));
}

#ifndef _WIN32

// The export alone, for a child process: 0 when it failed with the message and opened nothing.
int ExportFailsWithMessage(const std::string& text, const QString& path) {
    FakeSavePrompt prompt(path);
    FakeFileOpener opener;
    FakePresenter presenter;
    const ExportOutcome outcome = RunFileOutput(text, QString(), prompt, opener, presenter);
    const bool reported =
        presenter.m_aShown.size() == 1 && presenter.m_aShown.front().text == kMsgExportFailed;
    return outcome == ExportOutcome::Failed && reported && opener.m_aOpened.empty() ? 0 : 1;
}

TEST_F(FileOutputTest, ReadOnlyFolderFails) {
    // The existing file itself may be written; only the folder forbids replacing it, and the
    // export must not fall back to rewriting the file in place.
    const QString folder = PathIn("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString existing = folder + QStringLiteral("/MyHistory.txt");
    const QString fresh = folder + QStringLiteral("/New.txt");
    WriteBytes(existing, "an earlier history\r\n");
    constexpr QFileDevice::Permissions kReadAll =
        QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    constexpr QFileDevice::Permissions kWriteAll =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    constexpr QFileDevice::Permissions kEnterAll =
        QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(existing, kReadAll | kWriteAll));
    ASSERT_TRUE(QFile::setPermissions(folder, kReadAll | kEnterAll));

    const std::string text = SampleHistory();
    if (!IsPrivileged()) {
        ExpectFailsAndLeavesAllAsItWas(existing, text);
        m_presenter.m_aShown.clear();
        ExpectFailsAndLeavesAllAsItWas(fresh, text);
    } else {
        // Permission bits do not stop root: a child that has given up root's rights tries.
        ASSERT_TRUE(
            QFile::setPermissions(m_dir.path(), kReadAll | kEnterAll | QFileDevice::WriteOwner));
        const std::map<std::string, std::string> before = Snapshot(m_dir.path());
        std::string reason;
        const int result = RunUnprivileged(
            [&] {
                return ExportFailsWithMessage(text, existing) | ExportFailsWithMessage(text, fresh);
            },
            reason);
        if (result < 0) {
            QFile::setPermissions(folder, kReadAll | kWriteAll | kEnterAll);
            GTEST_SKIP() << "no unprivileged try possible: " << reason;
        }
        EXPECT_EQ(result, 0) << "the unprivileged export did not fail with the message";
        EXPECT_EQ(Snapshot(m_dir.path()), before);
    }
    EXPECT_EQ(ReadBytes(existing), QByteArray("an earlier history\r\n"));
    QFile::setPermissions(folder, kReadAll | kWriteAll | kEnterAll);
}

TEST_F(FileOutputTest, PipeChosenAsTheFileFails) {
    // Opening a pipe for writing would wait for a reader; it must be refused, not replaced.
    const QString path = PathIn("MyHistory.txt");
    ASSERT_TRUE(MakePipe(path));
    ExpectFailsAndLeavesAllAsItWas(path, SampleHistory());
}

TEST_F(FileOutputTest, FileSizeLimitHitWhileWritingFails) {
    // The process may not grow any file past 16 KiB: the write fails part-way, like a full
    // disk, and needs no privilege.
    const QString path = PathIn("MyHistory.txt");
    WriteBytes(path, "an earlier history\r\n");
    std::string text;
    while (text.size() < 256u * 1024) text += SampleHistory();
    {
        FileSizeLimit limit(16 * 1024);
        ASSERT_TRUE(limit.Active()) << limit.Reason();
        ExpectFailsAndLeavesAllAsItWas(path, text);
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("an earlier history\r\n"));
}

TEST_F(FileOutputTest, FullDiskFails) {
    const QString folder = PathIn("small");
    ASSERT_TRUE(QDir().mkpath(folder));
    PrivateTmpfs disk(folder, "size=64k");
    if (!disk.Mounted()) GTEST_SKIP() << "no size-limited folder here: " << disk.Reason();

    const QString path = folder + QStringLiteral("/MyHistory.txt");
    WriteBytes(path, "an earlier history\r\n");
    std::string text;
    while (text.size() < 256u * 1024) text += SampleHistory();
    ExpectFailsAndLeavesAllAsItWas(path, text);
    m_presenter.m_aShown.clear();
    ExpectFailsAndLeavesAllAsItWas(folder + QStringLiteral("/New.txt"), text);

    // What fits is still written.
    m_presenter.m_aShown.clear();
    EXPECT_EQ(Export(SampleHistory(), path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), HistoryFileBytes(SampleHistory()));
}

TEST_F(FileOutputTest, ReadOnlyMountedFolderFails) {
    // A read-only file system stops every user, root included.
    const QString folder = PathIn("readonly");
    ASSERT_TRUE(QDir().mkpath(folder));
    PrivateTmpfs disk(folder, "size=1m");
    if (!disk.Mounted()) GTEST_SKIP() << "no mount possible here: " << disk.Reason();
    const QString existing = folder + QStringLiteral("/MyHistory.txt");
    WriteBytes(existing, "an earlier history\r\n");
    ASSERT_TRUE(disk.MakeReadOnly()) << disk.Reason();

    ExpectFailsAndLeavesAllAsItWas(existing, SampleHistory());
    m_presenter.m_aShown.clear();
    ExpectFailsAndLeavesAllAsItWas(folder + QStringLiteral("/New.txt"), SampleHistory());
}

#endif

}  // namespace
