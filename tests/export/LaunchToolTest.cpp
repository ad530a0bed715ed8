#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "export/DetachedProcessStarter.h"
#include "export/ExportCommands.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

#ifdef _WIN32
const QString kToolName = QStringLiteral("Tosvel.exe");
#else
const QString kToolName = QStringLiteral("Tosvel");
#endif

class LaunchToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(m_folder));
    }

    QTemporaryDir m_dir;
    // 表 (second code page 932 byte 0x5C) and a full-width space must survive the path handling.
    const QString m_folder = m_dir.filePath(QStringLiteral("表示　Vesmer"));
    const QString m_tool = m_folder + "/" + kToolName;
    FakeProcessStarter m_starter;
    FakePresenter m_presenter;
};

TEST_F(LaunchToolTest, MissingToolIsNamedWithItsFullPath) {
    RunLaunchTool(m_folder, m_starter, m_presenter);
    EXPECT_TRUE(m_starter.m_aStarted.empty());
    ASSERT_EQ(m_presenter.m_aShown.size(), 1u);
    const ShownMessage& shown = m_presenter.m_aShown.front();
    EXPECT_EQ(shown.text,
              QDir::toNativeSeparators(m_tool).toStdString() + "\r\nが見つかりませんでした");
    EXPECT_EQ(shown.caption, "Vesmer");
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
}

TEST_F(LaunchToolTest, PresentToolIsStartedOncePerPress) {
    WriteBytes(m_tool, "tool");
    RunLaunchTool(m_folder, m_starter, m_presenter);
    RunLaunchTool(m_folder, m_starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    EXPECT_EQ(m_starter.m_aStarted, (std::vector<QString>{m_tool, m_tool}));
}

TEST_F(LaunchToolTest, FolderOfTheToolsNameCountsAsPresentAndItsStartFailureIsSilent) {
    ASSERT_TRUE(QDir().mkpath(m_tool));
    RunLaunchTool(m_folder, m_starter, m_presenter);
    EXPECT_EQ(m_starter.m_aStarted, std::vector<QString>{m_tool});
    CDetachedProcessStarter starter;
    RunLaunchTool(m_folder, starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
}

TEST_F(LaunchToolTest, ToolPathIsAbsoluteWithOneSeparator) {
    EXPECT_EQ(ToolPath(m_folder), m_tool);
    EXPECT_EQ(ToolPath(m_folder + "/"), m_tool);
    // Never a bare name or a path against the current folder.
    EXPECT_EQ(ToolPath(QString()), QString());
    EXPECT_EQ(ToolPath(QStringLiteral("bin")), QString());
}

#ifndef _WIN32

TEST_F(LaunchToolTest, RealStarterRunsTheToolWithoutArguments) {
    // Each run appends one line: the number of arguments, then the arguments.
    const QString marker = m_dir.filePath(QStringLiteral("ran.txt"));
    WriteBytes(m_tool, "#!/bin/sh\necho \"$# $*\" >> '" + QFile::encodeName(marker) + "'\n");
    ASSERT_TRUE(QFile::setPermissions(
        m_tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    CDetachedProcessStarter starter;
    RunLaunchTool(m_folder, starter, m_presenter);
    RunLaunchTool(m_folder, starter, m_presenter);
    EXPECT_TRUE(m_presenter.m_aShown.empty());
    QDeadlineTimer deadline(10000);
    while (ReadBytes(marker).count('\n') < 2 && !deadline.hasExpired()) QThread::msleep(20);
    EXPECT_EQ(ReadBytes(marker), QByteArray("0 \n0 \n"));
}

#endif

}  // namespace
