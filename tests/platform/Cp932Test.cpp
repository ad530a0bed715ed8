#include <gtest/gtest.h>

#include <QString>

#include "platform/Cp932.h"

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

}  // namespace
