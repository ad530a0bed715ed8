#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "input/BirthYearHint.h"
#include "input/CalculationView.h"
#include "input/DialogInputs.h"
#include "input/EraConverter.h"
#include "input/EventInputs.h"
#include "input/NamedInputs.h"
#include "input/ResumeInputs.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};

// Inputs set by name read back as set (a list index that is no number as -1); a name outside the
// schemas is refused, as is the history.
TEST(PageFunctions, InputsByNameAndTheirDescriptions) {
    DialogInputs inputs;
    ResumeInputs resume;
    const char* const cases[][3] = {
        {"era", "2", "2"},         {"finalSchool", "x", "-1"},   {"birthYear", "１９", "１９"},
        {"roninMaster", "3", "3"}, {"resumeCalendar", "1", "1"}, {"schoolUniversity", "東", "東"}};
    for (const auto& [name, text, readBack] : cases) {
        EXPECT_TRUE(SetInputText(inputs, name, text) || SetResumeInputText(resume, name, text));
        EXPECT_EQ(InputText(inputs, name) + ResumeInputText(resume, name), readBack) << name;
    }
    EXPECT_TRUE(SetInputLines(inputs, resume, "era\n1\nleavingMonth\n\nbirthDay\n３"));
    EXPECT_TRUE(SetInputLines(inputs, resume, "showAge\n0\n"));  // as the page sends them
    EXPECT_EQ(InputText(inputs, "era") + InputText(inputs, "birthDay"), "1３");
    EXPECT_FALSE(SetInputLines(inputs, resume, "showAge\n1\nhistoryText\n1\n"));
    EXPECT_EQ(inputs.m_bShowAge, 1);
    EXPECT_FALSE(SetInputLines(inputs, resume, "era"));

    // Both forms described, each input with its kind and place; the facts the page shows.
    const std::set<std::string> shown = {
        "birthYear",     "roninDoctor",          "progression",  "shortenMaster", "showAge",
        "resumeHeading", "departmentHighSchool", "leavingMonth", "resumeClosing", "resumeSkip"};
    std::string described;
    for (const InputDescription& field : DescribeInputs()) {
        if (shown.contains(field.name))
            described +=
                field.kind + " " + field.place + " " + field.label + " " + field.defaultText + "|";
    }
    EXPECT_EQ(described,
              "text basic 生年月日の年 1980|ronin counts 博士の浪人回数 0|list route 進学・編入 0|"
              "check more 修士課程1年短縮 0|check history 年齢を表示する 0|"
              "check block 1行目に「学歴」と書く 1|department schools 高校/高専の学科 |"
              "month basic 中途退学・除籍の月 |check block 最後の行に「以上」と書く 0|"
              "list more 飛び級の書き方 0|");
    const PageFacts facts = Facts();
    EXPECT_EQ(facts.columns, (std::vector<std::string>{"年", "月", "学歴"}));
    EXPECT_EQ(facts.eras.front() + facts.eras.back(), "明治令和");
    EXPECT_EQ(std::to_string(facts.tableFirstYear) + "〜" + std::to_string(facts.tableLastYear) +
                  " " + facts.firstCountableDate,
              "1873〜2100 1900-01-01");
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
    }
    // The rows of 「休学・留学など」 reach Calculate; a refused one is named by the stored key of
    // its field and keeps the history on show.
    resume.m_aEvents = {
        {EventInputKind::LeaveOfAbsence, STAGE_UNIVERSITY, "2000-04", "1999-04", "", ""}};
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_EQ(std::tuple(view.ok, view.keepsShown, view.refused),
              std::tuple(false, true, std::string("event1.to")))
        << view.refusal;
    resume.m_aEvents[0].to = "2001-04";
    resume.m_bClosing = 1;
    view = ShowCalculation(inputs, resume, kToday);
    EXPECT_NE(view.tsv.find("平成13\t4\t大学　復学\n"), std::string::npos);
    EXPECT_EQ(view.rowKinds.front() + view.rowKinds.back() + view.rowKinds[1], "headingclosing");
    EXPECT_EQ(LfText("a\r\nb\r\n\rc"), "a\nb\n\rc");
    EXPECT_EQ(LfText(std::string_view("a\r\n").substr(0, 2)), "a\r");  // the LF is not its own
    EXPECT_EQ(CountableDate("2019-05-01"), (CivilDate{2019, 5, 1}));
    EXPECT_EQ(CountableDate("1899-12-31"), CivilDate{});
}

// Each field of a row of 「休学・留学など」 as "name kind label text" (a list's items follow), the
// fields of a row joined by "|".
std::string Described(const std::vector<InputDescription>& fields) {
    std::string described;
    for (const InputDescription& field : fields) {
        described += field.name + " " + field.kind + " " + field.label + " " + field.defaultText;
        for (const std::string& item : field.items) described += " " + item;
        described += "|";
    }
    return described;
}

