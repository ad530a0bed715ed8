#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include "export/DetachedProcessStarter.h"
#include "export/ExportCommands.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "tests/support/Fakes.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

// A tool that appends its name to the file "ran" of the folder above it.
void PlaceTool(const QString& folder, const QByteArray& name) {
    const QString tool = folder + "/Tosvel";
    ASSERT_TRUE(
        WriteWholeFile(tool, "#!/bin/sh\necho " + name + " >> \"$(dirname \"$0\")/../ran\"\n"));
    ASSERT_EQ(chmod(EncodeNativePath(tool).constData(), 0700), 0);
}

TEST(SharedMachineExport, ToolComesFromTheProgramsFolderWhateverItsNameAndNeverFromTheCurrentOne) {
    QTemporaryDir dir;
    // 表示 in code page 932, which is no UTF-8.
    const QString program = DecodeNativePath(QFile::encodeName(dir.path()) + "/\x95\x5c\x8e\xa6");
    const QString current = dir.filePath("current");
    ASSERT_TRUE(mkdir(EncodeNativePath(program).constData(), 0700) == 0 && QDir().mkpath(current));
    PlaceTool(current, "current");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current));
    CDetachedProcessStarter starter;
    FakePresenter presenter;
    RunLaunchTool(program, starter, presenter);
    PlaceTool(program, "program");
    RunLaunchTool(program, starter, presenter);
    RunLaunchTool(QString(), starter, presenter);
    QDir::setCurrent(previous);

    QDeadlineTimer deadline(10000);
    while (ReadBytes(dir.filePath("ran")).isEmpty() && !deadline.hasExpired()) QThread::msleep(20);
    QThread::msleep(100);
    EXPECT_EQ(ReadBytes(dir.filePath("ran")), "program\n");
    ASSERT_EQ(presenter.m_aShown.size(), 2u);
    EXPECT_EQ(presenter.m_aShown[0].text,
              dir.filePath("表示/Tosvel").toStdString() + "\r\nが見つかりませんでした");
    EXPECT_EQ(presenter.m_aShown[1].text,
              "このプログラムのフォルダーが分からないため、Tosvelを探せませんでした。");
    RemoveEntry(program + "/Tosvel");  // Qt could not remove a folder of this name
    rmdir(EncodeNativePath(program).constData());
}

}  // namespace

#endif
