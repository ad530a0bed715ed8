#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <optional>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A second writer waits for the lock, and takes it when the first lets go within its time; a
// folder without a lock to take is nothing to wait for.
TEST(FileSystem, FolderLockKeepsASecondWriterOut) {
    QTemporaryDir dir;
    std::optional<CFolderLock> first(std::in_place, dir.path());
    ASSERT_TRUE(first->Acquired());
    EXPECT_FALSE(CFolderLock(dir.path(), 30ms).Acquired());
    std::thread letGo([&first] {
        std::this_thread::sleep_for(50ms);
        first.reset();
    });
    EXPECT_TRUE(CFolderLock(dir.path()).Acquired());
    letGo.join();
    EXPECT_TRUE(CFolderLock(dir.filePath("missing"), 30ms).Acquired());
}

// Only a regular file of at most the limit is read; anything else is unusable, not waited on.
TEST(FileSystem, ReadTakesOnlyRegularFilesWithinTheLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteBytes(dir.filePath("ten"), "0123456789"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    const struct {
        QString path;
        qint64 limit;
        FileRead state;
        QByteArray bytes;
    } cases[] = {{dir.filePath("ten"), 10, FileRead::Read, "0123456789"},
                 {dir.filePath("ten"), 9, FileRead::Unusable, ""},
                 {dir.filePath("missing"), 10, FileRead::Missing, ""},
                 {dir.filePath("pipe"), 10, FileRead::Unusable, ""},
                 {dir.path(), 10, FileRead::Unusable, ""}};
    for (const auto& c : cases) {
        QByteArray bytes = "left over";
        EXPECT_EQ(ReadRegularFile(c.path, c.limit, bytes), c.state) << c.path.toStdString();
        EXPECT_EQ(bytes, c.bytes);
    }
}

// An update in place takes a regular file only and says when it could not write it all; a new
// file or folder is made only where nothing stands.
TEST(FileSystem, WritesTellTheirResult) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Vesmer.ini");
    ASSERT_TRUE(WriteBytes(file, "a longer earlier content"));
    EXPECT_TRUE(WriteInPlace(file, "short"));
    EXPECT_EQ(ReadBytes(file), "short");
    EXPECT_FALSE(WriteInPlace("/dev/null", "x"));
    EXPECT_FALSE(WriteInPlace(dir.filePath("missing"), "x"));
    // On a full disk: refused before anything changes.
    OnAFullDisk([&] { EXPECT_FALSE(WriteInPlace(file, QByteArray(64 * 1024, 'x'))); });
    EXPECT_FALSE(WriteNewFile(file, "x", {}, NewFileMode::OwnerOnly));
    // A file to take the owner and mode of that is gone: no new file either.
    EXPECT_FALSE(WriteNewFile(dir.filePath("new"), "x", dir.filePath("gone"), NewFileMode::Shared));
    EXPECT_FALSE(MakePrivateFolder(file + "/folder"));
    EXPECT_EQ(ReadBytes(file), "short");
}

TEST(FileSystem, SameFolderByItsIdentity) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath("other")));
    EXPECT_TRUE(SameFolder(dir.path(), dir.filePath("other/..")));
    EXPECT_FALSE(SameFolder(dir.path(), dir.filePath("other")));
    EXPECT_FALSE(SameFolder(dir.path(), dir.filePath("missing")));
}

// A library is loaded only from a file and a folder that no one else can change.
TEST(FileSystem, OnlyFilesNoOneElseCanChangeAreSafeToLoad) {
    QTemporaryDir dir;
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const struct {
        const char* name;
        mode_t fileMode, folderMode;
        bool link, safe;
    } cases[] = {{"own", 0644, 0755, false, true},
                 {"groupWrites", 0664, 0755, false, false},
                 {"othersWrite", 0646, 0755, false, false},
                 {"sharedFolder", 0644, 01777, false, false},
                 {"link", 0644, 0755, true, false}};
    for (const auto& c : cases) {
        const QString folder = dir.filePath(c.name);
        const QString file = folder + "/module.so";
        ASSERT_TRUE(QDir().mkpath(folder) && WriteBytes(folder + "/target", "x"));
        ASSERT_TRUE(c.link ? QFile::link(folder + "/target", file) : WriteBytes(file, "x"));
        ASSERT_EQ(chmod(QFile::encodeName(file).constData(), c.fileMode) |
                      chmod(QFile::encodeName(folder).constData(), c.folderMode),
                  0);
        EXPECT_EQ(IsSafeToLoad(file), c.safe) << c.name;
    }
    EXPECT_FALSE(IsSafeToLoad(dir.filePath("missing")));
}

// Links are followed, relative ones from their own folder, up to 32 in a row.
TEST(FileSystem, LinkChainsAreFollowedUpTo32Links) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteBytes(dir.filePath("target"), "x"));
    QString previous = "target";
    for (int link = 1; link <= 33; ++link) {
        const QString name = QString::number(link);
        ASSERT_EQ(symlink(QFile::encodeName(previous).constData(),
                          QFile::encodeName(dir.filePath(name)).constData()),
                  0);
        previous = name;
    }
    const ResolvedPath within = ResolveLinks(dir.filePath("32"));
    EXPECT_TRUE(within.exists && !within.refused);
    EXPECT_EQ(within.path, dir.filePath("target"));
    EXPECT_TRUE(ResolveLinks(dir.filePath("33")).refused);
}

}  // namespace

#endif
