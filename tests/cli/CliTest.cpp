#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

#include "cli/CliRunner.h"
#include "platform/Cp932.h"

// Argument lists show as the command line they stand for.
static void PrintTo(const QStringList& arguments, std::ostream* os) {
    *os << arguments.join(' ').toStdString();
}

namespace {

constexpr CivilDate kToday{2026, 12, 6};

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun Cli(const QStringList& arguments, const CivilDate& today = kToday) {
    CliRun run;
    run.status = RunCli(arguments, today, run.out, run.err);
    return run;
}

const char* const kDefaultText =
    "西暦 1986年(昭和 61年) 4月　小学校入学\n"
    "西暦 1992年(平成  4年) 3月　小学校卒業\n"
    "西暦 1992年(平成  4年) 4月　中学校入学\n"
    "西暦 1995年(平成  7年) 3月　中学校卒業\n"
    "西暦 1995年(平成  7年) 4月　高校入学\n"
    "西暦 1998年(平成 10年) 3月　高校卒業\n"
    "西暦 1998年(平成 10年) 4月　大学入学\n"
    "西暦 2002年(平成 14年) 3月　大学卒業\n"
    "現在の年齢は46歳と339日です。\n";

TEST(Cli, DefaultsPrintTheWindowsDefaultHistory) {
    const CliRun run = Cli({});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.toStdString(), kDefaultText);
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(Cli, RawIsCodePage932WithCrLfAndNothingAppended) {
    const CliRun run = Cli({"--raw"});
    ASSERT_EQ(run.status, kExitOk);
    std::string expected = kDefaultText;
    expected.pop_back();
    std::string crlf;
    for (char c : expected) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(run.out, ToCp932(crlf));
    EXPECT_TRUE(run.out.startsWith("\x90\xbc\x97\xef 1986"));  // 西暦 in Shift-JIS
    EXPECT_TRUE(run.out.contains("\x81\x40"));                 // the full-width space
}

TEST(Cli, SecondWorkedExampleByOptions) {
    const CliRun run = Cli({"--month", "4", "--day", "2", "--final", "高校/高専", "--outcome",
                            "4年目に中退", "--high-school", "2", "--show-age"});
    ASSERT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_TRUE(run.out.toStdString().find("西暦 1999年(平成 11年) 3月　高等教育課程修了\n"
                                           "西暦 1999年(平成 11年)  　　高専中退(18歳)\n") !=
                std::string::npos)
        << run.out.toStdString();
}

TEST(Cli, EraByNameAndIndex) {
    const CliRun byName = Cli({"--era", "昭和", "--year", "55"});
    const CliRun byIndex = Cli({"--era", "1", "--year", "55"});
    ASSERT_EQ(byName.status, kExitOk);
    EXPECT_EQ(byName.out.toStdString(), kDefaultText);
    EXPECT_EQ(byIndex.out, byName.out);
}

TEST(Cli, CountsByStageKeyOrNumber) {
    const CliRun byKey = Cli({"--ronin", "大=1", "--ryunen", "高=1"});
    const CliRun byNumber = Cli({"--ronin", "6=1", "--ryunen", "3=1"});
    ASSERT_EQ(byKey.status, kExitOk);
    EXPECT_EQ(byKey.out, byNumber.out);
    EXPECT_TRUE(byKey.out.contains("西暦 2004年(平成 16年) 3月　大学卒業"));
}

TEST(Cli, JsonHasEveryLineAndTheCurrentAge) {
    const CliRun run = Cli({"--json", "--show-age", "--final", "大学院博士", "--outcome", "0"});
    ASSERT_EQ(run.status, kExitOk);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const QJsonObject root = document.object();
    const QJsonArray lines = root["lines"].toArray();
    ASSERT_EQ(lines.size(), 11);
    const QJsonObject first = lines[0].toObject();
    EXPECT_EQ(first["kind"].toString(), "entry");
    EXPECT_EQ(first["school"].toString(), "小学校");
    EXPECT_EQ(first["year"].toInt(), 1986);
    EXPECT_EQ(first["month"].toInt(), 4);
    EXPECT_EQ(first["era"].toString(), "昭和");
    EXPECT_EQ(first["eraYear"].toInt(), 61);
    EXPECT_EQ(first["age"].toInt(), 6);
    EXPECT_EQ(first["text"].toString(), "西暦 1986年(昭和 61年) 4月　小学校入学(6歳)");
    EXPECT_EQ(lines[10].toObject()["kind"].toString(), "doctoral-entry");
    EXPECT_EQ(root["currentAge"].toObject()["years"].toInt(), 46);
    EXPECT_EQ(root["currentAge"].toObject()["days"].toInt(), 339);
    EXPECT_TRUE(root["text"].toString().endsWith("\r\n現在の年齢は46歳と339日です。"));

    const CliRun dropped = Cli({"--json", "--outcome", "3年目に除籍"});
    const QJsonArray droppedLines = QJsonDocument::fromJson(dropped.out)["lines"].toArray();
    const QJsonObject last = droppedLines.last().toObject();
    EXPECT_EQ(last["kind"].toString(), "expelled");
    EXPECT_TRUE(last["month"].isNull());
    EXPECT_TRUE(last["age"].isNull());
}

TEST(Cli, TodayIsInjectable) {
    const CliRun run = Cli({"--today", "2024-02-29", "--year", "2000", "--month", "2", "--day",
                            "29", "--final", "小学校"});
    ASSERT_EQ(run.status, kExitOk);
    EXPECT_TRUE(run.out.endsWith("現在の年齢は24歳と0日です。\n"));
}

struct Refused {
    QStringList arguments;
    const char* messageStart;
};

void PrintTo(const Refused& c, std::ostream* os) {
    *os << c.arguments.join(' ').toStdString();
}

class CliRefusal : public ::testing::TestWithParam<Refused> {};

TEST_P(CliRefusal, ExitThreeWithTheMessage) {
    const CliRun run = Cli(GetParam().arguments);
    EXPECT_EQ(run.status, kExitRefused);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith(GetParam().messageStart)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains('\r'));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliRefusal,
    ::testing::Values(Refused{{"--month", "13"}, "生年月日の月は"},
                      Refused{{"--day", "0"}, "生年月日の日は"},
                      Refused{{"--year", "1867"}, "生年月日の年は"},
                      Refused{{"--ronin", "大=120"}, "大学の浪人回数は"},
                      Refused{{"--ryunen", "1=99999999999999"}, "小学の留年回数は"},
                      Refused{{"--final", "6", "--university", "3"}, "6ヶ月または1年制"},
                      Refused{{"--route", "高専から大学3年次へ編入", "--high-school", "1"},
                              "高専卒でないのに"},
                      Refused{{"--university", "4", "--route", "5"}, "大学の在学期間が"}));

