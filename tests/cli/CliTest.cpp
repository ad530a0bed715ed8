#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <tuple>

#include "cli/CliRunner.h"
#include "input/ChoiceLists.h"
#include "input/InputSchema.h"
#include "platform/Cp932.h"
#include "platform/QtText.h"

namespace {

constexpr CivilDate kToday{2026, 12, 6};

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun Cli(const QStringList& arguments, const ResumePdfWriter& writePdf = {}) {
    CliRun run;
    run.status = RunCli(arguments, kToday, run.out, run.err, writePdf);
    return run;
}

QJsonObject Json(const QStringList& arguments) {
    return QJsonDocument::fromJson(Cli(QStringList{"--json"} + arguments).out).object();
}

TEST(Cli, TextRawAndJsonOfOneHistory) {
    const CliRun text = Cli({"--show-age", "--final", "大学院博士", "--outcome", "0"});
    ASSERT_EQ(text.status, kExitOk) << text.err.toStdString();
    EXPECT_TRUE(text.out.endsWith("\n現在の年齢は46歳と339日です。\n") && text.err.isEmpty());

    EXPECT_EQ(Cli({"--raw", "--show-age", "--final", "7", "--outcome", "0"}).out,
              ToCp932(text.out.chopped(1).replace("\n", "\r\n").toStdString()));

    const QJsonObject history = Json({"--show-age", "--final", "7", "--outcome", "0"});
    const QJsonArray events = history["lines"].toArray();
    EXPECT_EQ(QJsonDocument(events[0].toObject()).toJson(QJsonDocument::Compact),
              "{\"age\":6,\"era\":\"昭和\",\"eraYear\":61,\"kind\":\"entry\",\"month\":4,"
              "\"school\":\"小学校\",\"text\":\"西暦 1986年(昭和 61年) 4月　小学校入学(6歳)\","
              "\"year\":1986}");
    EXPECT_EQ(events.last()["kind"].toString(), "doctoral-entry");
    EXPECT_EQ(history["currentAge"].toObject()["days"].toInt(), 339);
    EXPECT_EQ(history["text"].toString().toUtf8().replace("\r\n", "\n") + "\n", text.out);
    const QJsonObject expelled = Json({"--outcome", "12"})["lines"].toArray().last().toObject();
    EXPECT_EQ(expelled["kind"].toString(), "expelled");
    EXPECT_TRUE(expelled["month"].isNull() && expelled["age"].isNull());
}

// The help names every option, among them one for each input of the window that sets it: a
// list by item or index, a count by the number of its school, digits full-width too.
TEST(Cli, HelpAndAnOptionForEveryInput) {
    const CliRun run = Cli({"--help"});
    const QByteArray& help = run.out;
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_TRUE(help.contains("\n  -v, --version "));  // an option by each of its names
    EXPECT_TRUE(help.startsWith("Usage: vesmer-cli [options]\n"));
    EXPECT_TRUE(help.contains("\n  --exchange <STAGE=FROM..TO:DEST>  "));  // the longest
    EXPECT_TRUE(help.contains("\n終了ステータス: 0 表示した、1 出力、"));
    QByteArray wide, err;  // as wide as asked: one line an option
    RunCli({"--help"}, kToday, wide, err, {}, 1000);
    EXPECT_TRUE(wide.contains("大学院博士。省略時は大学。\n  --outcome <ITEM>"));
    EXPECT_TRUE(wide.contains("MONTH は合格した月。\n"));  // --nintei needs no other option
    // A destination is described only for the options that take one.
    const qsizetype leave = help.indexOf("--leave "), exchange = help.indexOf("--exchange ");
    EXPECT_FALSE(help.mid(leave, exchange - leave).contains("DEST"));
    EXPECT_TRUE(help.mid(exchange).contains("DEST は"));
    EXPECT_EQ(Cli({"--version"}).out, "vesmer-cli 4.10\n");
    for (const InputField& field : InputSchema()) {
        if (field.option.empty()) continue;
        QStringList arguments = {"--" + Utf8(field.option)};
        EXPECT_TRUE(help.contains((arguments[0] + " ").toUtf8())) << field.name;
        CliInput expected{&field, field.kind == InputKind::Check ? 1 : 0, {}};
        if (field.kind == InputKind::List) {
            const std::vector<std::string>& items = ChoiceLists::Get().*field.items;
            expected.number = static_cast<int>(items.size()) - 1;
            arguments << (field.settingsSlot % 2 ? QString::number(expected.number)
                                                 : Utf8(items.back()));
        } else if (field.kind != InputKind::Check) {
            expected.text = "12";
            arguments << (IsCount(field) ? QString::number(field.stage) + "=１２" : "１２");
        }
        const auto parsed = ParseCommandLine(arguments, kToday);
        const auto* request = std::get_if<CliRequest>(&parsed);
        ASSERT_TRUE(request && request->inputs.size() == 1) << field.name;
        const CliInput& input = request->inputs[0];
        EXPECT_EQ(std::tie(input.field, input.number, input.text),
                  std::tie(expected.field, expected.number, expected.text))
            << field.name;
    }
}

// Each refused command line with part of its message; "" for one that is accepted.
TEST(Cli, UsageErrorsNameWhatIsAllowed) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--era", "大正"},
         "「大正」は --era に指定できません。番号 0〜3 か 西暦、昭和、平成、令和で"},
        {{"--outcome", "20"}, "番号 0〜19 か 入学、"},
        {{"--university", "99999999999999999999"}, "番号 0〜4 か"},
        {{"--era", "平成", "--year", "元", "--day", "　8 ", "--ronin", "大= 1"}, ""},
        {{"--year", "19800"},
         "「19800」は --year に指定できません。4桁までの数字か「元」で指定してください。"},
        {{"--day", ""}, "2桁までの数字で"},
        {{"--day", "元"}, "2桁までの数字で"},
        {{"--ronin", "大"}, "「大」は --ronin に指定できません。STAGE=N の形で"},
        {{"--ronin", "院=1"},
         "--ronin の「院」という学校はありません。STAGE は 小 中 高 短 専 大 修 博 か 1〜8 で"},
        {{"--ryunen", "大=1x"}, "「1x」は --ryunen に指定できません。数字で指定してください。"},
        {{"--today", "2023-02-29"}, "YYYY-MM-DD の形の日付で"},
        {{"--today", "1899-12-31"}, "1900-01-01 からの日付で"},
        {{"--today", "1900-01-01", "--year", "1899"}, ""},
        {{"--save", ""}, "--save にフォルダーを指定してください。"},
        {{"--raw", "--json"}, "--raw と --json は一緒に指定できません。"},
        {{"--csv"}, "--csv は --resume と一緒に指定してください。"},
        {{"--resume", "meiji"}, "wareki か 和暦、seireki か 西暦で"},
        {{"--resume", "wareki", "--json"}, "--resume と --json は一緒に"},
        {{"--year", "1980", "--year", "1981"}, "--year を二度以上指定することはできません。"},
        {{"--school", "大=東都大学"}, "--school は --resume か --json と一緒に"},
        {{"--json", "--school", "大=東都大学", "--school", "6=x"}, "一つの学校に二度以上"},
        {{"--json", "--school", "大"}, "STAGE=TEXT の形で"},
        {{"--json", "--from", "大学"}, "中学校卒業、高校入学、小学校入学、高校卒業で"},
        {{"--json", "--from", "1", "--from", "2"}, "--from を二度以上"},
        {{"--json", "--from", "高校入学から", "--no-heading", "--leaving-month", "3"}, ""},
        {{"--json", "--closing", "--closing", "--show-age", "--show-age", "--skip-as", "1"}, ""},
        {{"--json", "--skip-as", "1", "--skip-as", "0"}, "--skip-as を二度以上"},
        {{"--leave", "大=2000-04"},
         "「大=2000-04」は --leave に指定できません。STAGE=FROM..TO の形で"},
        {{"--exchange", "大=2000-04..2001-03"}, "STAGE=FROM..TO:DEST の形で"},
        {{"--abroad", "中=2000-04..2001-04:x"},
         "--abroad は中学校には指定できません。STAGE は 高 短 専 大 修 博 か 3〜8 で"},
        {{"--left-high-school", "1996-03"}, "--left-high-school は --nintei と一緒に"},
        {{"--nintei", "1997-08", "--nintei", "1997-09"}, "--nintei を二度以上"},
        {{"--pdf", "a.pdf"}, "--pdf は --resume と一緒に"},
        {{"--resume", "wareki", "--csv", "--pdf", "a.pdf"}, "--pdf と --csv は一緒に"},
        {{"--resume", "\x1b[2J\xc2\x9b"}, "「\\x1B[2J\\x9B」は --resume に"},
        {{"positional"}, "余分な引数があります（positional）。"},
        {{"--unknown"}, "「unknown」というオプションはありません。"},
        {{"--era"}, "--era の後に値を指定してください。"}};
    for (const auto& [arguments, says] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, *says ? kExitUsage : kExitOk) << run.err.toStdString();
        if (!*says) continue;
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith("vesmer-cli: ") && run.err.contains(says))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith("\n使い方は vesmer-cli --help で表示されます。\n"));
    }
}

