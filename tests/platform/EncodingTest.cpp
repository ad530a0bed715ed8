#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/Cp932.h"
#include "platform/NativePath.h"
#include "platform/TerminalText.h"
#include "platform/UserFolders.h"
#include "platform/WholeFile.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8Samples.h"

namespace {

TEST(Cp932, BytesAsWindowsWritesShiftJisAndValidTextFromAnyBytes) {
    ASSERT_TRUE(Cp932Available());
    // 平 95 BD, 成 90 AC, the full-width space 81 40, 表 95 5C, ～ (U+FF5E) 81 60; CR LF kept.
    const QByteArray bytes("\x95\xBD\x90\xAC\r\n\x81\x40\x95\x5C\x81\x60!");
    EXPECT_EQ(ToCp932("平成\r\n　表～!"), bytes);
    EXPECT_EQ(FromCp932(bytes), "平成\r\n　表～!");
    const std::string broken = FromCp932(QByteArray("x\x82\xff\x81", 4));
    EXPECT_TRUE(broken.size() > 1 && broken.front() == 'x');
    EXPECT_EQ(QString::fromStdString(broken).toStdString(), broken);  // valid UTF-8
}

TEST(TerminalText, ControlCharactersAreShownEscaped) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("平成元年 1-8"), QStringLiteral("平成元年 1-8")},
        {QStringLiteral("\x1b[31m\t\n"), QStringLiteral("\\x1B[31m\\x09\\x0A")},
        {QString(QChar(0)) + QChar(0x7F) + QChar(0x9F) + QChar(0xA0),
         QStringLiteral("\\x00\\x7F\\x9F") + QChar(0xA0)}};
    for (const auto& [text, shown] : cases) EXPECT_EQ(EscapeControls(text), shown);
}

// Japanese breaks between its characters, but not before closing punctuation or small kana.
TEST(TerminalText, JapaneseIsWrappedToTheTerminalsColumns) {
    const struct {
        const char* text;
        int width, indent, start;
        const char* wrapped;
    } cases[] = {{"あいうえお", 6, 0, 0, "あいう\nえお"},
                 {"あい。うえ", 6, 2, 0, "あい。\n  うえ"},
                 {"あいッう", 5, 0, 0, "あ\nいッ\nう"},
                 {"（あい）う", 6, 0, 0, "（あ\nい）う"},
                 {"あい(う)", 7, 0, 0, "あい\n(う)"},
                 {"あいう: え", 6, 0, 0, "あい\nう: え"},
                 {"one two  three", 8, 1, 0, "one two\n three"},
                 {"abc\nあいう", 10, 4, 4, "abc\n    あいう"},
                 {"  あい  ", 10, 0, 0, "あい"},
                 {"1873年から", 6, 0, 2, "1873\n年から"}};
    for (const auto& c : cases)
        EXPECT_EQ(WrapForTerminal(QString::fromUtf8(c.text), c.width, c.indent, c.start),
                  QString::fromUtf8(c.wrapped))
            << c.text;
}

// The help's columns come from COLUMNS, 50 at the least.
TEST(TerminalText, HelpWidthFromTheEnvironment) {
    const std::pair<const char*, int> cases[] = {{nullptr, 70}, {"", 70},   {"8O", 70},
                                                 {"49", 50},    {"51", 51}, {"100000", 100000}};
    for (const auto& [columns, width] : cases) EXPECT_EQ(HelpWidth(columns), width) << columns;
}

// Two columns for each character of the wide ranges, one for those just outside them: two of
// them fill three columns or do not. Every plane from the second on is wide.
TEST(TerminalText, WideCharactersAtTheEdgesOfTheirRanges) {
    const char32_t edges[][2] = {{0x1100, 0x115F}, {0x2E80, 0xA4CF},   {0xAC00, 0xD7A3},
                                 {0xF900, 0xFAFF}, {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},
                                 {0xFFE0, 0xFFE6}, {0x20000, 0x10FFFF}};
    for (const auto& [first, last] : edges) {
        for (const char32_t c : {char32_t(first - 1), first, last, char32_t(last + 1)}) {
            if (c > 0x10FFFF) continue;
            const QString one = QString::fromUcs4(&c, 1);
            const bool wide = c >= first && c <= last;
            EXPECT_EQ(WrapForTerminal(one + one, 3, 0, 0), wide ? one + '\n' + one : one + one)
                << std::hex << unsigned(c);
        }
    }
}

#ifndef _WIN32

// 表示 in code page 932: not valid UTF-8, as an archive unpacked on Linux leaves a folder name.
const QByteArray kShiftJisName = "\x95\x5c\x8e\xa6";

TEST(NativePath, AnyBytesSurviveAndShiftJisIsShownAsSuch) {
    for (const QByteArray& bytes :
         {QByteArray("/tmp/") + kShiftJisName, QByteArray("\xed\xa0\x80\xc0\xaf\xff"),
          QByteArray("a\xf0\x90\x82\x80"
                     "b")})  // U+10080: its low surrogate is DC80
        EXPECT_EQ(EncodeNativePath(DecodeNativePath(bytes)), bytes) << bytes.toHex().constData();
    EXPECT_EQ(DisplayPath(DecodeNativePath("/a/" + kShiftJisName)), "/a/表示");
    EXPECT_EQ(DisplayPath(QStringLiteral("/a/表示")), "/a/表示");
}

// A well-formed character is one character of the path; any other byte but ASCII is one escape.
TEST(NativePath, EdgesOfEachUtf8LengthAreCharactersOrEscapedBytes) {
    for (const Utf8Sample& sample : kUtf8Samples) {
        const QByteArray bytes(sample.bytes.data(), static_cast<qsizetype>(sample.bytes.size()));
        QString expected;
        for (const char byte : bytes) {
            const auto unit = static_cast<unsigned char>(byte);
            expected += QChar(unit < 0x80 ? unit : 0xDC00 + unit);
        }
        if (sample.code) expected = QString::fromUcs4(&sample.code, 1);
        EXPECT_EQ(DecodeNativePath(bytes), expected) << bytes.toHex().constData();
    }
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
    EXPECT_EQ(InChild([&] { return execv(program.constData(), arguments) == 0 ? 0 : 127; }), 0);
    EXPECT_EQ(ReadBytes(dir.filePath("found")), EncodeNativePath(folder));
    RemoveEntry(probe);  // Qt could not remove a folder of this name
    rmdir(EncodeNativePath(folder).constData());
}

// The per-user folder comes only from absolute paths, and from a home that exists.
TEST(NativePath, UserConfigFolderNeedsAnAbsoluteHomeThatExists) {
    QTemporaryDir dir;
    const QByteArray home = QFile::encodeName(dir.path());
    const struct {
        QByteArray config, home;
        QString expected;  // %1: the existing home
    } cases[] = {{"", home + "/", "%1/.config/Tosvel"},
                 {"/xdg/config/", home, "/xdg/config/Tosvel"},
                 {"config", home, "%1/.config/Tosvel"},
                 {"", "", ""},
                 {"", "home", ""},
                 {"", home + "/missing", ""}};
    for (const auto& c : cases) {
        const auto getEnv = [&c](const char* name) {
            return QByteArray(name) == "HOME" ? c.home : c.config;
        };
        EXPECT_EQ(UserConfigFolder(QStringLiteral("Tosvel"), getEnv),
                  QString(c.expected).replace("%1", dir.path()))
            << c.config.constData() << " " << c.home.constData();
    }
}

#endif

}  // namespace
