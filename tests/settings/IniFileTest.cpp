#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <csignal>
#include <random>

#include "platform/Cp932.h"
#include "settings/IniFile.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

constexpr std::string_view kSection = "Vesmerデータ";
constexpr std::string_view kKey = "誕生日";

class IniFileTest : public testing::Test {
  protected:
    QString FilePath() const { return m_folder.Path(QStringLiteral("Vesmer.ini")); }
    CIniFile File() const { return CIniFile(FilePath()); }
    // A small valid file whose key reads "1985 6 15 0 0".
    QByteArray ValidContent() const {
        return Cp932Lines({"[Vesmerデータ]", "; note", "誕生日=1985 6 15 0 0", "他=x"});
    }

    TempFolder m_folder;
};

struct IntCase {
    std::string value;
    int expected;
};

class IniFileInt : public IniFileTest, public testing::WithParamInterface<IntCase> {};

TEST_P(IniFileInt, ReadsLeadingDecimalNumber) {
    ASSERT_TRUE(WriteBytes(FilePath(),
                           Cp932Lines({"[Vesmerデータ]"}) + ToCp932("誕生日=" + GetParam().value)));
    EXPECT_EQ(File().GetInt(kSection, kKey, 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IniFileInt,
                         testing::Values(IntCase{"100", 100}, IntCase{"12abc", 12},
                                         IntCase{"abc", 0}, IntCase{"", 77}, IntCase{"-5", -5},
                                         IntCase{"+7", 7}, IntCase{"  42  ", 42},
                                         IntCase{"\"15\"", 15}, IntCase{"0x10", 0},
                                         IntCase{"１２", 0}, IntCase{"99999999999", INT_MAX},
                                         IntCase{"-99999999999", INT_MIN}));

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(File().GetInt(kSection, kKey, 5), 5);
    EXPECT_EQ(File().GetString(kSection, kKey, "d"), "d");
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    EXPECT_EQ(File().GetInt("他", kKey, 6), 6);
    EXPECT_EQ(File().GetString(kSection, "無", "e"), "e");
    EXPECT_EQ(File().GetString(kSection, kKey, "e"), "1985 6 15 0 0");
}

TEST_F(IniFileTest, SeveralEntriesAreOneReplacementInTheirOrder) {
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    const CIniFile::Entries entries = {{"新", "1"}, {"誕生日", "2"}, {"bad=key", "3"}, {"末", "4"}};
    EXPECT_FALSE(File().WriteStrings(kSection, entries));  // one key could not be stored
    EXPECT_EQ(ReadBytes(FilePath()),
              Cp932Lines({"[Vesmerデータ]", "; note", "誕生日=2", "他=x", "新=1", "末=4"}));
}

TEST_F(IniFileTest, WriteKeepsOtherLinesAndPermissions) {
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(FilePath(), permissions));
    ASSERT_TRUE(File().WriteInt(kSection, kKey, 1));
    EXPECT_EQ(ReadBytes(FilePath()), Cp932Lines({"[Vesmerデータ]", "; note", "誕生日=1", "他=x"}));
    EXPECT_EQ(QFileInfo(FilePath()).permissions() & 0xf0ff, permissions);
}

TEST_F(IniFileTest, InvalidShiftJisAndBinaryGarbageDoNotStopTheReader) {
    QByteArray garbage(4096, '\0');
    std::mt19937 random(7);
    for (char& c : garbage) c = static_cast<char>(random() & 0xff);
    garbage.replace('\n', ' ');
    const QByteArray invalid("\x81\x0a\xfc[\x85=\xa0\xff\r\n", 10);
    ASSERT_TRUE(WriteBytes(FilePath(), garbage + "\r\n" + invalid + ValidContent() +
                                           ToCp932("壊=") + QByteArray("\x82\xff\x81")));
    EXPECT_EQ(File().GetString(kSection, kKey, ""), "1985 6 15 0 0");
    const std::string broken = File().GetString(kSection, "壊", "");
    EXPECT_FALSE(broken.empty());
    EXPECT_EQ(QString::fromStdString(broken).toStdString(), broken);  // valid UTF-8

    // A write keeps every byte that is not the entry's own line.
    const QByteArray before = ReadBytes(FilePath());
    ASSERT_TRUE(File().WriteString(kSection, "新", "1"));
    EXPECT_EQ(ReadBytes(FilePath()), before + "\r\n" + ToCp932("新=1\r\n"));
    EXPECT_EQ(File().GetInt(kSection, "新", 0), 1);
}

