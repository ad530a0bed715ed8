#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "input/ChoiceLists.h"
#include "input/InputSchema.h"
#include "platform/Cp932.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/TestFiles.h"

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

CliRun Cli(const QStringList& arguments) {
    CliRun run;
    run.status = RunCli(arguments, kToday, run.out, run.err);
    return run;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TEST(Cli, TextRawAndJsonOfOneHistory) {
    const CliRun text = Cli({"--show-age", "--final", "大学院博士", "--outcome", "0"});
    ASSERT_EQ(text.status, kExitOk) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith("西暦 1986年(昭和 61年) 4月　小学校入学(6歳)\n"));
    EXPECT_TRUE(text.out.endsWith("\n現在の年齢は46歳と339日です。\n"));
    EXPECT_TRUE(text.err.isEmpty());

    const CliRun raw = Cli({"--raw", "--show-age", "--final", "7", "--outcome", "0"});
    QByteArray lines = text.out.chopped(1);
    EXPECT_EQ(raw.out, ToCp932(lines.replace("\n", "\r\n").toStdString()));

    const QJsonObject json =
        QJsonDocument::fromJson(Cli({"--json", "--show-age", "--final", "7", "--outcome", "0"}).out)
            .object();
    const QJsonArray events = json["lines"].toArray();
    ASSERT_EQ(events.size(), 11);
    const QJsonObject first = events[0].toObject();
    EXPECT_EQ(first["kind"].toString() + first["school"].toString() + first["era"].toString(),
              "entry小学校昭和");
    EXPECT_EQ(QList<int>({first["year"].toInt(), first["month"].toInt(), first["eraYear"].toInt(),
                          first["age"].toInt()}),
              QList<int>({1986, 4, 61, 6}));
    EXPECT_EQ(events[10].toObject()["kind"].toString(), "doctoral-entry");
    EXPECT_EQ(json["currentAge"].toObject()["days"].toInt(), 339);
    EXPECT_EQ(json["text"].toString().toUtf8().replace("\r\n", "\n") + "\n", text.out);
    const QJsonObject expelled = QJsonDocument::fromJson(Cli({"--json", "--outcome", "12"}).out)
                                     .object()["lines"]
                                     .toArray()
                                     .last()
                                     .toObject();
    EXPECT_EQ(expelled["kind"].toString(), "expelled");
    EXPECT_TRUE(expelled["month"].isNull() && expelled["age"].isNull());
}

// Every list and check box of the window has an option that sets it: a list by item or index.
TEST(Cli, EveryStoredChoiceHasItsOption) {
    for (const InputField* field : SettingsOrder()) {
        QStringList arguments = {"--" + Utf8(field->option)};
        int value = 1;
        if (field->kind == InputKind::List) {
            const std::vector<std::string>& items = ChoiceLists::Get().*field->items;
            value = static_cast<int>(items.size()) - 1;
            arguments << (field->settingsSlot % 2 ? QString::number(value) : Utf8(items.back()));
        }
        const auto parsed = ParseCommandLine(arguments, kToday);
        const auto* request = std::get_if<CliRequest>(&parsed);
        ASSERT_TRUE(request && request->inputs.size() == 1) << field->name;
        EXPECT_EQ(request->inputs[0].field, field);
        EXPECT_EQ(request->inputs[0].number, value) << field->name;
    }
}

TEST(Cli, TextsAndCountsByStageKeyOrNumber) {
    const CliRun byKey = Cli({"--year", "1990", "--month", "12", "--day", "31", "--ronin", "大=1",
                              "--ryunen", "博=99", "--final", "7"});
    const CliRun byNumber = Cli({"--year", "1990", "--month", "12", "--day", "31", "--ronin", "6=1",
                                 "--ryunen", "8=99", "--final", "大学院博士"});
    ASSERT_EQ(byKey.status, kExitOk) << byKey.err.toStdString();
    EXPECT_EQ(byKey.out, byNumber.out);
    EXPECT_TRUE(byKey.out.contains("西暦 2010年(平成 22年) 4月　大学入学"));
    EXPECT_TRUE(byKey.out.contains("西暦 2118年(令和 100年) 3月　大学院博士修了"));
}

