#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "engine/HistoryData.h"
#include "input/ResumeInputs.h"

namespace {

// The first refusal names its field; accepted inputs reach the options cleaned.
TEST(ResumeInputs, RefusalsNameTheFieldAndTextsAreCleaned) {
    const std::string month = "「中途退学・除籍の月」は1から12までの数で入力してください。";
    const struct {
        const char* field;
        std::string typed;
        std::string refusal;
    } cases[] = {{"schoolUniversity", "\t東都大学",
                  "「大学の学校名」にタブや改行などの制御文字は使えません。"},
                 {"departmentMaster", std::string(61, 'x'),
                  "「大学院修士の研究科・専攻」は60文字以内で入力してください。"},
                 {"leavingMonth", "13", month},
                 {"leavingMonth", "1a", month},
                 {"leavingMonth", "0", month},
                 {"leavingMonth", "1 2", month},
                 {"leavingMonth", "　1 ", ""}};
    for (const auto& c : cases) {
        ResumeInputs inputs;
        const ResumeField* field = FindResumeField(c.field);
        ASSERT_TRUE(field) << c.field;
        *ResumeText(inputs, *field) = c.typed;
        const ResumeChoice choice = ReadResumeInputs(inputs);
        EXPECT_EQ(std::tuple(choice.refusal, choice.ok, choice.refused),
                  std::tuple(c.refusal, c.refusal.empty(), c.refusal.empty() ? nullptr : field))
            << c.field << " " << c.typed;
    }
    ResumeInputs inputs;
    inputs.m_nCalendar = 1;
    inputs.m_nStart = 2;
    inputs.m_bHeading = 0;
    inputs.m_aSchoolNames[STAGE_HIGH_SCHOOL - 1] = " 東都高専";
    inputs.m_aDepartments[STAGE_HIGH_SCHOOL - 1] = "機械工学科";
    inputs.m_strLeavingMonth = "１２";
    const ResumeChoice choice = ReadResumeInputs(inputs);
    ResumeOptions expected{ResumeStart::ElementaryEntry, false, {}, 12};
    expected.schools[STAGE_HIGH_SCHOOL - 1] = {"東都高専", "機械工学科"};
    EXPECT_EQ(choice.options, expected);
    EXPECT_EQ(choice.calendar, ResumeCalendar::Seireki);
    EXPECT_EQ(ReadResumeInputs(ResumeInputs{}).options, ResumeOptions{});
    inputs = ResumeInputs{};
    inputs.m_nStart = -1;  // a start outside the list keeps the default
    EXPECT_EQ(ReadResumeInputs(inputs).options, ResumeOptions{});
}

}  // namespace
