#include <gtest/gtest.h>

#include "input/CalculationView.h"
#include "input/DialogInputs.h"
#include "input/EraConverter.h"
#include "input/NamedInputs.h"
#include "input/ResumeInputs.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};

// Inputs set by name read back as set; defaults come from the schema; names outside it refused.
TEST(PageFunctions, InputsByNameAndTheirEnabling) {
    DialogInputs inputs;
    const struct {
        const char* name;
        const char* text;
        const char* readBack;
    } cases[] = {
        {"era", "2", "2"},     {"finalSchool", "x", "-1"}, {"birthYear", "１９９０", "１９９０"},
        {"showAge", "1", "1"}, {"roninMaster", "3", "3"},  {"historyText", "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(SetInputText(inputs, c.name, c.text), std::string(c.name) != "historyText");
        EXPECT_EQ(InputText(inputs, c.name), c.readBack) << c.name;
    }
    EXPECT_EQ(inputs.m_nEra, 2);
    EXPECT_EQ(inputs.m_strRoninMaster, "3");
    ResumeInputs resume;
    EXPECT_TRUE(SetResumeInputText(resume, "resumeCalendar", "1"));
    EXPECT_TRUE(SetResumeInputText(resume, "schoolUniversity", "東都大学"));
    EXPECT_FALSE(SetResumeInputText(resume, "school", "x"));
    EXPECT_EQ(ResumeInputText(resume, "resumeCalendar"), "1");
    EXPECT_EQ(ResumeInputText(resume, "schoolUniversity"), "東都大学");
    EXPECT_EQ(ResumeInputText(ResumeInputs{}, "resumeHeading"), "1");
    EXPECT_TRUE(SetInputLines(inputs, resume, "era\n1\nleavingMonth\n\nbirthDay\n３"));
    EXPECT_EQ(inputs.m_nEra, 1);
    EXPECT_EQ(inputs.m_strBirthDay, "３");
    EXPECT_FALSE(SetInputLines(inputs, resume, "showAge\n0\nnothing\n1\n"));
    EXPECT_EQ(inputs.m_bShowAge, 0);
    EXPECT_FALSE(SetInputLines(inputs, resume, "era"));

    const std::vector<InputDescription> fields = DescribeInputs();
    ASSERT_EQ(fields.size(), 37u);
    EXPECT_EQ(fields[0].items.size(), 4u);
    EXPECT_EQ(fields[1].defaultText, "1980");
    EXPECT_EQ(fields.back().label, "年齢を表示する");
    // 小学校 (0) leaves the 中学 counts closed, 大学院博士 (7) opens everything.
    EXPECT_TRUE(IsInputEnabled("roninElementary", 0));
    EXPECT_FALSE(IsInputEnabled("roninJuniorHigh", 0));
    EXPECT_TRUE(IsInputEnabled("birthYear", 0));
    EXPECT_TRUE(IsInputEnabled("shortenDoctor", 7));
    EXPECT_FALSE(IsInputEnabled("nothing", 7));
}

// One Calculate as the page shows it: the history as printed, the rows, or a refusal at its input.
TEST(PageFunctions, CalculationShowsHistoryRowsOrRefusal) {
    DialogInputs inputs;
    ResumeInputs resume;
    CalculationView view = ShowCalculation(inputs, resume, kToday);
    ASSERT_TRUE(view.ok) << view.refusal;
    EXPECT_EQ(view.history.find('\r'), std::string::npos);
    EXPECT_EQ(view.history.back(), '\n');
    EXPECT_EQ(view.rows.front()[2], "学歴");
    EXPECT_EQ(view.tsv.substr(0, 9), "\t\t学歴\n");

    inputs.m_strBirthMonth = "13";
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_FALSE(view.ok);
    EXPECT_EQ(view.refused, "birthMonth");
    EXPECT_TRUE(view.keepsShown);
    EXPECT_TRUE(view.history.empty());

    inputs = DialogInputs{};
    inputs.m_strRoninHighSchool = "100";
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_EQ(view.refused, "roninHighSchool");
    EXPECT_FALSE(view.keepsShown);

    inputs = DialogInputs{};
    resume.m_strLeavingMonth = "13";
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_EQ(view.refused, "leavingMonth");
    EXPECT_FALSE(view.history.empty());
    EXPECT_TRUE(view.rows.empty());

    EXPECT_EQ(LfText("a\r\nb\r\n\rc"), "a\nb\n\rc");
    EXPECT_EQ(CountableDate("2019-05-01"), (CivilDate{2019, 5, 1}));
    EXPECT_EQ(CountableDate("1899-12-31"), CivilDate{});
    EXPECT_EQ(CountableDate("2019-02-30"), CivilDate{});
}

TEST(PageFunctions, EraConverterAndYearTable) {
    const ConvertedDate heisei = ConvertSeireki("1989", "1", "8");
    EXPECT_EQ(heisei.text, "西暦1989年1月8日 ＝ 平成元年1月8日");
    EXPECT_EQ(heisei.eraYear, "元");
    const ConvertedDate reiwa = ConvertWareki(3, "31", "5", "1");
    EXPECT_FALSE(reiwa.ok);
    EXPECT_EQ(reiwa.field, "year");
    EXPECT_EQ(ConvertWareki(4, "元", "５", "1").year, 2019);
    EXPECT_EQ(YearTableFor("").text.substr(0, 5), "1873\t");
    EXPECT_TRUE(YearTableFor("1").text.empty());
    EXPECT_FALSE(YearTableFor("1").reason.empty());
}

}  // namespace
