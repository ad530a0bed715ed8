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
#include "tests/support/TestFiles.h"

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
    EXPECT_TRUE(text.out.endsWith("\n現在の年齢は46歳と339日です。\n") && text.err.isEmpty());

    const CliRun raw = Cli({"--raw", "--show-age", "--final", "7", "--outcome", "0"});
    QByteArray lines = text.out.chopped(1);
    EXPECT_EQ(raw.out, ToCp932(lines.replace("\n", "\r\n").toStdString()));

    const auto json = [](const QStringList& arguments) {
        return QJsonDocument::fromJson(Cli(QStringList{"--json"} + arguments).out).object();
    };
    const QJsonObject history = json({"--show-age", "--final", "7", "--outcome", "0"});
    const QJsonArray events = history["lines"].toArray();
    ASSERT_EQ(events.size(), 11);
    EXPECT_EQ(QJsonDocument(events[0].toObject()).toJson(QJsonDocument::Compact),
              "{\"age\":6,\"era\":\"昭和\",\"eraYear\":61,\"kind\":\"entry\",\"month\":4,"
              "\"school\":\"小学校\",\"text\":\"西暦 1986年(昭和 61年) 4月　小学校入学(6歳)\","
              "\"year\":1986}");
    EXPECT_EQ(events[10].toObject()["kind"].toString(), "doctoral-entry");
    EXPECT_EQ(history["currentAge"].toObject()["days"].toInt(), 339);
    EXPECT_EQ(history["text"].toString().toUtf8().replace("\r\n", "\n") + "\n", text.out);
    const QJsonObject expelled = json({"--outcome", "12"})["lines"].toArray().last().toObject();
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

// Each refused command line with part of its message; "" for one that is accepted.
TEST(Cli, UsageErrorsNameWhatIsAllowed) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--era", "大正"}, "'大正' is not allowed; use 0-3 or 西暦, 昭和, 平成, 令和"},
        {{"--era", "3", "--year", "5"}, ""},
        {{"--outcome", "17"}, ""},
        {{"--outcome", "20"}, "use 0-19 or 入学"},
        {{"--university", "99999999999999999999"}, "use 0-4"},
        {{"--year", "1873"}, ""},
        {{"--year", "19800"}, "'19800' is not a number of up to 4 digits"},
        {{"--day", ""}, "up to 2"},
        {{"--ronin", "大"}, "'大' is not STAGE=N"},
        {{"--ronin", "院=1"}, "unknown stage '院' (小 中 高 短 専 大 修 博 or 1-8)"},
        {{"--ryunen", "大=x"}, "'x' is not a number of digits"},
        {{"--today", "2023-02-29"}, "not a date"},
        {{"--raw", "--json"}, "cannot be used together"},
        {{"--csv"}, "--csv needs --resume"},
        {{"--resume", "meiji"}, "neither wareki (和暦) nor"},
        {{"--resume", "wareki", "--json"}, "--resume and --json cannot"},
        {{"--year", "1980", "--year", "1981"}, "--year is given more than once"},
        {{"--school", "大=東都大学"}, "--school needs --resume or --json"},
        {{"--json", "--school", "大=東都大学", "--school", "6=x"}, "more than once for 6"},
        {{"--json", "--school", "大"}, "is not STAGE=TEXT"},
        {{"--json", "--school", "大=東都\t大学"}, "「大学の学校名」にタブや改行"},
        {{"--json", "--from", "大学"}, "use 中学校卒業, 高校入学, 小学校入学"},
        {{"--json", "--from", "1", "--from", "2"}, "--from is given more than once"},
        {{"--json", "--from", "高校入学から", "--no-heading", "--leaving-month", "3"}, ""},
        {{"--pdf", "a.pdf"}, "--pdf needs --resume"},
        {{"--resume", "wareki", "--csv", "--pdf", "a.pdf"}, "--pdf and --csv cannot"},
        {{"--resume", "\x1b[2J\xc2\x9b"}, "'\\x1B[2J\\x9B' is neither"},
        {{"--show-age", "--show-age"}, ""},
        {{"positional"}, "unexpected argument"},
        {{"--unknown"}, "Try 'vesmer-cli --help'."}};
    for (const auto& [arguments, says] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, *says ? kExitUsage : kExitOk) << run.err.toStdString();
        if (!*says) continue;
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith("vesmer-cli: ") && run.err.contains(says))
            << run.err.toStdString();
        // Only the parser's own complaints point to the help.
        EXPECT_EQ(run.err.contains("--help"), QByteArray(says).contains("--help"));
    }
}

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
    QStringList options = {"today",   "raw",        "json",         "load", "save",
                           "version", "csv",        "pdf",          "from", "no-heading",
                           "school",  "department", "leaving-month"};
    for (const InputField& field : InputSchema()) {
        if (!field.option.empty()) options << Utf8(field.option);
    }
    for (const QString& option : options)
        EXPECT_TRUE(help.out.contains(("--" + option + " ").toUtf8())) << option.toStdString();
    EXPECT_TRUE(help.out.contains(
        "短大から大学3年次へ編入, 専門学校から大学へ進学, 高専専攻科から大学院へ進学"));
    EXPECT_TRUE(help.out.contains("--resume <CALENDAR>"));
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
QByteArray Resume(const QStringList& options) {
    const CliRun run =
        Cli(QStringList{"--final", "高校/高専", "--outcome", "卒業", "--today", "1998-03-01"} +
            options);
    EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
    return run.out;
}

