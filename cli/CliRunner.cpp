#include "cli/CliRunner.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string_view>

#include "engine/HistoryData.h"
#include "engine/NumberText.h"
#include "export/HistoryExport.h"
#include "input/CalculationView.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "platform/NativePath.h"
#include "platform/TerminalText.h"
#include "platform/Version.h"
#include "settings/SettingsFiles.h"

namespace {

// Options that are not inputs.
const QString kToday = QStringLiteral("today");
const QString kRaw = QStringLiteral("raw");
const QString kJson = QStringLiteral("json");
const QString kLoad = QStringLiteral("load");
const QString kSave = QStringLiteral("save");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

struct UsageError {
    QString message;
};

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray ToLfText(std::string_view text) {
    return QByteArray::fromStdString(LfText(text));
}

QString OptionName(const InputField& field) {
    return Utf8(field.option);
}

const std::vector<std::string>& Items(const InputField& field) {
    return ChoiceLists::Get().*field.items;
}

// "0-3 or 西暦, 昭和, 平成, 令和"
QString AllowedChoices(const InputField& field) {
    QStringList texts;
    for (const std::string& item : Items(field)) texts << QString::fromStdString(item);
    return QStringLiteral("0-%1 or %2").arg(texts.size() - 1).arg(texts.join(QStringLiteral(", ")));
}

QString Description(const InputField& field) {
    const QString title = Utf8(field.title);
    switch (field.kind) {
        case InputKind::List:
            return QStringLiteral("%1: %2 (default %3).")
                .arg(title, AllowedChoices(field),
                     QString::fromStdString(Items(field)[std::size_t(field.defaultValue)]));
        case InputKind::Text:
            return QStringLiteral("%1 as typed, up to %2 digits (default %3).")
                .arg(title)
                .arg(field.maxLength)
                .arg(field.defaultValue);
        case InputKind::Ronin:
        case InputKind::Ryunen:
            return QStringLiteral("%1, repeatable: STAGE is %2 or 1-8, N is digits.")
                .arg(field.kind == InputKind::Ronin
                         ? QStringLiteral("Years waited before entering a stage (浪人)")
                         : QStringLiteral("Years repeated in a stage (留年)"),
                     StageKeys());
        case InputKind::Check:
            return Utf8(field.caption.text);
        case InputKind::History:
            break;
    }
    return {};
}

QString ValueName(const InputField& field) {
    switch (field.kind) {
        case InputKind::List:
            return QStringLiteral("ITEM");
        case InputKind::Text:
            return QStringLiteral("N");
        case InputKind::Ronin:
        case InputKind::Ryunen:
            return QStringLiteral("STAGE=N");
        default:
            return {};
    }
}

// The inputs that have an option, one row per option (the counts of all stages share one).
std::vector<const InputField*> OptionFields() {
    std::vector<const InputField*> fields;
    for (const InputField& field : InputSchema()) {
        if (field.option.empty() || (IsCount(field) && field.stage != STAGE_ELEMENTARY)) continue;
        fields.push_back(&field);
    }
    return fields;
}

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Works out the dates of a school history (学歴) and prints one line for every entry and "
        "leaving, then the current age."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const InputField* field : OptionFields())
        parser.addOption(
            QCommandLineOption(OptionName(*field), Description(*field), ValueName(*field)));
    parser.addOptions({
        {kToday, QStringLiteral("Date the current age is counted to (default: today)."),
         QStringLiteral("YYYY-MM-DD")},
        {kRaw, QStringLiteral("Write the exported file's bytes: Shift-JIS (code page 932), CR LF "
                              "between lines, nothing appended.")},
        {kJson, QStringLiteral("Write one JSON object with every line and the current age.")},
        {kLoad,
         QStringLiteral("Start from the inputs stored in DIR's Vesmer.ini and VesmerDlg.ini, as "
                        "the window does at start-up; other options override them."),
         QStringLiteral("DIR")},
        {kSave,
         QStringLiteral("After a successful calculation write both settings files into DIR, as "
                        "the window's Calculate does."),
         QStringLiteral("DIR")},
        {{QStringLiteral("h"), kHelp}, QStringLiteral("Show this help.")},
        {{QStringLiteral("v"), kVersion}, QStringLiteral("Show the version.")},
    });
    AddResumeOptions(parser);
}

QString HelpText() {
    QCommandLineParser parser;
    AddOptions(parser);
    return parser.helpText() +
           QStringLiteral(
               "\nExit status: 0 history printed, 1 output or settings could not be written, 2 "
               "bad\ncommand line, 3 inputs refused (the reason on standard error).\n");
}