struct UsageCase {
    QStringList arguments;
    const char* says;  // part of the message; "" for a command line that is accepted
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    PrintTo(c.arguments, os);
}

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, RefusedWithAMessageThatNamesWhatIsAllowed) {
    const CliRun run = Cli(GetParam().arguments);
    if (*GetParam().says == '\0') {
        EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
        return;
    }
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("vesmer-cli: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(GetParam().says)) << run.err.toStdString();
    // Only the parser's own complaints point to the help.
    EXPECT_EQ(run.err.contains("--help"), QByteArray(GetParam().says).contains("--help"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliUsage,
    testing::Values(
        UsageCase{{"--era", "大正"}, "'大正' is not allowed; use 0-3 or 西暦, 昭和, 平成, 令和"},
        UsageCase{{"--era", "4"}, "use 0-3 or"}, UsageCase{{"--era", "3"}, ""},
        UsageCase{{"--outcome", "17"}, ""}, UsageCase{{"--outcome", "18"}, "use 0-17 or 入学"},
        UsageCase{{"--final", " 大学"}, "use 0-7"},
        UsageCase{{"--route", "9"}, "短大から大学3年次へ編入, 専門学校から大学へ進学"},
        UsageCase{{"--university", "99999999999999999999"}, "use 0-4"},
        UsageCase{{"--year", "1868"}, ""},
        UsageCase{{"--year", "19800"}, "'19800' is not a number of up to 4 digits"},
        UsageCase{{"--year", "-1"}, "up to 4 digits"}, UsageCase{{"--month", "123"}, "up to 2"},
        UsageCase{{"--day", ""}, "up to 2"}, UsageCase{{"--ronin", "大"}, "'大' is not STAGE=N"},
        UsageCase{{"--ronin", "=1"}, "is not STAGE=N"},
        UsageCase{{"--ronin", "院=1"}, "unknown stage '院' (小 中 高 短 専 大 修 博 or 1-8)"},
        UsageCase{{"--ryunen", "9=1"}, "unknown stage"},
        UsageCase{{"--ryunen", "大=x"}, "'x' is not a number of digits"},
        UsageCase{{"--today", "2023-02-29"}, "not a date"},
        UsageCase{{"--raw", "--json"}, "cannot be used together"},
        UsageCase{{"--year", "1980", "--year", "1981"}, "--year is given more than once"},
        UsageCase{{"--show-age", "--show-age"}, ""},
        UsageCase{{"positional"}, "unexpected argument"},
        UsageCase{{"--unknown"}, "Try 'vesmer-cli --help'."},
        UsageCase{{"--year"}, "Try 'vesmer-cli --help'."}));

TEST(Cli, RefusedInputsExitThreeWithTheReasonInLines) {
    const CliRun run = Cli({"--route", "高専から大学2年次へ編入"});
    EXPECT_EQ(run.status, kExitRefused);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err,
              "高専卒でないのに「高専から大学へ編入する」選択がされています。\n\n"
              "正しい選択かどうか確認してください\n");
}

TEST(Cli, HelpListsEveryOptionAndVersion) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    QStringList options = {"today", "raw", "json", "load", "save", "version"};
    for (const InputField& field : InputSchema()) {
        if (!field.option.empty()) options << Utf8(field.option);
    }
    for (const QString& option : options)
        EXPECT_TRUE(help.out.contains(("--" + option + " ").toUtf8())) << option.toStdString();
    EXPECT_TRUE(help.out.contains(
        "短大から大学3年次へ編入, 専門学校から大学へ進学, 高専専攻科から大学院へ進学"));
    EXPECT_EQ(Cli({"--version"}).out, "vesmer-cli 4.10\n");
}

// The command line saves both settings files as the window does and reads them back.
TEST(Cli, SaveThenLoadReproducesTheHistoryAndARefusalSavesNothing) {
    QTemporaryDir folder;
    const QString dir = folder.filePath(QStringLiteral("settings"));
    CliRun refused = Cli({"--save", dir, "--era", "平成", "--year", "5", "--route", "1"});
    EXPECT_EQ(refused.status, kExitRefused);
    EXPECT_FALSE(QFileInfo::exists(dir));
    const CliRun saved = Cli({"--save", dir, "--era", "昭和", "--year", "55", "--final",
                              "大学院修士", "--ronin", "大=1", "--show-age"});
    ASSERT_EQ(saved.status, kExitOk);
    const CliRun loaded = Cli({"--load", dir});
    ASSERT_EQ(loaded.status, kExitOk);
    EXPECT_EQ(loaded.out, saved.out);
}

// A high-school graduate counted to a day before the graduation month ends.
QByteArray Resume(const QStringList& options, int expectedStatus = kExitOk) {
    const CliRun run =
        Cli(QStringList{"--final", "高校/高専", "--outcome", "卒業", "--today", "1998-03-01"} +
            options);
    EXPECT_EQ(run.status, expectedStatus) << run.err.toStdString();
    return run.out;
}

TEST(CliResume, RowsAsTabSeparatedLinesCsvAndJson) {
    EXPECT_EQ(
        Resume({"--resume", "wareki"}).toStdString(),
        "昭和61\t4\t小学校　入学\n平成4\t3\t小学校　卒業\n平成4\t4\t中学校　入学\n"
        "平成7\t3\t中学校　卒業\n平成7\t4\t高等学校　入学\n平成10\t3\t高等学校　卒業見込み\n");
    EXPECT_EQ(Resume({"--resume", "和暦"}), Resume({"--resume", "wareki"}));
    const QByteArray csv = Resume({"--resume", "seireki", "--csv"});
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF年,月,学歴\r\n1986,4,小学校　入学\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n1998,3,高等学校　卒業見込み\r\n"));

    const QJsonObject resume = QJsonDocument::fromJson(Resume({"--json"}))["resume"].toObject();
    EXPECT_EQ(resume["wareki"][5].toObject(),
              (QJsonObject{{"year", "平成10"}, {"month", "3"}, {"text", "高等学校　卒業見込み"}}));
    EXPECT_EQ(resume["seireki"][0]["year"].toString(), "1986");
    EXPECT_EQ(resume["seireki"].toArray().size(), 6);
}

TEST(CliResume, OptionsThatDoNotFitAreUsageErrors) {
    for (const QStringList& options :
         {QStringList{"--csv"}, QStringList{"--resume", "meiji"},
          QStringList{"--resume", "wareki", "--raw"}, QStringList{"--resume", "wareki", "--json"},
          QStringList{"--resume", "wareki", "--resume", "seireki"}})
        EXPECT_TRUE(Resume(options, kExitUsage).isEmpty()) << options.join(' ').toStdString();
    EXPECT_TRUE(Resume({"--help"}).contains("--resume <CALENDAR>"));
}

#ifndef _WIN32

struct ExitCase {
    const char* name;
    QStringList arguments;  // %1 is the test's folder
    int status;
    const char* named;         // what the one line on standard error names
    bool plantedLink = false;  // in the folder "shared", which everyone may write
};

const ExitCase kCases[] = {
    {"SaveIntoAFolderThatCannotBeMade",
     {"--save", "/proc/vesmer/x"},
     kExitOutputFailed,
     "/proc/vesmer/x/Vesmer.ini"},
    {"SaveThroughAPlantedLink",
     {"--save", "%1/shared"},
     kExitOutputFailed,
     "shared/VesmerDlg.ini",
     true},
    {"SaveWithoutFolder", {"--save", ""}, kExitUsage, "--save"},
    {"LoadWithoutFolder", {"--load", ""}, kExitUsage, "--load"},
    {"LoadOfNoFolder", {"--load", "%1/none"}, kExitUsage, "/none"},
    {"TodayBefore1900", {"--today", "1899-12-31"}, kExitUsage, "--today"},
    {"TodayIn1900", {"--today", "1900-01-01"}, kExitOk, nullptr},
};

class CliExitStatus : public testing::TestWithParam<ExitCase> {};

TEST_P(CliExitStatus, SaysWhatFailedInOneLine) {
    const ExitCase& c = GetParam();
    QTemporaryDir dir;
    const QString root = dir.path();
    if (c.plantedLink) {
        QDir().mkpath(root + "/shared");
        QFile::link(root + "/victim", root + "/shared/VesmerDlg.ini");
        chmod(QFile::encodeName(root + "/shared").constData(), 01777);
    }
    QStringList arguments;
    for (const QString& argument : c.arguments) arguments << QString(argument).replace("%1", root);
    QByteArray out, err;
    const int status = RunCli(arguments, CivilDate{2024, 6, 1}, out, err);
    EXPECT_EQ(status, c.status) << err.constData();
    if (c.named) {
        EXPECT_EQ(err.count('\n'), 1) << err.constData();
        EXPECT_TRUE(err.contains(c.named)) << err.constData();
    }
    EXPECT_FALSE(QFile::exists(root + "/victim"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CliExitStatus, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ExitCase>& test) {
                             return std::string(test.param.name);
                         });

#endif

}  // namespace
