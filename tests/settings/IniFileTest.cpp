#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settings/IniFile.h"
#include "tests/support/TestFiles.h"

namespace {

class IniFileTest : public testing::Test {
  protected:
    QString Path(const char* name = "Vesmer.ini") const { return m_dir.filePath(name); }
    CIniFile File() const { return CIniFile(Path()); }

    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, ReadsNumbersAndTextsOrTheDefaults) {
    ASSERT_TRUE(WriteBytes(Path(), Cp932Lines({"[データ]", "数=-12abc", "字=平成", "空="})));
    for (const auto& [key, number, text] :
         {std::tuple{"数", -12, "-12abc"}, {"字", 0, "平成"}, {"空", 77, ""}, {"無", 77, "d"}}) {
        EXPECT_EQ(File().GetInt("データ", key, 77), number) << key;
        EXPECT_EQ(File().GetString("データ", key, "d"), text) << key;
    }
    EXPECT_EQ(File().GetInt("他", "数", 77), 77);
}

TEST_F(IniFileTest, WritesCreateTheFolderAndChangeOnlyTheirEntries) {
    const CIniFile::Entries entries = {{"新", "1"}, {"誕生日", "2"}, {"bad=key", "3"}, {"末", "4"}};
    CIniFile file(Path("sub/dir/Vesmer.ini"));
    EXPECT_TRUE(file.WriteInt("データ", "誕生日", -7));
    EXPECT_EQ(ReadBytes(file.Path()), Cp932Lines({"[データ]", "誕生日=-7"}));
    EXPECT_FALSE(file.WriteStrings("データ", entries));  // one key cannot be stored
    EXPECT_EQ(ReadBytes(file.Path()), Cp932Lines({"[データ]", "誕生日=2", "新=1", "末=4"}));
}

TEST_F(IniFileTest, ReadOnlyFileIsReadAndOnlyAnUnchangedWriteSucceeds) {
    ASSERT_TRUE(WriteBytes(Path(), Cp932Lines({"[データ]", "数=1"})));
    ASSERT_TRUE(QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_TRUE(File().WriteInt("データ", "数", 1));
    EXPECT_FALSE(File().WriteInt("データ", "数", 2));
}

TEST_F(IniFileTest, FileOfMoreThan8MiBIsNoSettingsFile) {
    ASSERT_TRUE(WriteBytes(Path(), "[S]\r\nk=7\r\n"));
    QFile file(Path());
    ASSERT_TRUE(file.resize(CIniFile::kMaxFileBytes));  // zeros after the entry
    EXPECT_EQ(File().GetInt("S", "k", 0), 7);
    EXPECT_TRUE(File().WriteInt("S", "k", 8));    // same size
    EXPECT_FALSE(File().WriteInt("S", "k", 10));  // one byte more
    ASSERT_TRUE(file.resize(CIniFile::kMaxFileBytes + 1));
    EXPECT_EQ(File().GetInt("S", "k", 0), 0);
    EXPECT_FALSE(File().WriteInt("S", "k", 9));
    EXPECT_TRUE(ReadBytes(Path()).startsWith("[S]\r\nk=8\r\n"));
}

// A save of two files makes their folder and new files private and writes nothing when one of them
// cannot take its update: a key it cannot store, or a file too large to be a settings file.
TEST_F(IniFileTest, PairSaveMakesItsFolderOrWritesNothing) {
    const QString first = Path("pair/Vesmer.ini"), second = Path("pair/VesmerDlg.ini");
    const auto save = [&](const char* key, const char* value) {
        return WriteIniFilesTogether({{first, "S", {{"k", value}}}, {second, "S", {{key, value}}}});
    };
    ASSERT_EQ(save("k", "1"), -1);
#ifndef _WIN32
    EXPECT_EQ(std::pair(Mode(Path("pair")), Mode(second)), std::pair(0700u, 0600u));
#endif
    const QByteArray saved = Cp932Lines({"[S]", "k=1"});
    EXPECT_EQ(save("bad=key", "2"), 1);
    EXPECT_EQ(ReadBytes(first) + ReadBytes(second), saved + saved);
    QFile large(first);
    ASSERT_TRUE(large.resize(CIniFile::kMaxFileBytes + 1));
    EXPECT_EQ(save("k", "3"), 0);
    EXPECT_EQ(large.size(), CIniFile::kMaxFileBytes + 1);
    EXPECT_EQ(ReadBytes(second), saved);
}

}  // namespace