// An index of the list, or one of its item texts exactly.
int ParseChoice(const InputField& field, const QString& value) {
    const std::vector<std::string>& items = Items(field);
    const std::string text = value.toStdString();
    if (IsAllDigits(text) && ParseLeadingInt(text) < static_cast<int>(items.size()))
        return ParseLeadingInt(text);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    throw UsageError{QStringLiteral("--%1: '%2' is not allowed; use %3")
                         .arg(OptionName(field), value, AllowedChoices(field))};
}

// Digits only, at most the edit's limit of them, as the window's edit boxes take them.
std::string ParseDigits(const InputField& field, const QString& value) {
    const std::string text = value.toStdString();
    const bool tooLong = field.maxLength > 0 && static_cast<int>(text.size()) > field.maxLength;
    if (IsAllDigits(text) && !tooLong) return text;
    const QString allowed = field.maxLength > 0
                                ? QStringLiteral("up to %1 digits").arg(field.maxLength)
                                : QStringLiteral("digits");
    throw UsageError{
        QStringLiteral("--%1: '%2' is not a number of %3").arg(OptionName(field), value, allowed)};
}

int ParseStage(const QString& option, const QString& name) {
    if (const int stage = StageNamed(name)) return stage;
    throw UsageError{
        QStringLiteral("--%1: unknown stage '%2' (%3 or 1-8)").arg(option, name, StageKeys())};
}

// "STAGE=N" of a count option.
CliInput ParseCount(const InputField& field, const QString& value) {
    const QString option = OptionName(field);
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    if (equals <= 0)
        throw UsageError{QStringLiteral("--%1: '%2' is not STAGE=N").arg(option, value)};
    const InputField& count = CountField(ParseStage(option, value.left(equals)), field.kind);
    return CliInput{&count, 0, ParseDigits(count, value.mid(equals + 1))};
}

void RefuseRepeats(const QCommandLineParser& parser) {
    // A repeated single-value option would silently drop a value; refuse it instead.
    QStringList singles = {kToday, kLoad, kSave};
    for (const InputField* field : OptionFields()) {
        if (field->kind == InputKind::List || field->kind == InputKind::Text)
            singles << OptionName(*field);
    }
    for (const QString& name : singles) {
        if (parser.values(name).size() > 1)
            throw UsageError{QStringLiteral("--%1 is given more than once").arg(name)};
    }
}

void ReadInputs(const QCommandLineParser& parser, std::vector<CliInput>& inputs) {
    for (const InputField* field : OptionFields()) {
        const QString name = OptionName(*field);
        if (!parser.isSet(name)) continue;
        if (field->kind == InputKind::Check) {
            inputs.push_back(CliInput{field, 1, {}});
            continue;
        }
        for (const QString& value : parser.values(name)) {
            if (IsCount(*field))
                inputs.push_back(ParseCount(*field, value));
            else if (field->kind == InputKind::List)
                inputs.push_back(CliInput{field, ParseChoice(*field, value), {}});
            else
                inputs.push_back(CliInput{field, 0, ParseDigits(*field, value)});
        }
    }
}

CliRequest ReadRequest(const QCommandLineParser& parser, const CivilDate& today) {
    if (!parser.positionalArguments().isEmpty())
        throw UsageError{QStringLiteral("unexpected argument '%1'")
                             .arg(parser.positionalArguments().constFirst())};
    if (parser.isSet(kRaw) && parser.isSet(kJson))
        throw UsageError{QStringLiteral("--raw and --json cannot be used together")};
    RefuseRepeats(parser);

    CliRequest request;
    if (const QString problem = ReadResumeOptions(parser, {kRaw, kJson}, parser.isSet(kJson),
                                                  request.resume, request.resumeOptions);
        !problem.isEmpty())
        throw UsageError{problem};
    ReadInputs(parser, request.inputs);
    request.today = today;
    if (parser.isSet(kToday) && !ParseIsoDate(parser.value(kToday).toStdString(), request.today))
        throw UsageError{
            QStringLiteral("--today: '%1' is not a date YYYY-MM-DD").arg(parser.value(kToday))};
    request.output = parser.isSet(kRaw)    ? CliOutput::Raw
                     : parser.isSet(kJson) ? CliOutput::Json
                                           : CliOutput::Text;
    if (request.today.year < kFirstCountableYear)
        throw UsageError{
            QStringLiteral("--today: '%1' is before 1900-01-01").arg(parser.value(kToday))};
    if (parser.isSet(kLoad)) request.loadFolder = parser.value(kLoad);
    if (parser.isSet(kSave)) request.saveFolder = parser.value(kSave);
    if (request.saveFolder && request.saveFolder->isEmpty())
        throw UsageError{QStringLiteral("--save: no folder given")};
    return request;
}

