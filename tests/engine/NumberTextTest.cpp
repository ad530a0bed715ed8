#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/NumberText.h"

namespace {

TEST(NumberText, LeadingIntegerWithBlanksSignAndClamping) {
    for (const auto& [text, value] : {std::pair{"9080", 9080},
                                      {"07", 7},
                                      {"  \t-12abc", -12},
                                      {"+7", 7},
                                      {"abc", 0},
                                      {"", 0},
                                      {"-", 0},
                                      {" +", 0},
                                      {"\n5", 0},
                                      {"2147483647", INT_MAX},
                                      {"2147483648", INT_MAX},
                                      {"99999999999999999999", INT_MAX},
                                      {"-2147483647", -2147483647},
                                      {"-2147483648", INT_MIN},
                                      {"-2147483649", INT_MIN},
                                      {"-99999999999999999999", INT_MIN}})
        EXPECT_EQ(ParseLeadingInt(text), value) << '"' << text << '"';
    // Only the text it is given: the digits after the view are not read.
    EXPECT_EQ(ParseLeadingInt(std::string_view("12345").substr(0, 2)), 12);
}

TEST(NumberText, FullWidthDigitsBecomeAsciiAndOtherBytesStay) {
    // ／ (EF BC 8F) is no digit; a sequence cut short at the end stays as it is.
    EXPECT_EQ(ToAsciiDigits("０９／\xEF\xBC"), "09／\xEF\xBC");
}

}  // namespace
