#include "cli/CliRunner.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <optional>
#include <string>
#include <vector>

#include "engine/HistoryData.h"
#include "engine/NumberText.h"
#include "export/HistoryExport.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputTransfer.h"
#include "platform/Version.h"
#include "settings/SettingsFiles.h"

namespace {

struct UsageError {
    QString message;
};

std::string ToStd(const QString& text) {
    return text.toStdString();
}

QByteArray ToLfText(std::string_view text) {
    QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    bytes.replace("\r\n", "\n");
    return bytes;
}

// An index of the list, or one of its item texts exactly.
int ParseChoice(const QString& option, const QString& value,
                const std::vector<std::string>& items) {
    const std::string text = ToStd(value);
    if (IsAllDigits(text) && text.size() <= 3) {
        const int index = ParseLeadingInt(text);
        if (index < static_cast<int>(items.size())) return index;
        throw UsageError{QStringLiteral("--%1: index %2 is out of range (0-%3)")
                             .arg(option, value)
                             .arg(items.size() - 1)};
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    throw UsageError{QStringLiteral("--%1: '%2' is neither an index nor an item of the list")
                         .arg(option, value)};
}

// Digits only, at most maxLength of them (0: any length), as the window's edit boxes take them.
std::string ParseDigits(const QString& option, const QString& value, int maxLength) {
    const std::string text = ToStd(value);
    if (!IsAllDigits(text))
        throw UsageError{QStringLiteral("--%1: '%2' is not a number of digits").arg(option, value)};
    if (maxLength > 0 && static_cast<int>(text.size()) > maxLength)
        throw UsageError{QStringLiteral("--%1: '%2' is longer than %3 digits")
                             .arg(option, value)
                             .arg(maxLength)};
    return text;
}

int ParseStage(const QString& option, const QString& name) {
    static const char* const kKeys[] = {"小", "中", "高", "短", "専", "大", "修", "博"};
    for (int i = 0; i < STAGE_COUNT; ++i) {
        if (name == QString::fromUtf8(kKeys[i]) || name == QString::number(i + 1)) return i + 1;
    }
    throw UsageError{QStringLiteral("--%1: unknown stage '%2' (小 中 高 短 専 大 修 博 or 1-8)")
                         .arg(option, name)};
}

void ApplyCounts(QCommandLineParser& parser, const QString& option, DialogInputs& inputs,
                 bool ronin) {
    for (const QString& value : parser.values(option)) {
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        if (equals <= 0)
            throw UsageError{QStringLiteral("--%1: '%2' is not STAGE=N").arg(option, value)};
        const int stage = ParseStage(option, value.left(equals));
        std::string count = ParseDigits(option, value.mid(equals + 1), 0);
        (ronin ? inputs.RoninText(stage) : inputs.RyunenText(stage)) = std::move(count);
    }
}

const char* KindName(HistoryEventKind kind) {
    switch (kind) {
        case HistoryEventKind::Entry:
            return "entry";
        case HistoryEventKind::TransferEntry:
            return "transfer-entry";
        case HistoryEventKind::GraduateEntry:
            return "graduate-school-entry";
        case HistoryEventKind::DoctorEntry:
            return "doctoral-entry";
        case HistoryEventKind::Graduation:
            return "graduation";
        case HistoryEventKind::Completion:
            return "completion";
        case HistoryEventKind::DroppedOut:
            return "dropped-out";
        case HistoryEventKind::Expelled:
            return "expelled";
    }
    return "";
}

QByteArray JsonOutput(const CHistoryData& history, const CurrentAge& age) {
    QJsonArray lines;
    for (const HistoryEvent& event : history.Events()) {
        QJsonObject line;
        line.insert("kind", KindName(event.kind));
        line.insert("school", QString::fromStdString(event.school));
        line.insert("year", event.year);
        line.insert("month", event.month ? QJsonValue(*event.month) : QJsonValue());
        line.insert("era", QString::fromStdString(event.eraName));
        line.insert("eraYear", event.eraYear);
        line.insert("age", event.age ? QJsonValue(*event.age) : QJsonValue());
        line.insert("text", QString::fromStdString(event.text));
        lines.append(line);
    }
    QJsonObject current;
    current.insert("years", age.years);
    current.insert("days", age.days);
    QJsonObject root;
    root.insert("lines", lines);
    root.insert("currentAge", current);
    root.insert("text", QString::fromStdString(history.m_strHistory));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

struct Options {
    QCommandLineOption era{
        "era", "Era of the birth year: 0-3 or 西暦, 昭和, 平成, 令和 (default 西暦).", "E"};
    QCommandLineOption year{"year", "Birth year as typed, up to 4 digits (default 1980).", "N"};
    QCommandLineOption month{"month", "Birth month, up to 2 digits (default 1).", "N"};
    QCommandLineOption day{"day", "Birth day, up to 2 digits (default 1).", "N"};
    QCommandLineOption finalSchool{
        "final", "Final schooling: index 0-7 or item text (小学校 … 大学院博士; default 大学).",
        "ITEM"};
    QCommandLineOption outcome{
        "outcome", "How it ended: index 0-17 or item text (入学, 卒業, N年目に中退, N年目に除籍).",
        "ITEM"};
    QCommandLineOption highSchool{
        "high-school",
        "High-school course: 0-3 or 3年制, 4年制(夜間、通信), 5年制(高専), 7年制(高専+専攻科).",
        "ITEM"};
    QCommandLineOption vocational{
        "vocational", "Vocational-school course: 0-3 or 1年制 … 4年制 (default 2年制).", "ITEM"};
    QCommandLineOption university{
        "university",
        "University course: 0-4 or 4年制, 5年制(夜間), 6年制(医学部), 6ヶ月制(放送), 1年制(放送).",
        "ITEM"};
    QCommandLineOption route{"route", "Progression and transfer route: index 0-7 or item text.",
                             "ITEM"};
    QCommandLineOption ronin{"ronin",
                             "Years waited before a stage (浪人), repeatable. STAGE is 小 中 高 短 "
                             "専 大 修 博 or 1-8; N is digits.",
                             "STAGE=N"};
    QCommandLineOption ryunen{"ryunen", "Years repeated in a stage (留年), repeatable.", "STAGE=N"};
    QCommandLineOption elementaryTransfer{"elementary-transfer", "小学校で上級学年に編入した"};
    QCommandLineOption juniorHighTransfer{"junior-high-transfer", "中学校で上級学年に編入した"};
    QCommandLineOption skipHighSchool{"skip-high-school-last-year",
                                      "高校最終学年を飛び越えて大学へ"};
    QCommandLineOption universityAutumn{"university-autumn-entry", "大学は秋季入学"};
    QCommandLineOption universityHalfYear{"university-half-year", "大学は半年留年した"};
    QCommandLineOption skipUniversity{"skip-university-last-year",
                                      "大学最終学年を飛び越えて大学院へ"};
    QCommandLineOption graduateAutumn{"graduate-autumn-entry", "大学院は秋季入学"};
    QCommandLineOption directDoctor{"direct-doctor", "大学院がいきなり博士課程で4年制"};
    QCommandLineOption shortenMaster{"shorten-master", "修士課程1年短縮"};
    QCommandLineOption shortenDoctor{"shorten-doctor", "博士課程1年短縮"};
    QCommandLineOption showAge{"show-age", "年齢を表示する: add the age to every line."};
    QCommandLineOption today{"today", "Date the current age is counted to (default: today).",
                             "YYYY-MM-DD"};
    QCommandLineOption raw{"raw",
                           "Write the exported file's bytes: Shift-JIS (code page 932), CR LF "
                           "between lines, nothing appended."};
    QCommandLineOption json{"json", "Write one JSON object with every line and the current age."};
    QCommandLineOption load{"load",
                            "Start from the inputs stored in DIR's Vesmer.ini and VesmerDlg.ini, "
                            "as the window does at start-up; other options override them.",
                            "DIR"};
    QCommandLineOption save{"save",
                            "After a successful calculation write both settings files into DIR, "
                            "as the window's Calculate does.",
                            "DIR"};
    QCommandLineOption help{QStringList{"h", "help"}, "Show this help."};
    QCommandLineOption version{QStringList{"v", "version"}, "Show the version."};
};

QString HelpText(QCommandLineParser& parser) {
    QString text = parser.helpText();
    text += QStringLiteral(
        "\nExit status: 0 history printed, 1 output or settings could not be written, 2 bad\n"
        "command line, 3 inputs refused (the reason on standard error).\n");
    return text;
}

}  // namespace

int RunCli(const QStringList& arguments, const CivilDate& today, QByteArray& out, QByteArray& err) {
    Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Works out the dates of a school history (学歴) and prints one line for every entry and "
        "leaving, then the current age."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.era,
                       o.year,
                       o.month,
                       o.day,
                       o.finalSchool,
                       o.outcome,
                       o.highSchool,
                       o.vocational,
                       o.university,
                       o.route,
                       o.ronin,
                       o.ryunen,
                       o.elementaryTransfer,
                       o.juniorHighTransfer,
                       o.skipHighSchool,
                       o.universityAutumn,
                       o.universityHalfYear,
                       o.skipUniversity,
                       o.graduateAutumn,
                       o.directDoctor,
                       o.shortenMaster,
                       o.shortenDoctor,
                       o.showAge,
                       o.today,
                       o.raw,
                       o.json,
                       o.load,
                       o.save,
                       o.help,
                       o.version});

