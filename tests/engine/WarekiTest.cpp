#include <gtest/gtest.h>

#include <string>

#include "engine/Era.h"
#include "engine/Wareki.h"

namespace {

std::string Converted(const DateConversion& c) {
    return c.ok ? IsoText(c.seireki) + " " + WarekiText(c.wareki) : c.reason;
}

// Converts a 和暦 or a "YYYY-MM-DD" text; "shape" when it is neither.
std::string Convert(std::string_view text) {
    WarekiFields wareki;
    SeirekiFields seireki;
    if (SplitWarekiText(text, wareki)) return Converted(FromWareki(wareki));
    return SplitIsoText(text, seireki) ? Converted(FromSeireki(seireki)) : "shape";
}

TEST(Wareki, EveryDayOfTheTableYearsRoundTrips) {
    int days = 0;
    for (CivilDate d{kTableLastYear, 12, 31}; d >= kGregorianStart; d = PreviousDay(d), ++days) {
        const DateConversion there = FromSeireki(d);
        ASSERT_TRUE(there.ok) << IsoText(d);
        const std::string text = WarekiText(there.wareki);  // the fields point into it
        WarekiFields fields;
        ASSERT_TRUE(SplitWarekiText(text, fields));
        const DateConversion back = FromWareki(fields);
        ASSERT_TRUE(back.ok && back.seireki == d) << IsoText(d) << ": " << back.reason;
    }
    EXPECT_EQ(days, DayNumber(2101, 1, 1) - DayNumber(1873, 1, 1));
}

// Both sides of every change of era, and the ends of the convertible range, both ways.
TEST(Wareki, BothSidesOfEveryBoundary) {
    for (const std::string day :
         {"1873-01-01 明治6年1月1日", "1912-07-29 明治45年7月29日", "1912-07-30 大正元年7月30日",
          "1926-12-24 大正15年12月24日", "1926-12-25 昭和元年12月25日", "1989-01-07 昭和64年1月7日",
          "1989-01-08 平成元年1月8日", "2019-04-30 平成31年4月30日", "2019-05-01 令和元年5月1日",
          "9999-12-31 令和7981年12月31日"}) {
        EXPECT_EQ(Convert(day.substr(0, day.find(' '))), day);
        EXPECT_EQ(Convert(day.substr(day.find(' ') + 1)), day);
    }
    EXPECT_EQ(Convert("平成1年1月8日"), "1989-01-08 平成元年1月8日");
    EXPECT_EQ(Converted(FromSeireki(SeirekiFields{" １９８９", "０１", "8 "})),
              "1989-01-08 平成元年1月8日");
}

TEST(Wareki, DatesThatDoNotExistSayWhy) {
    const std::string lunisolar =
        "日本では明治5年12月2日まで太陰太陽暦（旧暦）が使われていたため、1873年（明治6年）1月1日"
        "より前の日付は変換できません。";
    const std::pair<const char*, std::string> cases[] = {
        {"令和5年2月30日", "日は1から28までの数で入力してください（令和5年2月は28日まで）。"},
        {"2024-02-30", "日は1から29までの数で入力してください（2024年2月は29日まで）。"},
        {"99999-01-01", "西暦の年は9999年までで入力してください。"},
        {"令和7982年1月1日", "9999年12月31日より後の日付は変換できません。"}};
    for (const auto& [input, reason] : cases) EXPECT_EQ(Convert(input), reason) << input;
    for (const char* input : {"0-01-01", "1872-12-31", "明治5年12月31日"})
        EXPECT_EQ(Convert(input), lunisolar);
    // A day outside its era: the era's first or last day.
    const std::pair<std::string, const char*> outside[] = {
        {"昭和64年1月8日", "昭和は64年1月7日（1989年1月7日）まで"},
        {"昭和65年1月1日", "昭和は64年1月7日（1989年1月7日）まで"},
        {"大正元年7月29日", "大正は元年7月30日（1912年7月30日）から"}};
    for (const auto& [input, limit] : outside)
        EXPECT_EQ(Convert(input), input + "はありません。" + limit + "です。");
    // The window's fields, typed one by one.
    const std::pair<DateConversion, const char*> fields[] = {
        {FromWareki(WarekiFields{-1, "1", "1", "1"}), "元号を選んでください。"},
        {FromWareki(WarekiFields{kEraCount, "1", "1", "1"}), "元号を選んでください。"},
        {FromWareki(WarekiDate{kEraCount, 1, 1, 1}), "元号を選んでください。"},
        {FromWareki(WarekiFields{3, "x", "1", "1"}), "和暦の年は数字か「元」で入力してください。"},
        {FromWareki(WarekiDate{3, 32, 13, 1}), "月は1から12までの数で入力してください。"},
        {FromSeireki(SeirekiFields{"", "1", "1"}), "西暦の年を入力してください。"},
        {FromSeireki(SeirekiFields{"abcd", "1", "1"}), "西暦の年は数字で入力してください。"},
        {FromSeireki(SeirekiFields{"2000", " ", "1"}), "月を入力してください。"}};
    for (const auto& [conversion, reason] : fields) EXPECT_EQ(Converted(conversion), reason);
}

// A whole text is a date of either shape, or no date at all, before the day is looked for.
TEST(Wareki, WholeTextsOfEitherShape) {
    const std::pair<const char*, const char*> cases[] = {
        {"１９８９－０１－０８", "1989-01-08 平成元年1月8日"},
        {" 1989 - 1 -\t8\t", "1989-01-08 平成元年1月8日"},
        {"\t平成 元 年 １ 月 8 日 ", "1989-01-08 平成元年1月8日"},
        {"2019-13-01", "月は1から12までの数で入力してください。"},
        {"平成０年1月1日", "平成0年はありません。和暦の年は元年（1年）から数えます。"}};
    for (const auto& [input, expected] : cases) EXPECT_EQ(Convert(input), expected) << input;
    for (const char* input : {"+2019-05-01", "2019/05/01", "2000-01-01-01", "2000- -01",
                              "abcd-01-01", "2000-01", "", "平成元年一月八日", "平成　元年1月8日",
                              "平成x年1月1日", "天保3年1月1日", "平成3年1月1", "平成3年1月1日後"})
        EXPECT_EQ(Convert(input), "shape") << input;
}

TEST(Wareki, YearTable) {
    EXPECT_EQ(Kanshi(1984) + Kanshi(2024) + Kanshi(2043), "甲子甲辰癸亥");
    EXPECT_EQ(YearTableLine(1989, std::nullopt), "1989\t昭和64年/平成元年\t己巳");
    EXPECT_EQ(YearTableLine(1912, 1990), "1912\t明治45年/大正元年\t壬子\t");
    EXPECT_EQ(YearTableLine(2100, 1990), "2100\t令和82年\t庚申\t110");
    const std::string table = YearTableText(1873);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), kTableLastYear - kTableFirstYear + 1);
    EXPECT_TRUE(table.starts_with("1873\t明治6年\t癸酉\t0\n"));

    // The year read, or the reason it was refused.
    const std::pair<const char*, std::string> births[] = {
        {"２１００", "2100"},
        {"", "生まれ年を入力してください。"},
        {"1872", "生まれ年は1873から2100までの数で入力してください。"},
        {"2101", "生まれ年は1873から2100までの数で入力してください。"},
        {"19a0", "生まれ年は数字で入力してください。"}};
    for (const auto& [text, expected] : births) {
        int year = 0;
        std::string reason;
        EXPECT_EQ(ReadBirthYear(text, year, reason) ? std::to_string(year) : reason, expected);
    }
}

}  // namespace