// A refused input exits 3 with the reason in lines; a refused 学歴 choice or an unusable folder
// exits 2, each printing nothing but its reason; a failed save exits 1 after the history.
TEST(Cli, RefusalsAndFailuresPrintNothingButTheirReason) {
    QTemporaryDir dir;
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"--route", "高専から大学2年次へ編入"},
         kExitRefused,
         "高専卒でないのに「高専から大学へ編入する」選択がされています。\n\n"
         "正しい選択かどうか確認してください\n"},
        {{"--json", "--leaving-month", "13"},
         kExitUsage,
         "vesmer-cli: 「中途退学・除籍の月」は1から12までの数で入力してください。\n"},
        // The rows are numbered in the order their options are given.
        {{"--resume", "seireki", "--exchange", "大=2000-09..2001-06:x", "--leave",
          "大=2000-04..1999-04"},
         kExitRefused,
         "「休学・留学など」の2行目（休学）の「復学した月」が「休学した月」より後になっていません。"
         "\n"},
        {{"--load", ""}, kExitUsage, "vesmer-cli: --load にフォルダーを指定してください。\n"},
#ifndef _WIN32  // the paths as given, with their separators
        {{"--load", "/dev/null"},
         kExitUsage,
         "vesmer-cli: --load の /dev/null はフォルダーではありません。\n"},
        {{"--save", "/proc/vesmer/x"},
         kExitOutputFailed,
         "vesmer-cli: --save の /proc/vesmer/x/Vesmer.ini を書き込めませんでした。\n"},
        {{"--load", dir.filePath("a\nb\x1b")},
         kExitUsage,
         "vesmer-cli: --load の " + dir.path() + "/a\\x0Ab\\x1B はフォルダーではありません。\n"},
