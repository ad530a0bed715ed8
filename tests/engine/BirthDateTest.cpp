#include <gtest/gtest.h>

#include <string>

#include "engine/BirthDate.h"
#include "engine/Era.h"

namespace {

constexpr CivilDate kToday{2026, 12, 7};

// A birth date as typed (era kWesternYear for 西暦); the answer is the ISO date or the field
// that was refused with the reason.
std::string Check(int era, const char* year, const char* month, const char* day) {
    const DateConversion birth = CheckBirthDate({era, year, month, day}, kToday);
    if (birth.ok) return IsoText(birth.seireki);
    const char* fields[] = {"none", "era", "year", "month", "day"};
    return std::string(fields[static_cast<int>(birth.field)]) + ": " + birth.reason;
}

// Which days exist, in which era, is the converter's rule (WarekiTest): here each field that a
// refusal can name, and today as the last day.
TEST(BirthDate, OnlyDaysThatExistInTheirEraAndNotAfterToday) {
    const int showa = EraIndexOf("昭和"), heisei = EraIndexOf("平成"), reiwa = EraIndexOf("令和");
    const struct {
        int era;
        const char *year, *month, *day;
        std::string answer;
    } cases[] = {
        {kWesternYear, "1980", "2", "29", "1980-02-29"},
        {kWesternYear, "2026", "12", "7", "2026-12-07"},  // today: age 0
        {reiwa, "元", "5", "1", "2019-05-01"},
        {kWesternYear, "1980", "2", "30",
         "day: 日は1から29までの数で入力してください（1980年2月は29日まで）。"},
        {kWesternYear, "1980", "13", "1", "month: 月は1から12までの数で入力してください。"},
        {kWesternYear, "1980", "1", "", "day: 日を入力してください。"},
        {kWesternYear, "2026", "12", "8",
         "year: 生年月日（2026年12月8日）が今日（2026年12月7日）より後になっています。"},
        {heisei, "31", "5", "1",
         "year: 平成31年5月1日はありません。平成は31年4月30日（2019年4月30日）までです。"},
        {showa, "0", "1", "1", "year: 昭和0年はありません。和暦の年は元年（1年）から数えます。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check(c.era, c.year, c.month, c.day), c.answer) << c.year << "-" << c.month;
}

}  // namespace
