#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

// 表示 in code page 932: not valid UTF-8, as an archive unpacked on Linux leaves a folder name.
const QByteArray kShiftJisName = "\x95\x5c\x8e\xa6";

TEST(NativePath, AnyBytesSurviveAndShiftJisIsShownAsSuch) {
    for (const QByteArray& bytes :
         {QByteArray("/tmp/") + kShiftJisName, QByteArray("表/a"),
          QByteArray("\xed\xa0\x80\xc0\xaf\xff"), QByteArray("\xf0\x9f\x98\x80\xf4\x90\x80\x80")})
        EXPECT_EQ(EncodeNativePath(DecodeNativePath(bytes)), bytes) << bytes.toHex().constData();
    EXPECT_EQ(DisplayPath(DecodeNativePath("/a/" + kShiftJisName)), "/a/表示");
    EXPECT_EQ(DisplayPath(QStringLiteral("/a/表示")), "/a/表示");
}

TEST(NativePath, ProgramFolderIsFoundWhateverTheBytesOfItsName) {
    QTemporaryDir dir;
    const QString folder = DecodeNativePath(QFile::encodeName(dir.path()) + "/" + kShiftJisName);
    const QString probe = folder + "/probe";
    ASSERT_EQ(mkdir(EncodeNativePath(folder).constData(), 0700), 0);
    ASSERT_TRUE(WriteWholeFile(probe, ReadBytes(PROGRAM_FOLDER_PROBE)));
    QByteArray program = EncodeNativePath(probe);
    ASSERT_EQ(chmod(program.constData(), 0700), 0);
    QByteArray output = QFile::encodeName(dir.filePath("found"));
    char* const arguments[] = {program.data(), output.data(), nullptr};
    const pid_t child = fork();
    if (child == 0) _exit(execv(program.constData(), arguments) == 0 ? 0 : 127);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(dir.filePath("found")), EncodeNativePath(folder));
    RemoveEntry(probe);  // Qt could not remove a folder of this name
    rmdir(EncodeNativePath(folder).constData());
}

}  // namespace

#endif
