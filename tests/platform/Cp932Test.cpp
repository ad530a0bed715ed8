#include <gtest/gtest.h>

#include <QString>

#include "platform/Cp932.h"

namespace {

TEST(Cp932, EncodesAsWindowsWritesShiftJis) {
    ASSERT_TRUE(Cp932Available());
    // 平 95 BD, 成 90 AC, the full-width space 81 40, 表 95 5C, ～ (U+FF5E) 81 60; CR LF kept.
    EXPECT_EQ(ToCp932("平成\r\n　表～A"), QByteArray("\x95\xBD\x90\xAC\r\n\x81\x40\x95\x5C\x81\x60"
                                                     "A"));
    EXPECT_EQ(FromCp932(QByteArray("\x95\xBD\x90\xAC\r\n\x81\x40\x95\x5C\x81\x60"
                                   "A")),
              "平成\r\n　表～A");
}

TEST(Cp932, InvalidBytesStillDecodeToValidText) {
    const std::string text = FromCp932(QByteArray("x\x82\xff\x81", 4));
    EXPECT_EQ(text.front(), 'x');
    EXPECT_GT(text.size(), 1u);
    EXPECT_EQ(QString::fromStdString(text).toStdString(), text);
}

}  // namespace
