#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/IniText.h"

namespace {

struct ReadCase {
    const char* name;
    QByteArray content;
    const char* key;
    std::optional<QByteArray> value;
};

TEST(IniTextRead, FindsTheValueAsThePlatformDoes) {
    const ReadCase cases[] = {
        {"LfOnlyAndNoFinalBreak", "[S]\na=1\nk=v", "k", "v"},
        {"CaseOfNames", "[s]\nK=1", "k", "1"},
        {"Blanks", "  [ S ]  \n \t k  =  v w \t\r\n", "k", "v w"},
        {"BlankValue", "[S]\nk=  \t\nz=1", "k", ""},
        {"EmptyValue", "[S]\nk=", "k", ""},
        {"DoubleQuotes", "[S]\nk=\" a b \"", "k", " a b "},
        {"SingleQuotes", "[S]\nk='x'", "k", "x"},
        {"EmptyQuotes", "[S]\nk=\"\"", "k", ""},
        {"UnmatchedQuotes", "[S]\nk=\"x'", "k", "\"x'"},
        {"EqualsInValue", "[S]\nk=a=b", "k", "a=b"},
        {"KeysStartingWithABracket", "[S]\n[kk=0\n[k=1\nk=2", "k", "2"},
        {"KeyStartingWithABracket", "[S]\n[k=1\n", "[k", "1"},
        {"FirstDuplicateWins", "[S]\nk=1\nK=2", "k", "1"},
        {"OnlyTheFirstSectionOfAName", "[S]\na=1\n[T]\n[s]\nk=2", "k", std::nullopt},
        {"KeyOfAnotherSection", "[T]\nk=1\n[S]\n", "k", std::nullopt},
        {"BracketKeyOfAnotherSection", "[T]\n[k=1\n[S]\n", "[k", std::nullopt},
        {"KeyBeforeAnySection", "k=1\n[S]\n", "k", std::nullopt},
        {"CommentIsNoEntry", "[S]\n;k=1\n", "k", std::nullopt},
        {"KeyWithoutEquals", "[S]\nk\n", "k", std::nullopt},
        {"EntriesAfterBlankAndComment", "[S]\n\n; note\nk=1", "k", "1"},
        {"TextAfterTheBracket", "[S] tail\nk=1", "k", "1"},
        {"UnclosedHeaderIsNoSection", "[S\nk=1", "k", std::nullopt},
        {"EmptyHeaderEndsTheSection", "[S]\n[]\nk=1", "k", std::nullopt},
        // ゾ is 83 5D: its second byte is no closing bracket, so that line is no section.
        {"TrailByteIsNoBracket", "[S]\n[\x83]\nk=1", "k", "1"},
        // ア is 83 41 and ャ 83 61: their second bytes differ only in ASCII case.
        {"TrailByteIsNoLetter", "[S]\n\x83\x61=1\n\x83\x41=2", "\x83\x41", "2"},
        {"KeyEndingInALoneLeadByte", "[S]\nk\x81=1", "k\x81", "1"}};
    for (const ReadCase& c : cases) {
        EXPECT_EQ(IniText::FindValue(c.content, "S", c.key), c.value) << c.name;
        // The one-pass reader, asked for the key among others of its length and once again.
        const auto values = IniText::FindValues(c.content, "S", {"a", c.key, "zz", "[k", c.key});
        EXPECT_EQ(values[1], c.value) << c.name;
        EXPECT_EQ(values[4], c.value) << c.name;
    }
}

// A value is cut to 4095 bytes, but never inside a double-byte character: a lead byte
// (81-9F, E0-FC) followed by a trail byte (40-7E, 80-FC) is one character.
TEST(IniTextRead, ValueIsCutTo4095BytesWithoutSplittingACharacter) {
    const auto read = [](const QByteArray& value) {
        return IniText::FindValue("[S]\r\nk=" + value + "\r\n", "S", "k").value_or("missing");
    };
    const QByteArray filler(4094, 'x');
    EXPECT_EQ(read(filler + "y"), filler + "y");
    EXPECT_EQ(read(filler + "yz"), filler + "y");
    for (const int lead : {0x80, 0x81, 0x9F, 0xA0, 0xDF, 0xE0, 0xFC, 0xFD}) {
        for (const int trail : {0x3F, 0x40, 0x7E, 0x7F, 0x80, 0xFC, 0xFD}) {
            const bool isLead = lead == 0x81 || lead == 0x9F || lead == 0xE0 || lead == 0xFC;
            const bool isTrail = trail != 0x3F && trail != 0x7F && trail != 0xFD;
            EXPECT_EQ(read(filler + char(lead) + char(trail)).size(),
                      isLead && isTrail ? 4094 : 4095)
                << std::hex << lead << " " << trail;
        }
    }
}

struct WriteCase {
    const char* name;
    QByteArray before;
    QByteArray after;
};

TEST(IniTextWrite, ChangesOnlyTheEntry) {
    const WriteCase cases[] = {
        {"NewFile", "", "[S]\r\nk=v\r\n"},
        {"ReplaceAmongLfLines", "[S]\na=1\n  K = old \nb=2\n", "[S]\na=1\nk=v\r\nb=2\n"},
        {"ReplaceTheLastLine", "[S]\r\nk=old", "[S]\r\nk=v\r\n"},
        {"ReplaceTheFirstDuplicate", "[S]\r\nk=1\r\nk=2\r\n", "[S]\r\nk=v\r\nk=2\r\n"},
        {"AppendBeforeBlankAndNextSection", "[S]\r\na=1\r\n\r\n[T]\r\nk=1\r\n",
         "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nk=1\r\n"},
        {"AppendBeforeCommentOfNextSection", "[S]\r\na=1\r\n; T\r\n[T]\r\n",
         "[S]\r\na=1\r\nk=v\r\n; T\r\n[T]\r\n"},
        {"AppendAfterBareHeader", "[s]\r\n[T]\r\n", "[s]\r\nk=v\r\n[T]\r\n"},
        {"AppendAfterLastLineWithoutBreak", "[S]\r\na=1", "[S]\r\na=1\r\nk=v\r\n"},
        {"NewSectionAtTheEnd", "[T]\r\nx=1", "[T]\r\nx=1\r\n[S]\r\nk=v\r\n"}};
    for (const WriteCase& c : cases) {
        QByteArray content = c.before;
        // The section is exactly the text given; the bracket after it is not its own.
        EXPECT_TRUE(IniText::SetValue(content, QByteArrayView("S]").first(1), "k", "v")) << c.name;
        EXPECT_EQ(content, c.after) << c.name;
    }
    QByteArray content;
    ASSERT_TRUE(IniText::SetValue(content, "\x83\x5D", "a", "1"));  // ゾ
    ASSERT_TRUE(IniText::SetValue(content, "\x83\x5D", "b", "2"));
    EXPECT_EQ(content, "[\x83\x5D]\r\na=1\r\nb=2\r\n");
}

TEST(IniTextWrite, RefusesNamesAndValuesThatWouldNotReadBack) {
    const QByteArray original = "[S]\r\nk=1\r\n";
    const QByteArray bad[][3] = {{"", "k", "v"},     {"a]b", "k", "v"}, {"]b", "k", "v"},
                                 {"a\nb", "k", "v"}, {" S", "k", "v"},  {"S", "", "v"},
                                 {"S", "a=b", "v"},  {"S", "[k", "v"},  {"S", ";k", "v"},
                                 {"S", "k\r", "v"},  {"S", " k", "v"},  {"S", "k", "a\nb"}};
    for (const auto& [section, key, value] : bad) {
        QByteArray content = original;
        EXPECT_FALSE(IniText::SetValue(content, section, key, value))
            << section.toStdString() << "/" << key.toStdString();
        EXPECT_EQ(content, original);
    }
}

}  // namespace
