#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>

#include "engine/HistoryData.h"
#include "export/ExportCommands.h"
#include "export/HistoryExport.h"
#include "input/DialogInputs.h"
#include "input/InputTransfer.h"
#include "tests/export/FileTestSupport.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr auto kAllEntries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
const QByteArray kEarlier = "an earlier history\r\n";

// The history Calculate shows for the default inputs, with the age on every line.
const std::string& SampleHistory() {
    static const std::string text = [] {
        DialogInputs inputs;
        inputs.ResetInputs();
        inputs.m_bShowAge = 1;
        CHistoryData history;
        EXPECT_TRUE(Calculate(inputs, history, {2024, 6, 15}).ok);
        return history.m_strHistory;
    }();
    return text;
}

std::string LongHistory(size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += SampleHistory();
    return text;
}

// Every entry under folder with its permissions and, for a regular file, its content; a pipe
// or device is never opened.
std::map<QString, QByteArray> Snapshot(const QString& folder) {
    std::map<QString, QByteArray> entries;
    QDirIterator it(folder, kAllEntries, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QByteArray& value = entries[info.filePath()];
        value = QByteArray::number(static_cast<int>(info.permissions()), 16) + ":";
        value += info.isDir() ? "<folder>" : info.isFile() ? ReadBytes(info.filePath()) : "<other>";
    }
    return entries;
}

void ExpectMessage(const FakePresenter& presenter, const std::string& text) {
    ASSERT_EQ(presenter.m_aShown.size(), 1u);
    const ShownMessage& shown = presenter.m_aShown.front();
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.caption, "エラー");
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
}

class FileOutputTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString PathIn(const QString& name) const { return m_dir.filePath(name); }

    ExportOutcome Export(const std::string& text, const QString& path) {
        m_prompt.m_strPath = path;
        return RunFileOutput(text, {}, QStringLiteral("/home/someone/Desktop"), m_prompt, m_opener,
                             m_presenter);
    }

    // The export fails with the message, opens nothing and changes nothing in the test folder:
    // no file truncated or half written, no temporary file left behind.
    void ExpectFails(const QString& path, const std::string& text = SampleHistory()) {
        m_presenter.m_aShown.clear();
        const auto before = Snapshot(m_dir.path());
        EXPECT_EQ(Export(text, path), ExportOutcome::Failed);
        ExpectMessage(m_presenter, "ファイル出力に失敗しました。");
        EXPECT_TRUE(m_opener.m_aOpened.empty());
        EXPECT_EQ(Snapshot(m_dir.path()), before);
    }

    void ExpectWritten(const std::string& text, const QString& path) {
        EXPECT_EQ(Export(text, path), ExportOutcome::Written);
        EXPECT_EQ(ReadBytes(path), HistoryFileBytes(text));
    }

    QTemporaryDir m_dir;
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakePresenter m_presenter;
};

TEST_F(FileOutputTest, EmptyHistoryIsRefusedBeforeAnyPrompt) {
    EXPECT_EQ(Export("", PathIn("MyHistory.txt")), ExportOutcome::NoHistory);
    ExpectMessage(m_presenter, "履歴がありません。");
    EXPECT_TRUE(m_prompt.m_aAsked.empty());
    EXPECT_TRUE(m_opener.m_aOpened.empty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty(kAllEntries));
}

TEST_F(FileOutputTest, CancelWritesNothingAndSaysNothing) {
    m_prompt.m_bOk = false;
    EXPECT_EQ(Export(SampleHistory(), PathIn("MyHistory.txt")), ExportOutcome::Cancelled);
    EXPECT_EQ(m_prompt.m_aAsked.size(), 1u);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_TRUE(m_opener.m_aOpened.empty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty(kAllEntries));
}

