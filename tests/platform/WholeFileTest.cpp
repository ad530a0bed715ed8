#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <map>
#include <tuple>

#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "tests/support/TestFiles.h"

namespace {

const QByteArray kOld = "the earlier content\r\n";
const QByteArray kNew = "\x95\xBD\x90\xAC\r\n\x81\x40new";

class WholeFileTest : public testing::Test {
  protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Every entry in the folder with its permissions and, for a regular file, its bytes.
    std::map<QString, QByteArray> Snapshot() const {
        std::map<QString, QByteArray> entries;
        QDirIterator it(m_dir.path(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries[info.filePath()] =
                QByteArray::number(int(info.permissions())) +
                (info.isFile() ? ReadBytes(info.filePath()) : "<not a file>");
        }
        return entries;
    }

    // The write is refused, alone or after another file of a pair, and nothing in the folder
    // changes: no file cut short, no leftovers.
    void ExpectRefused(const QString& path, const QByteArray& bytes = kNew) {
        const auto before = Snapshot();
        EXPECT_FALSE(WriteWholeFile(path, bytes)) << path.toStdString();
        EXPECT_EQ(WriteWholeFiles({{Path("first.txt"), kNew}, {path, bytes}}, NewFileMode::Shared),
                  1);
        EXPECT_EQ(Snapshot(), before);
    }

    QTemporaryDir m_dir;
};

// A longer file is replaced whole, keeping its permissions; a link stays a link to it.
TEST_F(WholeFileTest, FileHoldsExactlyTheBytesAndNothingIsLeftBeside) {
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    const QString file = Path("学歴　表.txt");
    ASSERT_TRUE(WriteWholeFile(file, kOld));
    ASSERT_TRUE(QFile::link(file, Path("link.txt")));
    for (const QByteArray& bytes : {QByteArray(100000, 'x'), kNew, QByteArray()}) {
        EXPECT_TRUE(WriteWholeFile(Path("link.txt"), bytes));
        EXPECT_EQ(ReadBytes(file), bytes);
        ASSERT_TRUE(QFile::setPermissions(file, permissions));
    }
    EXPECT_EQ(QFileInfo(file).permissions() & 0x7077, permissions);  // not the user's
    EXPECT_EQ(Snapshot().size(), 2u);
}

TEST_F(WholeFileTest, RefusesWhatIsNoWritableRegularFileOrDoesNotFit) {
    ExpectRefused(QString());
    ExpectRefused(Path("missing/file.txt"));
    ASSERT_TRUE(QDir().mkpath(Path("folder")));
    ASSERT_TRUE(WriteBytes(Path("folder/inside.txt"), kOld));
    ExpectRefused(Path("folder"));
    // No write bit: refused even for a user who passes every access check.
    ASSERT_TRUE(WriteBytes(Path("read-only.txt"), kOld));
    ASSERT_TRUE(QFile::setPermissions(Path("read-only.txt"), QFile::ReadOwner | QFile::ReadOther));
    ExpectRefused(Path("read-only.txt"));
#ifndef _WIN32
    // Opening a pipe would wait for a reader.
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
    ExpectRefused(Path("pipe"));
    // A write cut short by a full disk leaves the earlier file, and no new one.
    OnAFullDisk([this] {
        ExpectRefused(Path("folder/inside.txt"), QByteArray(64 * 1024, 'x'));
        ExpectRefused(Path("New.txt"), QByteArray(64 * 1024, 'x'));
    });
#endif
}

#ifndef _WIN32

// The path as the system calls take it; valid until the end of the statement.
const char* Native(const QString& path, QByteArray&& bytes = {}) {
    bytes = EncodeNativePath(path);
    return bytes.constData();
}

// A link to another file, planted where a save will go, is followed only when nobody else could
// have placed it. Only root can give files to another user.
TEST_F(WholeFileTest, PlantedLinkIsFollowedOnlyInAFolderNobodyElseWrites) {
    const struct {
        const char* name;
        mode_t folderMode;
        bool linkOfAnotherUser, folderOfAnotherUser, followed;
    } cases[] = {{"OwnLinkInOwnFolder", 0755, false, false, true},
                 {"FolderEveryoneWrites", 01777, false, false, false},
                 {"FolderTheGroupWrites", 0775, false, false, false},
                 {"FolderOfAnotherUser", 0755, false, true, false},
                 {"LinkOfAnotherUser", 0755, true, false, false}};
    for (const auto& c : cases) {
        if ((c.linkOfAnotherUser || c.folderOfAnotherUser) && !IsPrivileged()) continue;
        SCOPED_TRACE(c.name);
        const QString victim = Path(c.name);
        const QString folder = Path(c.name + QStringLiteral("-bin"));
        const QString link = folder + "/Vesmer.ini";
        ASSERT_TRUE(WriteBytes(victim, kOld) && QDir().mkpath(folder) && QFile::link(victim, link));
        ASSERT_EQ(lchown(Native(link), c.linkOfAnotherUser ? kNobody : geteuid(), -1) |
                      chown(Native(folder), c.folderOfAnotherUser ? kNobody : geteuid(), -1) |
                      chmod(Native(folder), c.folderMode),
                  0);
        EXPECT_EQ(WriteWholeFile(link, kNew), c.followed);
        EXPECT_EQ(ReadWholeFile(link, 100).state, c.followed ? FileRead::Read : FileRead::Unusable);
        EXPECT_EQ(ReadBytes(victim), c.followed ? kNew : kOld);
        // A refused link stops a pair save before anything is written.
        EXPECT_EQ(WriteWholeFiles({{folder + "/a", kNew}, {link, kNew}}, NewFileMode::OwnerOnly),
                  c.followed ? -1 : 1);
        EXPECT_EQ(QFileInfo::exists(folder + "/a"), c.followed);
    }
}

// In a folder this user may not write, a writable file is updated in place and no new file
// appears; in a folder the user may write, another user's writable file is replaced (it cannot
// keep its owner then).
TEST_F(WholeFileTest, WritableFileInAFolderThatCannotBeWrittenIsUpdatedInPlace) {
    const QString folder = Path("locked");
    const QString file = folder + "/Vesmer.ini";
    const QString other = folder + "/VesmerDlg.ini";
    ASSERT_TRUE(QDir().mkpath(folder) && WriteBytes(file, kOld) && WriteBytes(other, kOld));
    ASSERT_EQ(chmod(Native(file), 0666) | chmod(Native(other), 0666) | chmod(Native(folder), 0555),
              0);
    const QString open = Path("open/Vesmer.ini");
    ASSERT_TRUE(QDir().mkpath(Path("open")) && WriteBytes(open, kOld));
    ASSERT_EQ(chmod(Native(open), 0666) | chmod(Native(Path("open")), 0777), 0);
    ASSERT_EQ(chmod(Native(m_dir.path()), 0755), 0);
    // Root passes every permission check, so a child that is "nobody" tries.
    const int status = InChild([&] {
        if (IsPrivileged() && (setgroups(0, nullptr) | setgid(kNobody) | setuid(kNobody)) != 0)
            return 2;
        const bool grown = WriteWholeFile(file, kNew + kNew + kNew);
        const bool pair = WriteWholeFiles({{other, kNew}, {file, kNew}}, NewFileMode::Shared) < 0;
        const bool replaced = WriteWholeFile(open, kNew);
        return grown && pair && replaced && !WriteWholeFile(folder + "/New.ini", kNew) ? 0 : 1;
    });
    chmod(Native(folder), 0755);
    EXPECT_EQ(status, 0) << "exit status 1: a write failed, 2: could not become nobody";
    EXPECT_EQ(ReadBytes(file) + ReadBytes(other) + ReadBytes(open), kNew + kNew + kNew);
    EXPECT_EQ(Entries(folder), (QStringList{"Vesmer.ini", "VesmerDlg.ini"}));
}

TEST_F(WholeFileTest, RootReplacingAUsersFileKeepsItsOwnerGroupAndMode) {
    if (!IsPrivileged()) GTEST_SKIP() << "only root can replace another user's file";
    const QString file = Path("Vesmer.ini");
    ASSERT_TRUE(WriteBytes(file, kOld));
    ASSERT_EQ(chown(Native(file), kNobody, getegid()) | chmod(Native(file), 0640), 0);
    ASSERT_TRUE(WriteWholeFile(file, kNew, NewFileMode::OwnerOnly));
    struct stat info {};
    ASSERT_EQ(stat(Native(file), &info), 0);
    EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777),
              std::tuple(kNobody, getegid(), 0640u));
    EXPECT_EQ(ReadBytes(file), kNew);
}