TEST(CliResume, RowsAsTabSeparatedLinesCsvAndJson) {
    EXPECT_EQ(Resume({"--resume", "wareki"}).toStdString(),
              "\t\t学歴\n平成7\t3\t中学校　卒業\n平成7\t4\t高等学校　入学\n"
              "平成10\t3\t高等学校　卒業見込み\n");
    EXPECT_EQ(Resume({"--resume", "和暦"}), Resume({"--resume", "wareki"}));
    const QByteArray csv = Resume({"--resume", "seireki", "--csv"});
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF年,月,学歴\r\n,,学歴\r\n1995,3,中学校　卒業\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n1998,3,高等学校　卒業見込み\r\n"));

    const QJsonObject resume = QJsonDocument::fromJson(Resume({"--json"}))["resume"].toObject();
    EXPECT_EQ(resume["wareki"][3].toObject(),
              (QJsonObject{{"year", "平成10"}, {"month", "3"}, {"text", "高等学校　卒業見込み"}}));
    EXPECT_EQ(resume["seireki"][1]["year"].toString(), "1995");
    EXPECT_EQ(resume["seireki"].toArray().size(), 4);

    // The block's own options, for the text and --json alike.
    const QStringList named = {"--from",      "高校入学",     "--no-heading", "--school",
                               "高=東都高校", "--department", "3=普通科"};
    EXPECT_EQ(Resume(QStringList{"--resume", "seireki"} + named).toStdString(),
              "1995\t4\t東都高校　普通科　入学\n1998\t3\t東都高校　普通科　卒業見込み\n");
    const QJsonObject json =
        QJsonDocument::fromJson(Resume(QStringList{"--json"} + named)).object();
    EXPECT_EQ(json["resume"]["wareki"][0]["text"].toString(), "東都高校　普通科　入学");
}

// --pdf hands the rows of the chosen options to the PDF writer; a file it cannot write exits 1.
TEST(CliResume, PdfGoesToTheWriterAndItsFailureExitsOne) {
    std::vector<ResumeRow> written;
    const ResumePdfWriter writer = [&](const QString& path, const std::vector<ResumeRow>& rows,
                                       ResumeCalendar calendar) {
        written = rows;
        return path == "ok.pdf" && calendar == ResumeCalendar::Seireki;
    };
    const QStringList arguments = {"--today",  "1998-03-01", "--final", "1",
                                   "--resume", "seireki",    "--pdf"};
    CliRun run;
    run.status = RunCli(arguments + QStringList{"ok.pdf"}, kToday, run.out, run.err, writer);
    EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    ASSERT_EQ(written.size(), 2u);  // 「学歴」 and 中学校 卒業
    EXPECT_EQ(written[1].text, "中学校　卒業");
    run = {};
    run.status = RunCli(arguments + QStringList{"no.pdf"}, kToday, run.out, run.err, writer);
    EXPECT_EQ(run.status, kExitOutputFailed);
    EXPECT_EQ(run.err, "vesmer-cli: --pdf: no.pdf could not be written\n");
}

#ifndef _WIN32

// A failed save or an unusable folder or date: its exit status and one line that names it.
TEST(Cli, FailureSaysWhatFailedInOneLine) {
    QTemporaryDir dir;
    const QString root = dir.path();
    const struct {
        QStringList arguments;  // %1 is the test's folder
        int status;
        const char* named;
    } cases[] = {{{"--save", "/proc/vesmer/x"}, kExitOutputFailed, "/proc/vesmer/x/Vesmer.ini"},
                 {{"--save", ""}, kExitUsage, "--save"},
                 {{"--load", ""}, kExitUsage, "--load"},
                 {{"--load", "%1/none"}, kExitUsage, "/none"},
                 {{"--load", "%1/a\nb\x1b"}, kExitUsage, "/a\\x0Ab\\x1B"},
                 {{"--today", "1899-12-31"}, kExitUsage, "--today"},
                 {{"--today", "1900-01-01", "--year", "1899"}, kExitOk, ""}};
    for (const auto& c : cases) {
        QStringList arguments;
        for (const QString& argument : c.arguments)
            arguments << QString(argument).replace("%1", root);
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, c.status) << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), *c.named ? 1 : 0) << run.err.constData();
        EXPECT_TRUE(run.err.contains(c.named)) << run.err.constData();
    }
}

#endif

}  // namespace
