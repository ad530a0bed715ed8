#include "tosvel/TosvelCli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <optional>

#include "engine/Wareki.h"
#include "platform/TerminalText.h"
#include "platform/Version.h"

namespace {

struct Options {
    QCommandLineOption toWareki{
        "to-wareki", "西暦の日付DATE（1989-01-08の形）を和暦で表示します（平成元年1月8日の形）。",
        "DATE"};
    QCommandLineOption toSeireki{"to-seireki",
                                 "和暦の日付DATE（平成元年1月8日の形、年は数字か「元」）を西暦で"
                                 "表示します（1989-01-08の形）。",
                                 "DATE"};
    QCommandLineOption table{"table",
                             "1873年から2100年までの早見表を、西暦、和暦（改元の年は両方）、干支"
                             "［、年齢］のタブ区切りで表示します。"};
    QCommandLineOption birthYear{"birth-year",
                                 "Y年（1873〜2100）生まれの人がその年に達する年齢の列を--table"
                                 "の表に付けます（Y年より前は空）。",
                                 "Y"};
    QCommandLineOption help{QStringList{"h", "help"}, "この説明を表示します。"};
    QCommandLineOption version{QStringList{"v", "version"}, "バージョンを表示します。"};
};

constexpr const char* kDescription =
    "西暦と和暦（明治、大正、昭和、平成、令和）の日付を日単位で相互に変換し、干支と年齢の早見表を"
    "表示します。オプションを付けずに起動するとウィンドウを開きます。日付の数字は全角でもよく、"
    "日付とその数字の前後の半角空白とタブは無視されます。";

constexpr const char* kExitStatus =
    "終了ステータス: 0 表示した、1 出力を書き込めなかった、2 コマンドラインが正しくない"
    "（日付でない文字列を含む）、3 存在しない日付か、1873-01-01 より前または 9999-12-31 "
    "より後の日付（理由は標準エラー出力に）。";
constexpr const char* kStateFile = "~/.config/Tosvel/Tosvel.ini";
constexpr const char* kStateFileText =
    "ウィンドウの最後の入力。本人だけが読み書きできるファイルとフォルダーに保存します。"
    "XDG_CONFIG_HOME が絶対パスなら $XDG_CONFIG_HOME/Tosvel/Tosvel.ini です。"
    "そうでなく HOME が既存のフォルダーの絶対パスでもないとき、"
    "またはそのフォルダーがほかのユーザーのものであるときは、何も読み書きしません。";
// --help: the options, the exit statuses and the settings file, wrapped to width columns.
QByteArray HelpText(const QList<QCommandLineOption>& options, int width) {
    return (TerminalHelp(QStringLiteral("Tosvel"), QString::fromUtf8(kDescription), options,
                         width) +
            QLatin1Char('\n') + WrapForTerminal(QString::fromUtf8(kExitStatus), width) +
            QStringLiteral("\n\nFiles:\n  %1\n").arg(QString::fromUtf8(kStateFile)) +
            QStringLiteral("      ") +
            WrapForTerminal(QString::fromUtf8(kStateFileText), width, 6, 6) + QLatin1Char('\n'))
        .toUtf8();
}

// Options that take one value; a second value would silently replace the first.
constexpr const char* kSingleValueOptions[] = {"to-wareki", "to-seireki", "birth-year"};

int Usage(QByteArray& err, const QString& reason) {
    err += "Tosvel: " + EscapeControls(reason).toUtf8() +
           "\n使い方は Tosvel --help で表示されます。\n";
    return kTosvelExitUsage;
}

int Print(const DateConversion& conversion, bool wareki, QByteArray& out, QByteArray& err) {
    if (!conversion.ok) {
        err += "Tosvel: " + QByteArray::fromStdString(conversion.reason) + "\n";
        return kTosvelExitRefused;
    }
    out += QByteArray::fromStdString(wareki ? WarekiText(conversion.wareki)
                                            : IsoText(conversion.seireki)) +
           "\n";
    return kTosvelExitOk;
}

// A text that is no date at all is a bad command line; a date that does not exist is refused.
int Convert(const QString& text, bool toWareki, QByteArray& out, QByteArray& err) {
    const std::string utf8 = text.toStdString();
    SeirekiFields seireki;
    WarekiFields wareki;
    if (toWareki ? !SplitIsoText(utf8, seireki) : !SplitWarekiText(utf8, wareki))
        return Usage(
            err, QStringLiteral("「%1」は日付ではありません。日付は %2 の形で指定してください。")
                     .arg(text, toWareki ? QStringLiteral("1989-01-08")
                                         : QStringLiteral("平成元年1月8日")));
    return Print(toWareki ? FromSeireki(seireki) : FromWareki(wareki), toWareki, out, err);
}

int PrintTable(const QCommandLineParser& parser, const Options& o, QByteArray& out,
               QByteArray& err) {
    std::optional<int> birthYear;
    if (parser.isSet(o.birthYear)) {
        int year = 0;
        std::string reason;
        if (!ReadBirthYear(parser.value(o.birthYear).toStdString(), year, reason))
            return Usage(err, QString::fromStdString(reason));
        birthYear = year;
    }
    out += QByteArray::fromStdString(YearTableText(birthYear));
    return kTosvelExitOk;
}

// The command after --help and --version: exactly one of the conversions or the table.
int RunCommand(const QCommandLineParser& parser, const Options& o, QByteArray& out,
               QByteArray& err) {
    for (const char* name : kSingleValueOptions) {
        if (parser.values(QLatin1String(name)).size() > 1)
            return Usage(err, QStringLiteral("--%1 を二度以上指定することはできません。")
                                  .arg(QLatin1String(name)));
    }
    if (!parser.positionalArguments().isEmpty())
        return Usage(err, QStringLiteral("余分な引数があります（%1）。")
                              .arg(parser.positionalArguments().join(QLatin1Char(' '))));
    const int commands =
        int(parser.isSet(o.toWareki)) + int(parser.isSet(o.toSeireki)) + int(parser.isSet(o.table));
    if (commands != 1)
        return Usage(
            err,
            QStringLiteral("--to-wareki, --to-seireki, --table のどれか一つを指定してください。"));
    if (parser.isSet(o.birthYear) && !parser.isSet(o.table))
        return Usage(err, QStringLiteral("--birth-year は --table と一緒に指定してください。"));
    if (parser.isSet(o.table)) return PrintTable(parser, o, out, err);
    const bool toWareki = parser.isSet(o.toWareki);
    return Convert(parser.value(toWareki ? o.toWareki : o.toSeireki), toWareki, out, err);
}

}  // namespace

int RunTosvelCli(const QStringList& arguments, QByteArray& out, QByteArray& err, int helpWidth) {
    // Removed from the application again when it goes.
    CCommandLineJapanese japanese;
    if (QCoreApplication::instance()) QCoreApplication::installTranslator(&japanese);
    Options o;
    QCommandLineParser parser;
    const QList<QCommandLineOption> options = {o.toWareki,  o.toSeireki, o.table,
                                               o.birthYear, o.help,      o.version};
    parser.addOptions(options);
    if (!parser.parse(QStringList{QStringLiteral("Tosvel")} + arguments))
        return Usage(err, parser.errorText());
    if (parser.isSet(o.help)) {
        out += HelpText(options, helpWidth);
        return kTosvelExitOk;
    }
    if (parser.isSet(o.version)) {
        out += QByteArray("Tosvel ") + kVersionText + "\n";
        return kTosvelExitOk;
    }
    return RunCommand(parser, o, out, err);
}
