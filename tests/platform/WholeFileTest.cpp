#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <map>

#include "platform/WholeFile.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace {

const QByteArray kOld = "the earlier content\r\n";
const QByteArray kNew = "\x95\xBD\x90\xAC\r\n\x81\x40new";

class WholeFileTest : public testing::Test {
  protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

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

    // The write is refused and nothing in the folder changes: no file cut short, no leftovers.
    void ExpectRefused(const QString& path, const QByteArray& bytes = kNew) {
        const auto before = Snapshot();
        EXPECT_FALSE(WriteWholeFile(path, bytes)) << path.toStdString();
        EXPECT_EQ(Snapshot(), before);
    }

    QTemporaryDir m_dir;
};

// A longer file is replaced whole, keeping its permissions; a link stays a link to it.
TEST_F(WholeFileTest, FileHoldsExactlyTheBytesAndNothingIsLeftBeside) {
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(WriteWholeFile(Path("学歴　表.txt"), kOld));
    ASSERT_TRUE(QFile::link(Path("学歴　表.txt"), Path("link.txt")));
    for (const QByteArray& bytes : {QByteArray(100000, 'x'), kNew, QByteArray()}) {
        EXPECT_TRUE(WriteWholeFile(Path("link.txt"), bytes));
        EXPECT_EQ(ReadBytes(Path("学歴　表.txt")), bytes);
        ASSERT_TRUE(QFile::setPermissions(Path("学歴　表.txt"), permissions));
    }
    EXPECT_TRUE(QFileInfo(Path("link.txt")).isSymLink());
    EXPECT_EQ(QFileInfo(Path("学歴　表.txt")).permissions() & 0x7077,
              permissions);  // not the user's
    EXPECT_EQ(Snapshot().size(), 2u);
}

TEST_F(WholeFileTest, RefusesWhatIsNoWritableRegularFile) {
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
#endif
}

#ifndef _WIN32

TEST_F(WholeFileTest, WriteCutShortLeavesTheEarlierFile) {
    // Files may not grow past 16 KiB while the write runs, as on a full disk.
    ASSERT_TRUE(WriteBytes(Path("MyHistory.txt"), kOld));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{16 * 1024, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectRefused(Path("MyHistory.txt"), QByteArray(64 * 1024, 'x'));
    ExpectRefused(Path("New.txt"), QByteArray(64 * 1024, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}

// In a folder that may not be written, no new file appears. Root
// passes every permission check, so a child that is "nobody" tries.
TEST_F(WholeFileTest, ReadOnlyFolderTakesNoNewFile) {
    ASSERT_TRUE(QDir().mkpath(Path("locked")));
    ASSERT_TRUE(WriteBytes(Path("locked/MyHistory.txt"), kOld));
    for (const char* path : {"", "locked/MyHistory.txt"})
        ASSERT_TRUE(QFile::setPermissions(Path(path), QFileDevice::Permissions(0x7777)));
    ASSERT_TRUE(QFile::setPermissions(Path("locked"), QFileDevice::Permissions(0x5555)));
    const auto before = Snapshot();
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        // The writable file there is updated in place (file rule tests); nothing new appears.
        _exit(WriteWholeFile(Path("locked/New.txt"), kNew) ? 1 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << "exit status 1: written, 2: could not become nobody";
    EXPECT_EQ(Snapshot(), before);
    QFile::setPermissions(Path("locked"), QFileDevice::Permissions(0x7777));
}

#endif

}  // namespace