TEST_F(FileOutputTest, EveryPromptStartsFromTheSameSettings) {
    const QString desktop = QStringLiteral("/home/someone/デスクトップ");
    m_prompt.m_strPath = PathIn("elsewhere.txt");
    RunFileOutput(SampleHistory(), {}, desktop, m_prompt, m_opener, m_presenter);
    RunFileOutput(SampleHistory(), {}, QString(), m_prompt, m_opener, m_presenter);
    ASSERT_EQ(m_prompt.m_aAsked.size(), 2u);
    for (const SavePromptSettings& asked : m_prompt.m_aAsked) {
        EXPECT_EQ(asked.title, QStringLiteral("出力する場所を選択してください"));
        EXPECT_EQ(asked.initialName, QStringLiteral("MyHistory.txt"));
        EXPECT_EQ(asked.fileTypes,
                  (std::vector<SaveFileType>{{"*.txt", "txt"},
                                             {"履歴書用CSV・和暦 (*.csv)", "csv"},
                                             {"履歴書用CSV・西暦 (*.csv)", "csv"}}));
    }
    EXPECT_EQ(m_prompt.m_aAsked[0].initialFolder, desktop);
    // The prompt's own default, not the folder chosen before.
    EXPECT_TRUE(m_prompt.m_aAsked[1].initialFolder.isEmpty());
}

TEST_F(FileOutputTest, FileHoldsExactlyTheTextInCodePage932) {
    // 平 = 95 BD, 成 = 90 AC, 　 (U+3000) = 81 40; CR LF kept, no mark before, nothing after.
    const QString path = PathIn("MyHistory.txt");
    EXPECT_EQ(Export("平成\r\n　A\r\n", path), ExportOutcome::Written);
    EXPECT_EQ(ReadBytes(path), QByteArray("\x95\xBD\x90\xAC\r\n\x81\x40"
                                          "A\r\n"));
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(m_opener.m_aOpened, std::vector<QString>{path});
    EXPECT_EQ(QDir(m_dir.path()).entryList(kAllEntries), QStringList{"MyHistory.txt"});
}

TEST_F(FileOutputTest, ResumeFileTypesWriteTheRowsAsCsvInTheirCalendar) {
    const std::vector<ResumeRow> rows = {{1998, "平成", 10, 3, "高等学校　卒業"}};
    const std::pair<ExportFileType, const char*> types[] = {
        {ExportFileType::ResumeWareki, "平成10"}, {ExportFileType::ResumeSeireki, "1998"}};
    for (const auto& [type, year] : types) {
        m_prompt.m_strPath = PathIn(year + QStringLiteral(".csv"));
        m_prompt.m_nFileType = static_cast<std::size_t>(type);
        EXPECT_EQ(RunFileOutput(SampleHistory(), rows, {}, m_prompt, m_opener, m_presenter),
                  ExportOutcome::Written);
        EXPECT_EQ(ReadBytes(m_prompt.m_strPath),
                  QByteArray("\xEF\xBB\xBF年,月,学歴\r\n") + year + ",3,高等学校　卒業\r\n");
        EXPECT_EQ(m_opener.m_aOpened.back(), m_prompt.m_strPath);
    }
}

TEST_F(FileOutputTest, OverwriteReplacesALongerFileWholeAndKeepsItsPermissions) {
    const QString path = PathIn("MyHistory.txt");
    WriteBytes(path, QByteArray(100000, 'x'));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ExpectWritten(SampleHistory(), path);
    EXPECT_EQ(QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(m_opener.m_aOpened.size(), 1u);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
}

TEST_F(FileOutputTest, LinkChosenAsTheFileStaysALinkToTheNewText) {
    const QString target = PathIn("real.txt");
    const QString link = PathIn("MyHistory.txt");
    WriteBytes(target, QByteArray(5000, 'x'));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(Export(SampleHistory(), link), ExportOutcome::Written);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(target), HistoryFileBytes(SampleHistory()));
}

