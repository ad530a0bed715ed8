#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "input/CalculationView.h"
#include "input/DialogInputs.h"
#include "input/EraConverter.h"
#include "input/NamedInputs.h"
#include "input/ResumeInputs.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};

// Inputs set by name read back as set (a list index that is no number as -1); a name outside the
// schemas is refused, as is the history.
TEST(PageFunctions, InputsByNameAndTheirEnabling) {
    DialogInputs inputs;
    ResumeInputs resume;
    const char* const cases[][3] = {
        {"era", "2", "2"},         {"finalSchool", "x", "-1"},   {"birthYear", "１９", "１９"},
        {"roninMaster", "3", "3"}, {"resumeCalendar", "1", "1"}, {"schoolUniversity", "東", "東"}};
    for (const auto& [name, text, readBack] : cases) {
        EXPECT_TRUE(SetInputText(inputs, name, text) || SetResumeInputText(resume, name, text));
        EXPECT_EQ(InputText(inputs, name) + ResumeInputText(resume, name), readBack) << name;
    }
    EXPECT_FALSE(SetInputText(inputs, "historyText", "") || SetResumeInputText(resume, "x", ""));
    EXPECT_EQ(ResumeInputText(ResumeInputs{}, "resumeHeading"), "1");
    EXPECT_TRUE(SetInputLines(inputs, resume, "era\n1\nleavingMonth\n\nbirthDay\n３"));
    EXPECT_EQ(InputText(inputs, "era") + InputText(inputs, "birthDay"), "1３");
    EXPECT_FALSE(SetInputLines(inputs, resume, "showAge\n1\nnothing\n1\n"));
    EXPECT_EQ(inputs.m_bShowAge, 1);
    EXPECT_FALSE(SetInputLines(inputs, resume, "era"));

    const std::vector<InputDescription> fields = DescribeInputs();
    EXPECT_EQ(fields[1].defaultText + fields.back().label, "1980年齢を表示する");
    // 小学校 (0) leaves the 中学 counts closed, 大学院博士 (7) opens everything.
    EXPECT_EQ(
        std::vector<bool>({IsInputEnabled("roninElementary", 0),
                           IsInputEnabled("roninJuniorHigh", 0), IsInputEnabled("birthYear", 0),
                           IsInputEnabled("shortenDoctor", 7), IsInputEnabled("nothing", 7)}),
        std::vector<bool>({true, false, true, true, false}));
}

// One Calculate as the page shows it: the history as printed, the rows, or a refusal at its input
// (the history kept on show for a birth date).
TEST(PageFunctions, CalculationShowsHistoryRowsOrRefusal) {
    DialogInputs inputs;
    ResumeInputs resume;
    CalculationView view = ShowCalculation(inputs, resume, kToday);
    ASSERT_TRUE(view.ok) << view.refusal;
    EXPECT_EQ(view.history.find('\r'), std::string::npos);
    EXPECT_EQ(view.history.back(), '\n');
    EXPECT_EQ(view.rows.front()[2], "学歴");
    EXPECT_EQ(view.tsv.substr(0, 9), "\t\t学歴\n");
    const struct {
        std::string* text;
        const char *typed, *refused;
        bool keepsShown, history;
    } cases[] = {{&inputs.m_strBirthMonth, "13", "birthMonth", true, false},
                 {&inputs.m_strRoninHighSchool, "100", "roninHighSchool", false, false},
                 {&resume.m_strLeavingMonth, "13", "leavingMonth", false, true}};
    for (const auto& c : cases) {
        const std::string kept = std::exchange(*c.text, c.typed);
        view = ShowCalculation(inputs, resume, kToday);
        *c.text = kept;
        EXPECT_EQ(std::tuple(view.ok, view.keepsShown, view.refused, view.history.empty()),
                  std::tuple(false, c.keepsShown, std::string(c.refused), !c.history));
        EXPECT_TRUE(view.rows.empty());
    }
    // The rows of 「休学・留学など」 reach Calculate; one that cannot have happened keeps the
    // history on show.
    resume.m_aEvents = {
        {EventInputKind::LeaveOfAbsence, STAGE_UNIVERSITY, "2000-04", "1999-04", "", ""}};
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_EQ(std::tuple(view.ok, view.keepsShown, view.refused), std::tuple(false, true, ""));
    resume.m_aEvents[0].to = "2001-04";
    EXPECT_NE(ShowCalculation(inputs, resume, kToday).tsv.find("平成13\t4\t大学　復学\n"),
              std::string::npos);
    EXPECT_EQ(LfText("a\r\nb\r\n\rc"), "a\nb\n\rc");
    EXPECT_EQ(LfText(std::string_view("a\r\n").substr(0, 2)), "a\r");  // the LF is not its own
    EXPECT_EQ(CountableDate("2019-05-01"), (CivilDate{2019, 5, 1}));
    EXPECT_EQ(CountableDate("1899-12-31"), CivilDate{});
    EXPECT_EQ(CountableDate("2019-02-30"), CivilDate{});
}

// The converter's sentence and refused field (Tosvel's window shows it too), and the year table.
TEST(PageFunctions, EraConverterAndYearTable) {
    EXPECT_EQ(ConvertSeireki("1989", "1", "8").eraYear, "元");
    const ConvertedDate reiwa = ConvertWareki(3, "31", "5", "1");
    EXPECT_FALSE(reiwa.ok);
    EXPECT_EQ(reiwa.field, "year");
    EXPECT_EQ(ConvertWareki(4, "元", "５", "1").year, 2019);
    EXPECT_EQ(YearTableFor("").text.substr(0, 5), "1873\t");
    EXPECT_TRUE(YearTableFor("1").text.empty());
    EXPECT_FALSE(YearTableFor("1").reason.empty());
}

}  // namespace
