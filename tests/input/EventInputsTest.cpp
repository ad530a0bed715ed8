#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "input/EventInputs.h"

namespace {

using IK = EventInputKind;

TEST(EventInputs, MonthsAreReadInTheUsualForms) {
    const struct {
        const char* typed;
        int year, month;
    } read[] = {{"2000-04", 2000, 4},   {"2000/4", 2000, 4},         {" 2000.12 ", 2000, 12},
                {"2000年4月", 2000, 4}, {"２０００－０４", 2000, 4}, {"　2000 年 4 月　", 2000, 4},
                {"1873-01", 1873, 1},   {"2100-12", 2100, 12}};
    YearMonth month;
    for (const auto& c : read) {
        EXPECT_TRUE(ParseYearMonth(c.typed, month)) << c.typed;
        EXPECT_EQ(month, (YearMonth{c.year, c.month})) << c.typed;
    }
    for (const char* typed : {"1872-12", "2101-01", "2000-13", "2000-0", "2000", "2000-4-1",
                              "00-04", "2000-004", "平成12年4月", ""})
        EXPECT_FALSE(ParseYearMonth(typed, month)) << typed;
}

// Stored by item text under numbered keys; what names no kind or stage is dropped.
TEST(EventInputs, RowsAreStoredByTheirItemsAndReadBack) {
    const std::vector<EventInput> rows = {
        {IK::Exchange, STAGE_MASTER, "2002-09", "2003-03", "パリ大学", ""},
        {IK::TransferIn, STAGE_HIGH_SCHOOL, "1996-04", "", "東都高校", "普通科"},
        {IK::Equivalency, STAGE_HIGH_SCHOOL, "", "1999-08", "", ""}};
    std::string lines;
    CStoredEventRows stored;
    for (const auto& [key, value] : StoredEventValues(rows)) {
        lines += key + "=" + value + ";";
        EXPECT_TRUE(stored.Read(key, value));
    }
    EXPECT_EQ(lines,
              "event1.kind=交換留学;event1.stage=大学院修士;event1.from=2002-09;event1.to=2003-03;"
              "event1.place=パリ大学;event2.kind=転入学;event2.from=1996-04;event2.place=東都高校;"
              "event2.department=普通科;event3.kind=高卒認定;event3.from=;event3.to=1999-08;");
    EXPECT_EQ(stored.Rows(), rows);
    CStoredEventRows later;
    for (const char* key : {"event", "event1", "eventx.kind", "event0.kind", "event21.kind",
                            "event100.kind", "event1.colour", "events1.kind"})
        EXPECT_FALSE(later.Read(key, "休学")) << key;
    EXPECT_TRUE(later.Read("event3.stage", "大学院修士") && later.Read("event3.kind", "休学") &&
                later.Read("event2.kind", "冬眠") && later.Read("event1.kind", "休学") &&
                later.Read("event1.stage", "大学院") && later.Read("event20.kind", "休学"));
    EXPECT_EQ(later.Rows(),
              (std::vector<EventInput>{{IK::LeaveOfAbsence, 0, "", "", "", ""},
                                       {IK::LeaveOfAbsence, STAGE_MASTER, "", "", "", ""},
                                       {IK::LeaveOfAbsence, 0, "", "", "", ""}}));
}

}  // namespace
