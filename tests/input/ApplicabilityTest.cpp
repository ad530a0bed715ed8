#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/Applicability.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/ResumeInputs.h"

namespace {

// The names that do not apply, counts left out (they follow the path), in schema order.
std::string Hidden(const DialogInputs& inputs, const ResumeInputs& resume = {}) {
    const Applicability applicability(inputs, resume);
    std::string hidden;
    for (const InputField& field : InputSchema()) {
        if (field.kind != InputKind::History && !IsCount(field) && !applicability.Applies(field))
            hidden += std::string(field.name) + " ";
    }
    for (const ResumeField& field : ResumeSchema()) {
        if (!applicability.Applies(field)) hidden += field.name + " ";
    }
    return hidden;
}

// The path the route takes and what is hidden along it, a row per final schooling and route.
TEST(Applicability, StagesOnThePathAndTheInputsThatChangeSomething) {
    const std::string schoolsFromHigh =
        "schoolElementary departmentElementary departmentJuniorHigh ";
    const struct {
        int finalSchool, outcome, progression, directDoctor, highSchoolLength;
        const char* path;
        std::string hidden;
    } cases[] = {
        {0, 1, 0, 0, 0, "1",
         "highSchoolLength vocationalLength universityLength progression juniorHighTransfer "
         "skipHighSchoolLastYear universityAutumnEntry universityHalfYear skipUniversityLastYear "
         "graduateAutumnEntry directDoctor shortenMaster shortenDoctor schoolElementary "
         "departmentElementary schoolJuniorHigh departmentJuniorHigh schoolHighSchool "
         "departmentHighSchool schoolJuniorCollege departmentJuniorCollege schoolVocational "
         "departmentVocational schoolUniversity departmentUniversity schoolMaster "
         "departmentMaster schoolDoctor departmentDoctor leavingMonth "},
        {2, 5, 0, 0, 0, "123",
         "vocationalLength universityLength progression skipHighSchoolLastYear "
         "universityAutumnEntry universityHalfYear skipUniversityLastYear graduateAutumnEntry "
         "directDoctor shortenMaster shortenDoctor " +
             schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolVocational departmentVocational "
             "schoolUniversity departmentUniversity schoolMaster departmentMaster schoolDoctor "
             "departmentDoctor "},
        {3, 1, 0, 0, 0, "1234",
         "vocationalLength universityLength progression universityAutumnEntry universityHalfYear "
         "skipUniversityLastYear graduateAutumnEntry directDoctor shortenMaster shortenDoctor " +
             schoolsFromHigh +
             "schoolVocational departmentVocational schoolUniversity departmentUniversity "
             "schoolMaster departmentMaster schoolDoctor departmentDoctor leavingMonth "},
        {4, 1, 0, 0, 0, "1235",
         "universityLength progression universityAutumnEntry universityHalfYear "
         "skipUniversityLastYear graduateAutumnEntry directDoctor shortenMaster shortenDoctor " +
             schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolUniversity departmentUniversity "
             "schoolMaster departmentMaster schoolDoctor departmentDoctor leavingMonth "},
        {5, 0, 4, 0, 0, "12346",
         "vocationalLength skipUniversityLastYear graduateAutumnEntry directDoctor shortenMaster "
         "shortenDoctor " +
             schoolsFromHigh +
             "schoolVocational departmentVocational schoolMaster departmentMaster schoolDoctor "
             "departmentDoctor leavingMonth "},
        {5, 1, 6, 0, 0, "12356",
         "skipUniversityLastYear graduateAutumnEntry directDoctor shortenMaster shortenDoctor " +
             schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolMaster departmentMaster "
             "schoolDoctor departmentDoctor leavingMonth "},
        {6, 1, 0, 0, 0, "12367",
         "vocationalLength directDoctor shortenDoctor " + schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolVocational departmentVocational "
             "schoolDoctor departmentDoctor leavingMonth "},
        {7, 1, 0, 1, 0, "12368",
         "vocationalLength shortenMaster " + schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolVocational departmentVocational "
             "schoolMaster departmentMaster leavingMonth "},
        // From a 高専's 専攻科 straight into the graduate school: no 大学 on the way.
        {7, 1, 7, 1, 3, "12378",
         "vocationalLength universityLength universityAutumnEntry universityHalfYear "
         "skipUniversityLastYear directDoctor " +
             schoolsFromHigh +
             "schoolJuniorCollege departmentJuniorCollege schoolVocational departmentVocational "
             "schoolUniversity departmentUniversity leavingMonth "},
    };
    for (const auto& c : cases) {
        DialogInputs inputs;
        inputs.m_nFinalSchool = c.finalSchool;
        inputs.m_nOutcome = c.outcome;
        inputs.m_nProgression = c.progression;
        inputs.m_bDirectDoctor = c.directDoctor;
        inputs.m_nHighSchoolLength = c.highSchoolLength;
        // Neither the birth date nor a refused count changes the path.
        inputs.m_strBirthYear = "";
        inputs.m_strRoninHighSchool = "x";
        EXPECT_EQ(Applicability(inputs, {}).Path(), c.path) << c.finalSchool;
        EXPECT_EQ(Hidden(inputs), c.hidden) << c.finalSchool << " " << c.progression;
    }
}

// A count applies on the path, but not the repeated years of a school only entered; the block's
// start decides which schools are named.
TEST(Applicability, CountsAndSchoolNamesFollowThePathAndTheBlock) {
    DialogInputs inputs;
    inputs.m_nFinalSchool = 2;
    inputs.m_nOutcome = 0;  // 入学
    const Applicability entered(inputs, {});
    std::string counts;
    for (int stage = 1; stage <= 8; ++stage) {
        for (InputKind kind : {InputKind::Ronin, InputKind::Ryunen})
            counts += entered.Applies(CountField(stage, kind)) ? '1' : '0';
    }
    EXPECT_EQ(counts, "1111100000000000");

    ResumeInputs resume;
    resume.m_nStart = 2;  // 小学校入学から
    EXPECT_TRUE(Applicability(inputs, resume).Applies(SchoolField(1, false)));
    EXPECT_FALSE(Applicability(inputs, resume).Applies(SchoolField(1, true)));
    resume.m_nStart = 1;  // 高校入学から
    EXPECT_FALSE(Applicability(inputs, resume).Applies(SchoolField(2, false)));
    EXPECT_TRUE(Applicability(inputs, resume).Applies(SchoolField(3, true)));
}

// What does not apply goes back to its default; the names that apply come back in order.
TEST(Applicability, InputsThatDoNotApplyAreSentAsTheirDefaults) {
    DialogInputs inputs;
    ResumeInputs resume;
    inputs.m_nFinalSchool = 1;  // 中学校
    inputs.m_strBirthYear = "1990";
    inputs.m_strRoninUniversity = "x";
    inputs.m_bShortenDoctor = 1;
    inputs.m_nProgression = 7;
    resume.m_aSchoolNames[5] = "\t";
    resume.m_strLeavingMonth = "13";
    const std::vector<std::string> names = KeepApplicableInputs(inputs, resume);
    EXPECT_EQ(inputs.m_strRoninUniversity, "0");
    EXPECT_EQ(inputs.m_bShortenDoctor + inputs.m_nProgression, 0);
    EXPECT_EQ(inputs.m_strBirthYear + inputs.m_strRoninHighSchool, "19900");
    EXPECT_EQ(resume, ResumeInputs{});
    const std::vector<std::string> first(names.begin(), names.begin() + 8);
    EXPECT_EQ(first,
              (std::vector<std::string>{"era", "birthYear", "birthMonth", "birthDay", "finalSchool",
                                        "outcome", "roninElementary", "ryunenElementary"}));
    EXPECT_EQ(names.size(), 6u + 4u + 3u + 3u + 1u);  // 中学校's counts and checks, its name
}

}  // namespace