TEST_F(FileOutputTest, NonAsciiNamesAndAVeryLongHistoryWork) {
    // 表 and ソ end in the byte 0x5C in code page 932; the full-width space is U+3000.
    const QString folder = PathIn(QStringLiteral("出力先　表示ソフト"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/学歴・履歴.txt");
    ExpectWritten(SampleHistory(), path);
    EXPECT_EQ(m_opener.m_aOpened, std::vector<QString>{path});
    ExpectWritten(LongHistory(8u * 1024 * 1024), PathIn("MyHistory.txt"));
}

TEST_F(FileOutputTest, UnusablePathsFail) {
    ExpectFails(PathIn(QStringLiteral("無いフォルダ/MyHistory.txt")));
    ExpectFails(QString());
    const QString folder = PathIn(QStringLiteral("MyHistory.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(folder + QStringLiteral("/inside.txt"), "kept");
    ExpectFails(folder);
#ifndef _WIN32
    // Opening a pipe would wait for a reader; it must be refused, not replaced.
    const QString pipe = PathIn("pipe.txt");
    ASSERT_TRUE(MakePipe(pipe));
    ExpectFails(pipe);
#endif
}

TEST_F(FileOutputTest, ReadOnlyFileIsRefusedEvenInAWritableFolder) {
    // Root passes the access check, so the cleared write bits themselves must decide.
    const QString path = PathIn("MyHistory.txt");
    WriteBytes(path, kEarlier);
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ExpectFails(path);
    EXPECT_EQ(ReadBytes(path), kEarlier);
}

#ifndef _WIN32

constexpr QFileDevice::Permissions kReadEnter = QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther | QFileDevice::ExeOwner |
                                                QFileDevice::ExeGroup | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kWriteAll =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// For a child process: 0 when the export failed with the message and opened nothing.
int ExportFailsWithMessage(const QString& path) {
    FakeSavePrompt prompt(path);
    FakeFileOpener opener;
    FakePresenter presenter;
    const ExportOutcome outcome = RunFileOutput(SampleHistory(), {}, {}, prompt, opener, presenter);
    const bool reported =
        presenter.m_aShown.size() == 1 && presenter.m_aShown.front().text == kMsgExportFailed;
    return outcome == ExportOutcome::Failed && reported && opener.m_aOpened.empty() ? 0 : 1;
}

TEST_F(FileOutputTest, ReadOnlyFolderFailsForANewFile) {
    // The writable file there is written in place (platform tests); a new one cannot be made.
    const QString folder = PathIn("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString existing = folder + QStringLiteral("/MyHistory.txt");
    const QString fresh = folder + QStringLiteral("/New.txt");
    WriteBytes(existing, kEarlier);
    ASSERT_TRUE(QFile::setPermissions(existing, kReadEnter | kWriteAll));
    ASSERT_TRUE(QFile::setPermissions(folder, kReadEnter));

    if (!IsPrivileged()) {
        ExpectFails(fresh);
    } else {
        // Permission bits do not stop root: a child that has given up root's rights tries.
        ASSERT_TRUE(QFile::setPermissions(m_dir.path(), kReadEnter | QFileDevice::WriteOwner));
        const auto before = Snapshot(m_dir.path());
        std::string reason;
        const int result = RunUnprivileged([&] { return ExportFailsWithMessage(fresh); }, reason);
        if (result < 0) {
            QFile::setPermissions(folder, kReadEnter | kWriteAll);
            GTEST_SKIP() << "no unprivileged try possible: " << reason;
        }
        EXPECT_EQ(result, 0) << "the unprivileged export did not fail with the message";
        EXPECT_EQ(Snapshot(m_dir.path()), before);
    }
    EXPECT_EQ(ReadBytes(existing), kEarlier);
    QFile::setPermissions(folder, kReadEnter | kWriteAll);
}

TEST_F(FileOutputTest, FullDiskFails) {
    const QString folder = PathIn("small");
    ASSERT_TRUE(QDir().mkpath(folder));
    PrivateTmpfs disk(folder, "size=64k");
    // Without a small file system, a file size limit makes the write fail part-way alike.
    std::optional<FileSizeLimit> limit;
    if (!disk.Mounted()) limit.emplace(16 * 1024);
    ASSERT_TRUE(disk.Mounted() || limit->active) << disk.Reason() << "; no file size limit either";
    const QString path = folder + QStringLiteral("/MyHistory.txt");
    ASSERT_TRUE(WriteBytes(path, kEarlier));
    ExpectFails(path, LongHistory(256u * 1024));
    ExpectFails(folder + QStringLiteral("/New.txt"), LongHistory(256u * 1024));
    EXPECT_EQ(ReadBytes(path), kEarlier);
    m_presenter.m_aShown.clear();
    ExpectWritten(SampleHistory(), path);  // what fits is still written
}

#endif

}  // namespace
