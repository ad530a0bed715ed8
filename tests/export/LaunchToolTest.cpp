#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "DetachedProcessStarter.h"
#include "ExportCommands.h"
#include "Fakes.h"
#include "FileTestSupport.h"

namespace {

#ifdef _WIN32
const QString kToolName = QStringLiteral("Tosvel.exe");
#else
const QString kToolName = QStringLiteral("Tosvel");
#endif

class LaunchToolTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The program folder, named so that 表 (whose second code page 932 byte is 0x5C) and a
    // full-width space must survive the path handling.
    QString ProgramFolder() const {
        const QString folder = m_dir.filePath(QStringLiteral("表示　Vesmer"));
        QDir().mkpath(folder);
        return folder;
    }

    QTemporaryDir m_dir;
    FakeProcessStarter m_starter;
    FakePresenter m_presenter;
};

TEST_F(LaunchToolTest, MissingToolIsNamedWithItsFullPath) {
    const QString folder = ProgramFolder();
    RunLaunchTool(folder, m_starter, m_presenter);
    EXPECT_TRUE(m_starter.m_aStarted.empty());
    ASSERT_EQ(m_presenter.m_aShown.size(), 1u);
    const ShownMessage& shown = m_presenter.m_aShown.front();
    const std::string fullPath = QDir::toNativeSeparators(folder + "/" + kToolName).toStdString();
    EXPECT_EQ(shown.text, fullPath + "\r\nが見つかりませんでした");
    EXPECT_EQ(shown.caption, "Vesmer");
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
}

TEST_F(LaunchToolTest, PresentToolIsStartedOncePerPress) {
    const QString folder = ProgramFolder();
    WriteBytes(folder + "/" + kToolName, "tool");
    RunLaunchTool(folder, m_starter, m_presenter);
    RunLaunchTool(folder, m_starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(m_starter.m_aStarted,
              (std::vector<QString>{folder + "/" + kToolName, folder + "/" + kToolName}));
}

TEST_F(LaunchToolTest, FolderOfTheToolsNameCountsAsPresent) {
    const QString folder = ProgramFolder();
    ASSERT_TRUE(QDir().mkpath(folder + "/" + kToolName));
    RunLaunchTool(folder, m_starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(m_starter.m_aStarted, std::vector<QString>{folder + "/" + kToolName});
}

TEST_F(LaunchToolTest, ToolPathIsAbsoluteWithOneSeparator) {
    const QString folder = ProgramFolder();
    EXPECT_EQ(ToolPath(folder), folder + "/" + kToolName);
    EXPECT_EQ(ToolPath(folder + "/"), folder + "/" + kToolName);
    // Never a bare name, which starting would look up on the search path instead.
    EXPECT_EQ(ToolPath(QString()), QDir::current().absoluteFilePath(kToolName));
}

#ifndef _WIN32

// Waits (boundedly) until the file holds at least lines lines, and returns its content.
QByteArray WaitForLines(const QString& path, int lines) {
    QDeadlineTimer deadline(10000);
    QByteArray content;
    do {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) content = file.readAll();
        if (content.count('\n') >= lines) break;
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return content;
}

TEST_F(LaunchToolTest, RealStarterRunsTheToolWithoutArguments) {
    const QString folder = ProgramFolder();
    const QString marker = m_dir.filePath(QStringLiteral("ran.txt"));
    const QString tool = folder + "/" + kToolName;
    // Each run appends one line: the number of arguments, then the arguments.
    WriteBytes(tool, "#!/bin/sh\necho \"$# $*\" >> '" + QFile::encodeName(marker) + "'\n");
    ASSERT_TRUE(QFile::setPermissions(
        tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    CDetachedProcessStarter starter;
    RunLaunchTool(folder, starter, m_presenter);
    RunLaunchTool(folder, starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(WaitForLines(marker, 2), QByteArray("0 \n0 \n"));
}

TEST_F(LaunchToolTest, RealStarterIgnoresAToolThatCannotStart) {
    const QString folder = ProgramFolder();
    ASSERT_TRUE(QDir().mkpath(folder + "/" + kToolName));
    CDetachedProcessStarter starter;
    RunLaunchTool(folder, starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
}

#endif

}  // namespace
