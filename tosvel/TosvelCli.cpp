#include "tosvel/TosvelCli.h"

#include <QCommandLineParser>
#include <optional>

#include "engine/Wareki.h"
#include "platform/Version.h"

namespace {

struct Options {
    QCommandLineOption toWareki{
        "to-wareki", "Print the Japanese era date of DATE (YYYY-MM-DD), e.g. 平成元年1月8日.",
        "DATE"};
    QCommandLineOption toSeireki{
        "to-seireki",
        "Print the Western date (YYYY-MM-DD) of an era date such as 平成元年1月8日; "
        "the year as digits or 元.",
        "DATE"};
    QCommandLineOption table{
        "table",
        "Print the year table 1873-2100 (早見表) as tab-separated lines: year, "
        "eras (both in a year of change), 干支[, age]."};
    QCommandLineOption birthYear{"birth-year",
                                 "With --table: add the age reached in each year by a person born "
                                 "in year Y (1873-2100); empty before Y.",
                                 "Y"};
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption version{QStringList{"v", "version"}, "Show the version."};
};

constexpr const char* kDescription =
    "Converts dates between the Western calendar (西暦) and the Japanese eras (和暦: 明治, 大正, "
    "昭和, "
    "平成, 令和) to the day, and prints a year table with 干支 and ages. Without options it opens "
    "its window.";

constexpr const char* kExitStatus =
    "\nExit status: 0 printed, 2 bad command line, 3 a date that does not exist or lies before\n"
    "1873-01-01 (the reason on standard error).\n";

int Usage(QByteArray& err, const QByteArray& reason) {
    err += "Tosvel: " + reason + "\n使い方は Tosvel --help で表示されます。\n";
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

}  // namespace

int RunTosvelCli(const QStringList& arguments, QByteArray& out, QByteArray& err) {
    Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addOptions({o.toWareki, o.toSeireki, o.table, o.birthYear, o.help, o.version});
    if (!parser.parse(QStringList{QStringLiteral("Tosvel")} + arguments))
        return Usage(err,
                     "コマンドラインが正しくありません（" + parser.errorText().toUtf8() + "）。");
    if (parser.isSet(o.help)) {
        out += parser.helpText().toUtf8() + kExitStatus;
        return kTosvelExitOk;
    }
    if (parser.isSet(o.version)) {
        out += QByteArray("Tosvel ") + kVersionText + "\n";
        return kTosvelExitOk;
    }
    const int commands =
        int(parser.isSet(o.toWareki)) + int(parser.isSet(o.toSeireki)) + int(parser.isSet(o.table));
    if (!parser.positionalArguments().isEmpty())
        return Usage(err, "余分な引数があります（" +
                              parser.positionalArguments().join(QLatin1Char(' ')).toUtf8() +
                              "）。");
    if (commands != 1)
        return Usage(err, "--to-wareki, --to-seireki, --table のどれか一つを指定してください。");
    if (parser.isSet(o.birthYear) && !parser.isSet(o.table))
        return Usage(err, "--birth-year は --table と一緒に指定してください。");

    if (parser.isSet(o.table)) {
        std::optional<int> birthYear;
        if (parser.isSet(o.birthYear)) {
            int year = 0;
            std::string reason;
            if (!ReadBirthYear(parser.value(o.birthYear).toStdString(), year, reason))
                return Usage(err, QByteArray::fromStdString(reason));
            birthYear = year;
        }
        out += QByteArray::fromStdString(YearTableText(birthYear));
        return kTosvelExitOk;
    }
    const bool toWareki = parser.isSet(o.toWareki);
    const std::string text = parser.value(toWareki ? o.toWareki : o.toSeireki).toStdString();
    SeirekiFields seireki;
    WarekiFields wareki;
    if (toWareki ? !SplitIsoText(text, seireki) : !SplitWarekiText(text, wareki))
        return Usage(err, toWareki ? "日付は 1989-01-08 の形で指定してください。"
                                   : "日付は 平成元年1月8日 の形で指定してください。");
    return Print(toWareki ? FromSeireki(seireki) : FromWareki(wareki), toWareki, out, err);
}
