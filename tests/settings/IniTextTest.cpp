#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Cp932.h"
#include "settings/IniText.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

struct ReadCase {
    const char* name;
    std::string content;  // UTF-8, stored as code page 932
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

class IniTextRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniTextRead, FindsValueAsThePlatformDoes) {
    const ReadCase& c = GetParam();
    const std::optional<QByteArray> value =
        IniText::FindValue(ToCp932(c.content), ToCp932(c.section), ToCp932(c.key));
    ASSERT_EQ(value.has_value(), c.expected.has_value());
    EXPECT_EQ(value.value_or(""), ToCp932(c.expected.value_or("")));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniTextRead,
    testing::Values(ReadCase{"CrLf", "[S]\r\nk=v\r\n", "S", "k", "v"},
                    ReadCase{"LfOnly", "[S]\nk=v\n", "S", "k", "v"},
                    ReadCase{"NoFinalBreak", "[S]\nk=v", "S", "k", "v"},
                    ReadCase{"CaseOfNames", "[Vesmerデータ]\nKey=1", "VESMERデータ", "kEY", "1"},
                    ReadCase{"Blanks", "  [ S ]  \n \t k  =  v w \t\r\n", "S", "k", "v w"},
                    ReadCase{"DoubleQuotes", "[S]\nk=\" a b \"", "S", "k", " a b "},
                    ReadCase{"SingleQuotes", "[S]\nk='x'", "S", "k", "x"},
                    ReadCase{"UnmatchedQuotes", "[S]\nk=\"x'", "S", "k", "\"x'"},
                    ReadCase{"LoneQuote", "[S]\nk=\"", "S", "k", "\""},
                    ReadCase{"EqualsInValue", "[S]\nk=a=b", "S", "k", "a=b"},
                    ReadCase{"EmptyValue", "[S]\nk=", "S", "k", ""},
                    ReadCase{"FirstDuplicateKeyWins", "[S]\nk=1\nK=2", "S", "k", "1"},
                    ReadCase{"OnlyFirstSectionOfAName", "[S]\na=1\n[T]\n[s]\nk=2", "S", "k",
                             std::nullopt},
                    ReadCase{"KeyOfAnotherSection", "[T]\nk=1\n[S]\n", "S", "k", std::nullopt},
                    ReadCase{"KeyBeforeAnySection", "k=1\n[S]\n", "S", "k", std::nullopt},
                    ReadCase{"MissingSection", "[T]\nk=1\n", "S", "k", std::nullopt},
                    ReadCase{"CommentIsNoEntry", "[S]\n;k=1\n", "S", "k", std::nullopt},
                    ReadCase{"TextAfterBracket", "[S] tail\nk=1", "S", "k", "1"},
                    ReadCase{"UnclosedHeaderIsNoSection", "[S\nk=1", "S", "k", std::nullopt},
                    // ゾ is 0x83 0x5D: its second byte is no closing bracket.
                    ReadCase{"TrailByteBracket", "[ゾ]\nk=1", "ゾ", "k", "1"},
                    // ア is 0x83 0x41 and ャ 0x83 0x61: the second bytes differ only in ASCII case.
                    ReadCase{"TrailByteLetters", "[S]\nャ=1\nア=2", "S", "ア", "2"},
                    ReadCase{"Empty", "", "S", "k", std::nullopt}),
    CaseName<ReadCase>);

TEST(IniTextRead, LongValueIsCutWithoutSplittingACharacter) {
    QByteArray value = "xx";
    for (int i = 0; i < 2048; ++i) value += ToCp932("ア");
    const std::optional<QByteArray> read =
        IniText::FindValue(QByteArray("[S]\r\nk=") + value, "S", "k");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 4094);  // one more ア would pass 4095 bytes
    EXPECT_TRUE(value.startsWith(*read));
}

struct WriteCase {
    const char* name;
    QByteArray before;
    QByteArray after;
};

class IniTextWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniTextWrite, ChangesOnlyTheEntry) {
    QByteArray content = GetParam().before;
    ASSERT_TRUE(IniText::SetValue(content, "S", "k", "v"));
    EXPECT_EQ(content, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniTextWrite,
    testing::Values(
        WriteCase{"NewFile", "", "[S]\r\nk=v\r\n"},
        WriteCase{"ReplaceInPlace", "; head\r\n[S]\r\na=1\r\nk=old\r\nb=2\r\n",
                  "; head\r\n[S]\r\na=1\r\nk=v\r\nb=2\r\n"},
        WriteCase{"ReplaceAmongLfLines", "[S]\na=1\n  K = old \nb=2\n", "[S]\na=1\nk=v\r\nb=2\n"},
        WriteCase{"ReplaceFirstDuplicate", "[S]\r\nk=1\r\nk=2\r\n", "[S]\r\nk=v\r\nk=2\r\n"},
        WriteCase{"AppendBeforeBlankAndNextSection", "[S]\r\na=1\r\n\r\n[T]\r\nk=1\r\n",
                  "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nk=1\r\n"},
        WriteCase{"AppendBeforeNextSectionsComment", "[S]\r\na=1\r\n; about T\r\n[T]\r\n",
                  "[S]\r\na=1\r\nk=v\r\n; about T\r\n[T]\r\n"},
        WriteCase{"AppendAfterBareHeader", "[s]\r\n[T]\r\n", "[s]\r\nk=v\r\n[T]\r\n"},
        WriteCase{"AppendAfterLastLineWithoutBreak", "[S]\r\na=1", "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"AppendAfterHeaderWithoutBreak", "[S]", "[S]\r\nk=v\r\n"},
        WriteCase{"NewSectionAtEnd", "[T]\r\nx=1", "[T]\r\nx=1\r\n[S]\r\nk=v\r\n"},
        WriteCase{"NewSectionAfterGarbage", QByteArray("\x00\xff\x81", 3),
                  QByteArray("\x00\xff\x81\r\n[S]\r\nk=v\r\n", 15)}),
    CaseName<WriteCase>);

TEST(IniTextWrite, RefusesNamesAndValuesThatWouldNotReadBack) {
    const QByteArray original = "[S]\r\nk=1\r\n";
    struct Bad {
        QByteArray section, key, value;
    };
    for (const Bad& bad :
         {Bad{"", "k", "v"}, Bad{"a]b", "k", "v"}, Bad{"a\nb", "k", "v"}, Bad{" S", "k", "v"},
          Bad{"S", "", "v"}, Bad{"S", "a=b", "v"}, Bad{"S", "[k", "v"}, Bad{"S", ";k", "v"},
          Bad{"S", "k\r", "v"}, Bad{"S", " k", "v"}, Bad{"S", "k", "a\r\nb"}}) {
        QByteArray content = original;
        EXPECT_FALSE(IniText::SetValue(content, bad.section, bad.key, bad.value))
            << bad.section.toStdString() << "/" << bad.key.toStdString();
        EXPECT_EQ(content, original);
    }
}

TEST(IniTextWrite, SectionWithTrailByteBracketIsFoundAgain) {
    QByteArray content;
    ASSERT_TRUE(IniText::SetValue(content, ToCp932("ゾ"), "a", "1"));
    ASSERT_TRUE(IniText::SetValue(content, ToCp932("ゾ"), "b", "2"));
    EXPECT_EQ(content, ToCp932("[ゾ]\r\na=1\r\nb=2\r\n"));
}

}  // namespace