void Apply(const CliInput& input, DialogInputs& inputs) {
    if (input.field->number)
        inputs.*input.field->number = input.number;
    else
        inputs.*input.field->text = input.text;
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
        case HistoryEventKind::LeaveOfAbsence:
            return "leave-of-absence";
        case HistoryEventKind::Return:
            return "return";
        case HistoryEventKind::Exchange:
            return "exchange";
        case HistoryEventKind::StudyAbroad:
            return "study-abroad";
        case HistoryEventKind::TransferIn:
            return "transfer-in";
        case HistoryEventKind::EquivalencyPass:
            return "equivalency-pass";
        case HistoryEventKind::CreditsWithdrawn:
            return "credits-withdrawn";
    }
    return "";
}

QByteArray JsonOutput(const CHistoryData& history, const CurrentAge& age, const CivilDate& today,
                      const ResumeOptions& options) {
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
    root.insert("resume", ResumeJson(options, history, today));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray Output(const CliRequest& request, const CHistoryData& history) {
    if (request.resume)
        return ResumeOutput(*request.resume, request.resumeOptions, history, request.today);
    switch (request.output) {
        case CliOutput::Raw:
            return HistoryFileBytes(history.m_strHistory);
        case CliOutput::Json:
            return JsonOutput(history, history.LastCurrentAge(), request.today,
                              request.resumeOptions);
        case CliOutput::Text:
            break;
    }
    return QByteArray::fromStdString(PrintedHistory(history.m_strHistory));
}

// The résumé rows as a PDF file instead of the output; false (with the line in err) when the
// file could not be written.
bool WritePdf(const CliRequest& request, const CHistoryData& history,
              const ResumePdfWriter& writePdf, QByteArray& err) {
    const std::vector<ResumeRow> rows =
        BuildResumeRows(history, request.today, request.resumeOptions);
    if (!writePdf) {
        err += "vesmer-cli: --pdf: this build writes no PDF files\n";
        return false;
    }
    if (writePdf(*request.resume->pdf, rows, request.resume->calendar)) return true;
    err += "vesmer-cli: --pdf: " +
           EscapeControls(QString::fromStdString(DisplayPath(*request.resume->pdf))).toUtf8() +
           " could not be written\n";
    return false;
}

// A message about the folder of --load or --save, which names it as given.
QByteArray FolderError(const std::string& error) {
    return "vesmer-cli: " + EscapeControls(QString::fromStdString(error)).toUtf8() + "\n";
}

}  // namespace

std::variant<CliRequest, CliUsageError> ParseCommandLine(const QStringList& arguments,
                                                         const CivilDate& today) {
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("vesmer-cli")} + arguments))
        return CliUsageError{parser.errorText(), true};
    CliRequest request;
    if (parser.isSet(kHelp)) {
        request.action = CliAction::Help;
    } else if (parser.isSet(kVersion)) {
        request.action = CliAction::Version;
    } else {
        try {
            request = ReadRequest(parser, today);
        } catch (const UsageError& error) {
            return CliUsageError{error.message, false};
        }
    }
    return request;
}

int ExecuteRequest(const CliRequest& request, QByteArray& out, QByteArray& err,
                   const ResumePdfWriter& writePdf) {
    if (request.action == CliAction::Help) {
        out += HelpText().toUtf8();
        return kExitOk;
    }
    if (request.action == CliAction::Version) {
        out += QByteArray("vesmer-cli ") + kVersionText + "\n";
        return kExitOk;
    }
    DialogInputs inputs;
    CHistoryData history;
    std::string error;
    if (request.loadFolder && !LoadSettingsFolder(*request.loadFolder, inputs, history, error)) {
        err += FolderError(error);
        return kExitUsage;
    }
    for (const CliInput& input : request.inputs) Apply(input, inputs);

    const CalculationResult result = Calculate(inputs, history, request.today);
    if (!result.ok) {
        err += ToLfText(result.refusal) + "\n";
        return kExitRefused;
    }
    if (request.resume && request.resume->pdf) {
        if (!WritePdf(request, history, writePdf, err)) return kExitOutputFailed;
    } else {
        out += Output(request, history);
    }
    if (request.saveFolder && !SaveSettingsFolder(*request.saveFolder, inputs, history, error)) {
        err += FolderError(error);
        return kExitOutputFailed;
    }
    return kExitOk;
}

int RunCli(const QStringList& arguments, const CivilDate& today, QByteArray& out, QByteArray& err,
           const ResumePdfWriter& writePdf) {
    const auto parsed = ParseCommandLine(arguments, today);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        // The message may quote any argument.
        err += "vesmer-cli: " + EscapeControls(error->message).toUtf8() + "\n";
        if (error->suggestHelp) err += "Try 'vesmer-cli --help'.\n";
        return kExitUsage;
    }
    return ExecuteRequest(std::get<CliRequest>(parsed), out, err, writePdf);
}