    QStringList withProgram = arguments;
    withProgram.prepend(QStringLiteral("vesmer-cli"));
    if (!parser.parse(withProgram)) {
        err += "vesmer-cli: " + parser.errorText().toUtf8() + "\n";
        err += "Try 'vesmer-cli --help'.\n";
        return kExitUsage;
    }
    if (parser.isSet(o.help)) {
        out += HelpText(parser).toUtf8();
        return kExitOk;
    }
    if (parser.isSet(o.version)) {
        out += QByteArray("vesmer-cli ") + kVersionText + "\n";
        return kExitOk;
    }

    DialogInputs inputs;
    CHistoryData history;
    CivilDate countTo = today;
    try {
        if (!parser.positionalArguments().isEmpty())
            throw UsageError{QStringLiteral("unexpected argument '%1'")
                                 .arg(parser.positionalArguments().constFirst())};
        if (parser.isSet(o.raw) && parser.isSet(o.json))
            throw UsageError{QStringLiteral("--raw and --json cannot be used together")};
        // A repeated single-value option would silently drop a value; refuse it instead.
        for (const QCommandLineOption* single :
             {&o.era, &o.year, &o.month, &o.day, &o.finalSchool, &o.outcome, &o.highSchool,
              &o.vocational, &o.university, &o.route, &o.today, &o.load, &o.save}) {
            if (parser.values(*single).size() > 1)
                throw UsageError{
                    QStringLiteral("--%1 is given more than once").arg(single->names().first())};
        }

        inputs.ResetInputs();
        std::string folderError;
        if (parser.isSet(o.load) &&
            !LoadSettingsFolder(parser.value(o.load), inputs, history, folderError))
            throw UsageError{QString::fromStdString(folderError)};
        if (parser.isSet(o.save) && parser.value(o.save).isEmpty())
            throw UsageError{QStringLiteral("--save: no folder given")};

        const ChoiceLists& lists = ChoiceLists::Get();
        if (parser.isSet(o.era))
            inputs.m_nEra = ParseChoice("era", parser.value(o.era), lists.m_aEraNames);
        if (parser.isSet(o.year))
            inputs.m_strBirthYear = ParseDigits("year", parser.value(o.year), kBirthYearMaxLength);
        if (parser.isSet(o.month))
            inputs.m_strBirthMonth =
                ParseDigits("month", parser.value(o.month), kBirthMonthMaxLength);
        if (parser.isSet(o.day))
            inputs.m_strBirthDay = ParseDigits("day", parser.value(o.day), kBirthDayMaxLength);

        struct ListOption {
            const QCommandLineOption* option;
            const std::vector<std::string>* items;
            int DialogInputs::*member;
        };
        const ListOption listOptions[] = {
            {&o.finalSchool, &lists.m_aFinalSchoolNames, &DialogInputs::m_nFinalSchool},
            {&o.outcome, &lists.m_aOutcomeNames, &DialogInputs::m_nOutcome},
            {&o.highSchool, &lists.m_aHighSchoolLengths, &DialogInputs::m_nHighSchoolLength},
            {&o.vocational, &lists.m_aVocationalLengths, &DialogInputs::m_nVocationalLength},
            {&o.university, &lists.m_aUniversityLengths, &DialogInputs::m_nUniversityLength},
            {&o.route, &lists.m_aProgressions, &DialogInputs::m_nProgression},
        };
        for (const ListOption& list : listOptions) {
            if (parser.isSet(*list.option))
                inputs.*list.member = ParseChoice(list.option->names().first(),
                                                  parser.value(*list.option), *list.items);
        }

        ApplyCounts(parser, "ronin", inputs, true);
        ApplyCounts(parser, "ryunen", inputs, false);

        struct Flag {
            const QCommandLineOption* option;
            int DialogInputs::*member;
        };
        const Flag flags[] = {
            {&o.elementaryTransfer, &DialogInputs::m_bElementaryTransfer},
            {&o.juniorHighTransfer, &DialogInputs::m_bJuniorHighTransfer},
            {&o.skipHighSchool, &DialogInputs::m_bSkipHighSchoolLastYear},
            {&o.universityAutumn, &DialogInputs::m_bUniversityAutumnEntry},
            {&o.universityHalfYear, &DialogInputs::m_bUniversityHalfYear},
            {&o.skipUniversity, &DialogInputs::m_bSkipUniversityLastYear},
            {&o.graduateAutumn, &DialogInputs::m_bGraduateAutumnEntry},
            {&o.directDoctor, &DialogInputs::m_bDirectDoctor},
            {&o.shortenMaster, &DialogInputs::m_bShortenMaster},
            {&o.shortenDoctor, &DialogInputs::m_bShortenDoctor},
            {&o.showAge, &DialogInputs::m_bShowAge},
        };
        for (const Flag& flag : flags) {
            if (parser.isSet(*flag.option)) inputs.*flag.member = 1;
        }

        if (parser.isSet(o.today) && !ParseIsoDate(ToStd(parser.value(o.today)), countTo))
            throw UsageError{QStringLiteral("--today: '%1' is not a date YYYY-MM-DD")
                                 .arg(parser.value(o.today))};
        if (countTo.year < kFirstCountableYear)
            throw UsageError{
                QStringLiteral("--today: '%1' is before 1900-01-01").arg(parser.value(o.today))};
    } catch (const UsageError& error) {
        err += "vesmer-cli: " + error.message.toUtf8() + "\n";
        return kExitUsage;
    }

    int finalStage = STAGE_ELEMENTARY;
    const CalculationResult result = Calculate(inputs, history, finalStage, countTo);
    if (!result.ok) {
        err += ToLfText(result.refusal) + "\n";
        return kExitRefused;
    }

    if (parser.isSet(o.raw)) {
        out += HistoryFileBytes(history.m_strHistory);
    } else if (parser.isSet(o.json)) {
        out += JsonOutput(history, history.LastCurrentAge());
    } else {
        out += ToLfText(history.m_strHistory) + "\n";
    }

    std::string saveError;
    if (parser.isSet(o.save) &&
        !SaveSettingsFolder(parser.value(o.save), inputs, history, saveError)) {
        err += "vesmer-cli: " + QByteArray::fromStdString(saveError) + "\n";
        return kExitOutputFailed;
    }
    return kExitOk;
}
