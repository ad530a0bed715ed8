#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "tests/export/FileTestSupport.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

const QByteArray kOld = "old\r\n";
const QByteArray kNew = "new\r\n";
// 表示 in code page 932: not valid UTF-8, as an archive unpacked on Linux leaves a folder name.
const QByteArray kShiftJisName = "\x95\x5c\x8e\xa6";

// The path as the system calls take it; valid until the end of the statement.
const char* Native(const QString& path, QByteArray&& bytes = {}) {
    bytes = EncodeNativePath(path);
    return bytes.constData();
}

class FileRulesTest : public testing::Test {
  protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// A link to another file, planted where a save will go.
struct LinkCase {
    const char* name;
    mode_t folderMode;
    bool linkOfAnotherUser;
    bool folderOfAnotherUser;
    bool followed;
};

class PlantedLink : public FileRulesTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(PlantedLink, IsFollowedOnlyWhenNobodyElseCouldHavePlacedIt) {
    const LinkCase& c = GetParam();
    if ((c.linkOfAnotherUser || c.folderOfAnotherUser) && !IsPrivileged())
        GTEST_SKIP() << "only root can give files to another user";
    const QString victim = Path("bashrc");
    const QString folder = Path("bin");
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

INSTANTIATE_TEST_SUITE_P(
    Rule, PlantedLink,
    testing::Values(LinkCase{"OwnLinkInOwnFolder", 0755, false, false, true},
                    LinkCase{"FolderEveryoneWrites", 01777, false, false, false},
                    LinkCase{"FolderTheGroupWrites", 0775, false, false, false},
                    LinkCase{"FolderOfAnotherUser", 0755, false, true, false},
                    LinkCase{"LinkOfAnotherUser", 0755, true, false, false}),
    [](const testing::TestParamInfo<LinkCase>& test) { return test.param.name; });

TEST_F(FileRulesTest, WritableFileInAFolderThatCannotBeWrittenIsUpdatedInPlace) {
    const QString folder = Path("locked");
    const QString file = folder + "/Vesmer.ini";
    ASSERT_TRUE(QDir().mkpath(folder) && WriteBytes(file, kOld));
    ASSERT_EQ(chmod(Native(file), 0666) | chmod(Native(folder), 0555), 0);
    const auto body = [&] {
        const bool grown = WriteWholeFile(file, kNew + kNew + kNew);
        return grown && WriteWholeFile(file, kNew) && !WriteWholeFile(folder + "/New.ini", kNew)
                   ? 0
                   : 1;
    };
    std::string reason;
    // As an ordinary user: root would write the folder all the same.
    const int result = IsPrivileged() && chmod(Native(m_dir.path()), 0755) == 0
                           ? RunUnprivileged(body, reason)
                           : body();
    chmod(Native(folder), 0755);
    if (result < 0) GTEST_SKIP() << reason;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(file), kNew);
    EXPECT_EQ(Entries(folder), QStringList{"Vesmer.ini"});
}

TEST_F(FileRulesTest, RootReplacingAUsersFileKeepsItsOwnerGroupAndMode) {
    if (!IsPrivileged()) GTEST_SKIP() << "only root can replace another user's file";
    const QString file = Path("Vesmer.ini");
    ASSERT_TRUE(WriteBytes(file, kOld));
    ASSERT_EQ(chown(Native(file), kNobody, kNobody) | chmod(Native(file), 0640), 0);
    ASSERT_TRUE(WriteWholeFile(file, kNew, NewFileMode::OwnerOnly));
    struct stat info {};
    ASSERT_EQ(stat(Native(file), &info), 0);
    EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777),
              std::tuple(kNobody, kNobody, 0640u));
    EXPECT_EQ(ReadBytes(file), kNew);
}

TEST_F(FileRulesTest, NewFilesAreOwnerOnlyAndLeftoverTemporaryFilesAreRemoved) {
    ASSERT_TRUE(WriteBytes(Path(".Vesmer.ini.vesmer-new"), "half"));
    ASSERT_TRUE(QFile::link(Path("elsewhere"), Path(".VesmerDlg.ini.vesmer-new")));
    ASSERT_EQ(WriteWholeFiles({{Path("Vesmer.ini"), kNew}, {Path("VesmerDlg.ini"), kNew}},
                              NewFileMode::OwnerOnly),
              -1);
    EXPECT_EQ(Entries(m_dir.path()), (QStringList{"Vesmer.ini", "VesmerDlg.ini"}));
    EXPECT_FALSE(QFileInfo::exists(Path("elsewhere")));
    EXPECT_EQ(Mode(Path("Vesmer.ini")), 0600u);
}

TEST(NativePath, AnyBytesSurviveAndShiftJisIsShownAsSuch) {
    for (const QByteArray& bytes :
         {QByteArray("/tmp/") + kShiftJisName, QByteArray("表/a"),
          QByteArray("\xed\xa0\x80\xc0\xaf\xff"), QByteArray("\xf0\x9f\x98\x80\xf4\x90\x80\x80")})
        EXPECT_EQ(EncodeNativePath(DecodeNativePath(bytes)), bytes) << bytes.toHex().constData();
    EXPECT_EQ(DisplayPath(DecodeNativePath("/a/" + kShiftJisName)), "/a/表示");
    EXPECT_EQ(DisplayPath(QStringLiteral("/a/表示")), "/a/表示");
}

TEST_F(FileRulesTest, ProgramFolderIsFoundWhateverTheBytesOfItsName) {
    const QString folder = DecodeNativePath(QFile::encodeName(m_dir.path()) + "/" + kShiftJisName);
    const QString probe = folder + "/probe";
    ASSERT_EQ(mkdir(Native(folder), 0700), 0);
    ASSERT_TRUE(WriteWholeFile(probe, ReadBytes(PROGRAM_FOLDER_PROBE)));
    ASSERT_EQ(chmod(Native(probe), 0700), 0);
    QByteArray program = EncodeNativePath(probe);
    QByteArray output = QFile::encodeName(Path("found"));
    char* const arguments[] = {program.data(), output.data(), nullptr};
    const pid_t child = fork();
    if (child == 0) _exit(execv(program.constData(), arguments) == 0 ? 0 : 127);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(Path("found")), EncodeNativePath(folder));
    RemoveEntry(probe);  // Qt could not remove a folder of this name
    rmdir(Native(folder));
}

}  // namespace

#endif