TEST_F(IniFileTest, Utf8FileWithByteOrderMarkIsNotTakenForCodePage932) {
    const QByteArray utf8 =
        "\xEF\xBB\xBF" + QByteArray("[Vesmerデータ]\r\n誕生日=1990 1 1 0 0\r\n");
    ASSERT_TRUE(WriteBytes(FilePath(), utf8));
    EXPECT_EQ(File().GetString(kSection, kKey, "none"), "none");
    ASSERT_TRUE(File().WriteString(kSection, kKey, "2000 1 1 0 0"));
    EXPECT_TRUE(ReadBytes(FilePath()).startsWith(utf8));
    EXPECT_EQ(File().GetString(kSection, kKey, "none"), "2000 1 1 0 0");
}

TEST_F(IniFileTest, LineOfSeveralMegabytesIsReadAndItsValueBounded) {
    const QByteArray huge(3 * 1024 * 1024, 'x');
    ASSERT_TRUE(WriteBytes(FilePath(), Cp932Lines({"[Vesmerデータ]"}) + "big=" + huge + "\r\n" +
                                           huge + "\r\n" + ToCp932("誕生日=7\r\n")));
    EXPECT_EQ(File().GetInt(kSection, kKey, 0), 7);
    EXPECT_EQ(File().GetString(kSection, "big", "").size(), 4095u);
    const qint64 size = QFileInfo(FilePath()).size();
    ASSERT_TRUE(File().WriteInt(kSection, kKey, 8));
    EXPECT_EQ(File().GetInt(kSection, kKey, 0), 8);
    EXPECT_EQ(QFileInfo(FilePath()).size(), size);
}

TEST_F(IniFileTest, FileOverTheSizeLimitIsNoSettingsFileAndIsKept) {
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.resize(50 * 1024 * 1024));  // sparse: no 50 MB are written
    }
    EXPECT_EQ(File().GetString(kSection, kKey, "none"), "none");
    EXPECT_FALSE(File().WriteInt(kSection, kKey, 1));
    EXPECT_EQ(QFileInfo(FilePath()).size(), 50 * 1024 * 1024);
    EXPECT_TRUE(ReadBytes(FilePath()).startsWith(ValidContent()));
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileOrFileInPlaceOfTheFolderIsNotWritten) {
    ASSERT_TRUE(QDir().mkpath(FilePath()));
    EXPECT_EQ(File().GetInt(kSection, kKey, 3), 3);
    EXPECT_FALSE(File().WriteInt(kSection, kKey, 1));
    EXPECT_TRUE(QFileInfo(FilePath()).isDir());
    EXPECT_TRUE(QDir(FilePath()).isEmpty());
    // No process, root included, can create a folder where a regular file stands.
    const QString plain = m_folder.Path(QStringLiteral("plain"));
    ASSERT_TRUE(WriteBytes(plain, "x"));
    EXPECT_FALSE(CIniFile(plain + QStringLiteral("/Vesmer.ini")).WriteInt(kSection, kKey, 1));
    EXPECT_EQ(ReadBytes(plain), "x");
}

TEST_F(IniFileTest, ReadOnlyFileIsReadButNeverReplaced) {
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    ASSERT_TRUE(QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_EQ(File().GetString(kSection, kKey, ""), "1985 6 15 0 0");
    EXPECT_FALSE(File().WriteString(kSection, kKey, "1 1 1 0 0"));
    EXPECT_FALSE(File().WriteString(kSection, "新", "1"));
    EXPECT_EQ(ReadBytes(FilePath()), ValidContent());
}

TEST_F(IniFileTest, ReadOnlyFolderTakesNoNewFileButUpdatesAWritableOneInPlace) {
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    const QString folder = m_folder.Root();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const bool ignored = PermissionsAreIgnored(folder);
    const bool replaced = !ignored && File().WriteInt(kSection, kKey, 1);
    const bool created = !ignored && CIniFile(m_folder.Path("VesmerDlg.ini")).WriteInt("S", "k", 1);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (ignored) GTEST_SKIP() << "this process writes into read-only folders (root)";
    EXPECT_TRUE(replaced);
    EXPECT_FALSE(created);
    EXPECT_EQ(File().GetInt(kSection, kKey, 0), 1);
    EXPECT_FALSE(QFileInfo::exists(m_folder.Path(QStringLiteral("VesmerDlg.ini"))));
}

TEST_F(IniFileTest, FailedWriteLeavesThePreviousFileIntact) {
    // Files may not grow past 32 bytes while the write runs, as on a full disk.
    ASSERT_TRUE(WriteBytes(FilePath(), ValidContent()));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = File().WriteString(kSection, kKey, "1 2 3 4 5 6 7 8 9 10 11 12 13 14");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(FilePath()), ValidContent());
    EXPECT_EQ(QDir(m_folder.Root()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Vesmer.ini")});
}

}  // namespace