// A save removes what an interrupted one left (a link among it) and makes its new files
// owner-only. A committed save is finished by the next read, but a temporary file that has become
// a link since is not moved into place.
TEST_F(WholeFileTest, LeftoversAreClearedAndACommittedSaveFinishedWithoutALink) {
    const std::vector<QString> paths = {Path("Vesmer.ini"), Path("VesmerDlg.ini")};
    ASSERT_TRUE(WriteBytes(Path(".Vesmer.ini.vesmer-new"), "half"));
    ASSERT_TRUE(QFile::link(Path("elsewhere"), Path(".VesmerDlg.ini.vesmer-new")));
    ASSERT_EQ(WriteWholeFiles({{paths[0], kOld}, {paths[1], kOld}}, NewFileMode::OwnerOnly), -1);
    EXPECT_EQ(Entries(m_dir.path()), (QStringList{"Vesmer.ini", "VesmerDlg.ini"}));
    EXPECT_FALSE(QFileInfo::exists(Path("elsewhere")));
    EXPECT_EQ(Mode(paths[0]), 0600u);
    SetWriteStepHookForTesting([](int step) { return step < 2; });  // stops after the commit
    WriteWholeFiles({{paths[0], kNew}, {paths[1], kNew}}, NewFileMode::OwnerOnly);
    SetWriteStepHookForTesting({});
    ASSERT_TRUE(WriteBytes(Path("other"), "other") &&
                QFile::remove(Path(".Vesmer.ini.vesmer-new")) &&
                QFile::link(Path("other"), Path(".Vesmer.ini.vesmer-new")));
    const std::vector<WholeFileContent> read = ReadWholeFiles(paths, 100);
    EXPECT_EQ(read[0].bytes + read[1].bytes, kOld + kNew);
}

#endif

}  // namespace
