#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/Applicability.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/ResumeInputs.h"

namespace {

// The window's lists and checks that do not apply, in schema order (counts follow the path).
std::string Hidden(const Applicability& applicability) {
    std::string hidden;
    for (const InputField& field : InputSchema()) {
        if (field.kind != InputKind::History && !IsCount(field) && !applicability.Applies(field))
            hidden += std::string(field.name) + " ";
    }
    return hidden;
}

// Per stage 1..8: 's' where its school name applies, 'd' where its department does.
std::string Schools(const Applicability& applicability) {
    std::string schools;
    for (int stage = 1; stage <= 8; ++stage) {
        schools += applicability.Applies(SchoolField(stage, false)) ? 's' : '-';
        schools += applicability.Applies(SchoolField(stage, true)) ? 'd' : '-';
    }
    return schools;
}

// What applies along the path the route takes, a row per final schooling and route.
TEST(Applicability, StagesOnThePathAndTheInputsThatChangeSomething) {
    // What only a 大学 and what only a graduate school after it use.
    const std::string university = "universityAutumnEntry universityHalfYear ";
    const std::string graduate =
        "skipUniversityLastYear graduateAutumnEntry directDoctor shortenMaster shortenDoctor ";
    const struct {
        int finalSchool, outcome, progression, directDoctor, highSchoolLength;
        std::string hidden;
        const char* schools;
    } cases[] = {
        {0, 1, 0, 0, 0,
         "highSchoolLength vocationalLength universityLength progression juniorHighTransfer "
         "skipHighSchoolLastYear " +
             university + graduate,
         "----------------"},
        {2, 5, 0, 0, 0,
         "vocationalLength universityLength progression skipHighSchoolLastYear " + university +
             graduate,
         "--s-sd----------"},
        {3, 1, 0, 0, 0, "vocationalLength universityLength progression " + university + graduate,
         "--s-sdsd--------"},
        {4, 1, 0, 0, 0, "universityLength progression " + university + graduate,
         "--s-sd--sd------"},
        {5, 0, 4, 0, 0, "vocationalLength " + graduate, "--s-sdsd--sd----"},
        {5, 1, 6, 0, 0, graduate, "--s-sd--sdsd----"},
        {6, 1, 0, 0, 0, "vocationalLength directDoctor shortenDoctor ", "--s-sd----sdsd--"},
        {7, 1, 0, 1, 0, "vocationalLength shortenMaster ", "--s-sd----sd--sd"},
        // From a 高専's 専攻科 straight into the graduate school: no 大学 on the way.
        {7, 1, 7, 1, 3,
         "vocationalLength universityLength " + university + "skipUniversityLastYear directDoctor ",
         "--s-sd------sdsd"},
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
        const Applicability applicability(inputs, {});
        EXPECT_EQ(Hidden(applicability), c.hidden) << c.finalSchool << " " << c.progression;
        EXPECT_EQ(Schools(applicability), c.schools) << c.finalSchool << " " << c.progression;
    }
}

// A count applies on the path, but not the repeated years of a school only entered; the block's
// start decides which schools are named; the month of leaving applies to a 中退 or 除籍 only.
TEST(Applicability, CountsSchoolNamesAndTheMonthOfLeaving) {
    DialogInputs inputs;
    inputs.m_nFinalSchool = 2;
    inputs.m_nOutcome = 0;  // 入学
    std::string counts;
    for (int stage = 1; stage <= 8; ++stage) {
        for (InputKind kind : {InputKind::Ronin, InputKind::Ryunen})
            counts += Applicability(inputs, {}).Applies(CountField(stage, kind)) ? '1' : '0';
    }
    EXPECT_EQ(counts, "1111100000000000");
    const ResumeField& month = *FindResumeField("leavingMonth");
    std::string months;
    for (const int outcome : {0, 1, 2, 17}) {
        inputs.m_nOutcome = outcome;
        months += Applicability(inputs, {}).Applies(month) ? '1' : '0';
    }
    EXPECT_EQ(months, "0011");
    ResumeInputs resume;
    std::string starts;
    for (const int start : {2, 1}) {  // 小学校入学から, 高校入学から
        resume.m_nStart = start;
        starts += Schools(Applicability(inputs, resume)) + " ";
    }
    EXPECT_EQ(starts, "s-s-sd---------- ----sd---------- ");
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
    resume.m_aEvents.resize(1);
    const std::vector<std::string> names = KeepApplicableInputs(inputs, resume);
    EXPECT_EQ(inputs.m_strBirthYear + inputs.m_strRoninUniversity, "19900");
    EXPECT_EQ(inputs.m_bShortenDoctor + inputs.m_nProgression, 0);
    EXPECT_EQ(resume, ResumeInputs{});
    const std::vector<std::string> first(names.begin(), names.begin() + 8);
    EXPECT_EQ(first,
              (std::vector<std::string>{"era", "birthYear", "birthMonth", "birthDay", "finalSchool",
                                        "outcome", "roninElementary", "ryunenElementary"}));
    // 中学校's counts and checks, its name, and the block's four choices; no 「休学・留学など」.
    EXPECT_EQ(names.size(), 6u + 4u + 3u + 4u + 1u);
    // From the 高校 on, the rows are kept and the list is named last.
    inputs.m_nFinalSchool = 2;
    resume.m_aEvents.resize(1);
    EXPECT_EQ(KeepApplicableInputs(inputs, resume).back(), kEventListName);
    EXPECT_EQ(resume.m_aEvents.size(), 1u);
}

}  // namespace
