#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/NumberText.h"

namespace {

TEST(NumberText, LeadingIntegerWithBlanksSignAndClamping) {
    const std::pair<const char*, int> cases[] = {
        {"9080", 9080}, {"07", 7}, {"  \t-12abc", -12}, {"+7", 7}, {"-2147483647", -2147483647}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseLeadingInt(text), value) << text;
    for (const char* text : {"abc", "", "-", " +", "\n5"}) EXPECT_EQ(ParseLeadingInt(text), 0);
    // Clamped to the range of int.
    for (const char* text : {"2147483647", "2147483648", "99999999999999999999"})
        EXPECT_EQ(ParseLeadingInt(text), INT_MAX) << text;
    for (const char* text : {"-2147483648", "-2147483649", "-99999999999999999999"})
        EXPECT_EQ(ParseLeadingInt(text), INT_MIN) << text;
    // Only the text it is given: the digits after the view are not read.
    EXPECT_EQ(ParseLeadingInt(std::string_view("12345").substr(0, 2)), 12);
}

TEST(NumberText, FullWidthDigitsBecomeAsciiAndOtherBytesStay) {
    // ／ (EF BC 8F) is no digit; a sequence cut short at the end stays as it is.
    EXPECT_EQ(ToAsciiDigits("０９／\xEF\xBC"), "09／\xEF\xBC");
}

}  // namespace