#endif
    };
    for (const auto& [arguments, status, reason] : cases) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, status) << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), status != kExitOutputFailed);
        EXPECT_EQ(QString::fromUtf8(run.err), reason);
    }
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
    EXPECT_TRUE(Resume({"--resume", "seireki", "--csv"})
                    .startsWith("\xEF\xBB\xBF年,月,学歴\r\n,,学歴\r\n1995,3,中学校　卒業\r\n"));

    // The block's own options, for the text and --json (both calendars) alike.
    const QStringList named = {"--from",      "高校入学",     "--no-heading", "--school",
                               "高=東都高校", "--department", "3=普通科"};
    EXPECT_EQ(Resume(QStringList{"--resume", "seireki"} + named).toStdString(),
              "1995\t4\t東都高校　普通科　入学\n1998\t3\t東都高校　普通科　卒業見込み\n");
    const QJsonObject resume =
        QJsonDocument::fromJson(Resume(QStringList{"--json"} + named))["resume"].toObject();
    EXPECT_EQ(resume["wareki"][1].toObject(),
              (QJsonObject{
                  {"year", "平成10"}, {"month", "3"}, {"text", "東都高校　普通科　卒業見込み"}}));
    EXPECT_EQ(resume["seireki"][0]["year"].toString(), "1995");
}

// Each event's option and the block's closing give their rows, with the months as typed.
TEST(CliResume, EventsAndTheBlocksClosing) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--leave", "大=2000-04..2001-04"}, "2000\t4\t大学　休学\n2001\t4\t大学　復学\n"},
        {{"--exchange", "大=2000-09..2001-06:カリフォルニア大学"},
         "2000\t9\tカリフォルニア大学に交換留学（2001年6月まで）\n"},
        {{"--abroad", "6=2000/9..2001年6月:ロンドン大学"},
         "2000\t9\tロンドン大学に留学（2001年6月まで）\n"},
        {{"--final", "高校/高専", "--transfer-in", "1996-09:東都高校"},
         "1996\t9\t東都高校　転入学\n"},
        {{"--left-high-school", "1996-03", "--nintei", "１９９７－０８"},
         "1996\t3\t高等学校　中途退学\n1997\t8\t高等学校卒業程度認定試験　合格\n"},
        {{"--final", "大学院修士", "--skip-university-last-year", "--skip-as", "飛び入学"},
         "2001\t3\t大学　中途退学（飛び入学のため）\n"},
        {{"--closing"}, "2002\t3\t大学　卒業\n\t\t以上\n"}};
    for (const auto& [options, rows] : cases) {
        const CliRun run = Cli(QStringList{"--resume", "seireki"} + options);
        EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(rows)) << run.out.toStdString();
    }
    // --json's lines name the events' kinds.
    const QJsonArray lines =
        Json({"--final", "7", "--outcome", "単位取得退学", "--nintei", "1997-08",
              "--left-high-school", "1996-03", "--leave", "大=2000-04..2001-04", "--exchange",
              "修=2004-09..2005-03:X", "--abroad", "博=2006-04..2007-03:Y"})["lines"]
            .toArray();
    QStringList kinds;
    for (const QJsonValue& line : lines) kinds << line["kind"].toString();
    EXPECT_EQ(kinds.mid(5).join(' '),
              "dropped-out equivalency-pass entry leave-of-absence return graduation "
              "graduate-school-entry exchange completion study-abroad credits-withdrawn");
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
    CliRun run = Cli(arguments + QStringList{"ok.pdf"}, writer);
    EXPECT_EQ(run.status, kExitOk) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    ASSERT_EQ(written.size(), 2u);  // 「学歴」 and 中学校 卒業
    EXPECT_EQ(written[1].text, "中学校　卒業");
    run = Cli(arguments + QStringList{"no.pdf"}, writer);
    EXPECT_EQ(run.status, kExitOutputFailed);
    EXPECT_EQ(run.err, "vesmer-cli: --pdf の no.pdf を書き込めませんでした。\n");
}

}  // namespace

// The parser's own complaints are translated through the application object, as in the program.
int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
