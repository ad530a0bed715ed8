#include <gtest/gtest.h>

#include <string>

#include "engine/ResumeRows.h"
#include "engine/Utf8.h"
#include "tests/support/Utf8Samples.h"

namespace {

// Each sample alone, and inside a school name, where only printable characters are taken.
TEST(Utf8, EdgesOfEachLengthAloneAndInASchoolName) {
    for (const Utf8Sample& sample : kUtf8Samples) {
        SCOPED_TRACE(&sample - kUtf8Samples);
        const Utf8Char decoded = DecodeUtf8(sample.bytes);
        EXPECT_EQ(decoded.code, sample.code);
        EXPECT_EQ(decoded.length, sample.code ? sample.bytes.size() : 0u);
        const std::string name = "東" + std::string(sample.bytes) + "都";
        std::string cleaned;
        EXPECT_EQ(CleanSchoolText(name, cleaned),
                  sample.printable ? SchoolTextProblem::None : SchoolTextProblem::ControlCharacter);
        EXPECT_EQ(cleaned, sample.printable ? name : "");
    }
    EXPECT_EQ(DecodeUtf8("").length, 0u);
}

}  // namespace
