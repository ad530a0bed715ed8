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

// A save of two files makes their folder and new files private and writes nothing when one of them
// cannot take its update: a key it cannot store, a file that cannot be replaced, or a file that
// is or would grow larger than a settings file may be (8 MiB), which is not read either.
TEST_F(IniFileTest, PairSaveMakesItsFolderOrWritesNothing) {
    const QString first = Path("pair/Vesmer.ini"), second = Path("pair/VesmerDlg.ini");
    const auto save = [&](const char* key, const char* value) {
        return WriteIniFilesTogether({{first, "S", {{"k", value}}}, {second, "S", {{key, value}}}});
    };
    const auto read = [&] { return ReadIniFilesTogether({{first, "S", {"k"}}})[0].GetInt("k", 0); };
    ASSERT_EQ(save("k", "1"), -1);
#ifndef _WIN32
    EXPECT_EQ(std::pair(Mode(Path("pair")), Mode(second)), std::pair(0700u, 0600u));
#endif
    const QByteArray saved = Cp932Lines({"[S]", "k=1"});
    EXPECT_EQ(save("bad=key", "2"), 1);
    ASSERT_TRUE(QFile::setPermissions(second, QFile::ReadOwner));  // never replaced
    EXPECT_EQ(save("k", "4"), 1);
    ASSERT_TRUE(QFile::setPermissions(second, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(ReadBytes(first) + ReadBytes(second), saved + saved);
    QFile large(first);
    ASSERT_TRUE(large.resize(CIniFile::kMaxFileBytes));  // zeros after the entry
    EXPECT_EQ(read(), 1);
    EXPECT_EQ(save("k", "10"), 0);  // one byte more
    EXPECT_EQ(save("k", "2"), -1);  // the same size
    ASSERT_TRUE(large.resize(CIniFile::kMaxFileBytes + 1));
    EXPECT_EQ(read(), 0);
    EXPECT_EQ(save("k", "3"), 0);
    EXPECT_EQ(large.size(), CIniFile::kMaxFileBytes + 1);
    EXPECT_EQ(ReadBytes(second), Cp932Lines({"[S]", "k=2"}));
}

}  // namespace