class CliUsage : public ::testing::TestWithParam<QStringList> {};

TEST_P(CliUsage, ExitTwoWithAMessage) {
    const CliRun run = Cli(GetParam());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("vesmer-cli: ")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliUsage,
    ::testing::Values(
        QStringList{"--unknown"}, QStringList{"positional"}, QStringList{"--year", "19a0"},
        QStringList{"--year", "19800"}, QStringList{"--year", "-1"}, QStringList{"--month", "123"},
        QStringList{"--day", ""}, QStringList{"--era", "4"}, QStringList{"--era", "明治"},
        QStringList{"--final", "8"}, QStringList{"--outcome", "9年目に中退"},
        QStringList{"--final", " 大学"}, QStringList{"--university", "99999999999999999999"},
        QStringList{"--ronin", "大"}, QStringList{"--ronin", "=1"}, QStringList{"--ronin", "院=1"},
        QStringList{"--ronin", "9=1"}, QStringList{"--ryunen", "大=x"},
        QStringList{"--ryunen", "大=-1"}, QStringList{"--today", "2023-02-29"},
        QStringList{"--today", "today"}, QStringList{"--raw", "--json"}, QStringList{"--year"},
        QStringList{"--year", "1980", "--year", "1981"}, QStringList{"--show-age=1"},
        QStringList{QString::fromUtf8("--final=\xff\xfe")}));

TEST(Cli, HelpAndVersion) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    for (const char* option : {"--era",
                               "--year",
                               "--month",
                               "--day",
                               "--final",
                               "--outcome",
                               "--high-school",
                               "--vocational",
                               "--university",
                               "--route",
                               "--ronin",
                               "--ryunen",
                               "--elementary-transfer",
                               "--junior-high-transfer",
                               "--skip-high-school-last-year",
                               "--university-autumn-entry",
                               "--university-half-year",
                               "--skip-university-last-year",
                               "--graduate-autumn-entry",
                               "--direct-doctor",
                               "--shorten-master",
                               "--shorten-doctor",
                               "--show-age",
                               "--today",
                               "--raw",
                               "--json",
                               "--load",
                               "--save",
                               "--version"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out, "vesmer-cli 4.10\n");
}

}  // namespace