// The rows of 「休学・留学など」 by their stored keys: the lines set them as stored rows are read,
// and lines without any leave them; each row is described with the fields its kind uses, new or
// as stored (numbered again without the rows that are dropped).
TEST(PageFunctions, EventRowsByTheirStoredKeys) {
    using K = EventInputKind;
    DialogInputs inputs;
    ResumeInputs resume;
    EXPECT_TRUE(SetInputLines(inputs, resume,
                              "finalSchool\n6\nevent1.kind\n休学\nevent1.stage\n大学院修士\n"
                              "event1.from\n2010-04\nevent1.to\n2011-04\n"));
    const std::vector<EventInput> rows{
        {K::LeaveOfAbsence, STAGE_MASTER, "2010-04", "2011-04", "", ""}};
    EXPECT_EQ(resume.m_aEvents, rows);
    EXPECT_EQ(inputs.m_nFinalSchool, 6);
    EXPECT_TRUE(SetInputLines(inputs, resume, "era\n1\n"));
    EXPECT_EQ(resume.m_aEvents, rows);
    EXPECT_FALSE(SetInputLines(inputs, resume, "event1.kind\n交換留学\nevent21.kind\n休学\n"));
    EXPECT_EQ(resume.m_aEvents, (std::vector<EventInput>{{K::Exchange, 0, "", "", "", ""}}));

    const std::string kinds = " 休学 交換留学 休学して留学 転入学 高卒認定|";
    const std::string stages = " 高校/高専 短大 専門学校 大学 大学院修士 大学院博士|";
    EXPECT_EQ(Described(DescribeEventRow(1, "休学して留学")),
              "event2.kind list 種類 休学して留学" + kinds + "event2.stage list 学校 大学" +
                  stages +
                  "event2.from yearMonth 出発した月 |event2.to yearMonth 帰国した月 |"
                  "event2.place name 留学先 |");
    EXPECT_EQ(DescribeEventRow(1, "休学して留学").back().maxLength, 60);  // as a school name
    EXPECT_TRUE(Described(DescribeEventRow(0, "")).starts_with("event1.kind list 種類 休学 休学 "));
    std::string stored;
    for (const auto& row :
         DescribeStoredEventRows({"finalSchool", "5", "event2.kind", "転入学", "event2.place",
                                  "西高校", "event2.department", "普通科", "event1.kind", "X",
                                  "event3.kind", "休学", "event3.stage", "大学X", "event3.to"}))
        stored += Described(std::vector<InputDescription>(row.begin(), row.end())) + "\n";
    EXPECT_EQ(stored, "event1.kind list 種類 転入学" + kinds +
                          "event1.from yearMonth 転入学した月 |event1.place name 転入学先の学校名 "
                          "西高校|event1.department department 転入学先の学科 普通科|\n"
                          "event2.kind list 種類 休学" +
                          kinds + "event2.stage list 学校 " + stages +
                          "event2.from yearMonth 休学した月 |event2.to yearMonth 復学した月 |\n");
}

// The converter rewrites the side not typed, and empties it for a day that does not exist, so
// that no wrong date stays on show (Tosvel's window shows the same); the year table.
TEST(PageFunctions, EraConverterAndYearTable) {
    const struct {
        ConverterFields typed;
        bool fromWareki;
        ConverterFields shown;
        const char* textOrField;
    } cases[] = {
        {{"1989", "1", "8", 0, "31", "4", "30"},
         false,
         {"1989", "1", "8", 3, "元", "1", "8"},
         "西暦1989年1月8日 ＝ 平成元年1月8日"},
        {{"2019", "4", "31", 3, "31", "4", "30"}, false, {"2019", "4", "31", 3, "", "", ""}, "day"},
        {{"", "", "", 4, "元", "５", "1"},
         true,
         {"2019", "5", "1", 4, "元", "５", "1"},
         "西暦2019年5月1日 ＝ 令和元年5月1日"},
        {{"2019", "5", "1", 3, "31", "5", "1"}, true, {"", "", "", 3, "31", "5", "1"}, "year"},
    };
    for (const auto& c : cases) {
        const ConvertedDate converted = ConvertOneSide(c.typed, c.fromWareki);
        EXPECT_EQ(converted.fields, c.shown) << c.textOrField;
        EXPECT_EQ(converted.ok ? converted.text : converted.field, c.textOrField);
    }
    EXPECT_EQ(YearTableFor("").text.substr(0, 5), "1873\t");
    EXPECT_TRUE(YearTableFor("1").text.empty());
    EXPECT_FALSE(YearTableFor("1").reason.empty());
}

// A 西暦 year of one or two digits is asked back as the era year a person writing a résumé most
// likely means; the window and the page show it at the year.
TEST(PageFunctions, ShortWesternYearIsAskedBackAsAnEraYear) {
    const struct {
        const char* typed;
        const char* hint;
    } cases[] = {
        {" ６ ", "6年は西暦の年ではありません。平成6年（1994年）ですか？"},
        {"1", "1年は西暦の年ではありません。平成元年（1989年）ですか？"},
        {"21", "21年は西暦の年ではありません。平成21年（2009年）ですか？"},
        {"22", "22年は西暦の年ではありません。昭和22年（1947年）ですか？"},
        {"64", "64年は西暦の年ではありません。昭和64年（1989年）ですか？"},
        {"65", "65年は西暦の年ではありません。西暦は4桁で入力してください。"},
        {"0", "0年は西暦の年ではありません。西暦は4桁で入力してください。"},
        {"199", ""},
        {"6x", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WesternYearHint(c.typed, {2024, 4, 1}), c.hint);
    DialogInputs inputs;
    inputs.m_strBirthYear = "61";
    const CalculationView view = ShowCalculation(inputs, ResumeInputs{}, {2024, 4, 1});
    EXPECT_EQ(view.refused + " " + view.refusal,
              "birthYear 61年は西暦の年ではありません。昭和61年（1986年）ですか？");
}

}  // namespace
