#include "cli/CliRunner.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string_view>

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/EventOptions.h"
#include "engine/HistoryData.h"
#include "engine/NumberText.h"
#include "export/HistoryExport.h"
#include "input/CalculationView.h"
#include "input/DialogInputs.h"
#include "input/InputSchema.h"
#include "input/InputTransfer.h"
#include "input/TypedNumber.h"
#include "platform/NativePath.h"
#include "platform/TerminalText.h"
#include "platform/Version.h"
#include "settings/DialogState.h"

namespace {

struct UsageError {
    QString message;
};

QByteArray ToLfText(std::string_view text) {
    return QByteArray::fromStdString(LfText(text));
}

// An index of the list, or one of its item texts exactly.
int ParseChoice(const InputField& field, const QString& value) {
    const std::vector<std::string>& items = Items(field);
    const std::string text = value.toStdString();
    if (const std::optional<std::string> digits = DigitsOf(text);
        digits && ParseLeadingInt(*digits) < static_cast<int>(items.size()))
        return ParseLeadingInt(*digits);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    throw UsageError{NotAllowed(OptionName(field), value, AllowedChoices(field))};
}

// Digits only, at most the edit's limit of them, blanks around them aside, as the window and the
// page read a number field.
std::string ParseDigits(const InputField& field, const QString& option, const QString& value) {
    if (std::optional<std::string> digits =
            TypedDigits(value.toStdString(), field.maxLength, field.allowsGan))
        return *digits;
    throw UsageError{NotAllowed(option, value, DigitsRule(field))};
}

// "STAGE=N" of a count option.
CliInput ParseCount(const InputField& field, const QString& value) {
    const QString option = OptionName(field);
    StageValue read;
    if (const QString problem = ReadStageValue(option, value, QStringLiteral("N"), read);
        !problem.isEmpty())
        throw UsageError{problem};
    const InputField& count = CountField(read.stage, field.kind);
    return CliInput{&count, 0, ParseDigits(count, option, read.text)};
}

void RefuseRepeats(const QCommandLineParser& parser) {
    // A repeated single-value option would silently drop a value; refuse it instead.
    QStringList singles = {kToday, kLoad, kSave};
    for (const InputField* field : OptionFields()) {
        if (field->kind == InputKind::List || field->kind == InputKind::Text)
            singles << OptionName(*field);
    }
    for (const QString& name : singles) {
        if (parser.values(name).size() > 1) throw UsageError{GivenTwice(name)};
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
                inputs.push_back(CliInput{field, 0, ParseDigits(*field, name, value)});
        }
    }
}

// --today, which must be a date the current age can be counted to.
CivilDate ReadToday(const QCommandLineParser& parser, const CivilDate& today) {
    if (!parser.isSet(kToday)) return today;
    const QString value = parser.value(kToday);
    CivilDate date;
    if (!ParseIsoDate(value.toStdString(), date))
        throw UsageError{NotAllowed(kToday, value, QStringLiteral("YYYY-MM-DD の形の日付"))};
    if (date.year < kFirstCountableYear)
        throw UsageError{NotAllowed(kToday, value, QStringLiteral("1900-01-01 からの日付"))};
    return date;
}

CliRequest ReadRequest(const QCommandLineParser& parser, const CivilDate& today) {
    if (!parser.positionalArguments().isEmpty())
        throw UsageError{QStringLiteral("余分な引数があります（%1）。")
                             .arg(parser.positionalArguments().join(QLatin1Char(' ')))};
    if (parser.isSet(kRaw) && parser.isSet(kJson)) throw UsageError{NotTogether(kRaw, kJson)};
    RefuseRepeats(parser);

    CliRequest request;
    if (const QString problem = ReadResumeOptions(parser, {kRaw, kJson}, parser.isSet(kJson),
                                                  request.resume, request.resumeInputs);
        !problem.isEmpty())
        throw UsageError{problem};
    if (const QString problem = ReadEventOptions(parser, request.resumeInputs.m_aEvents);
        !problem.isEmpty())
        throw UsageError{problem};
    ReadInputs(parser, request.inputs);
    request.today = ReadToday(parser, today);
    request.output = parser.isSet(kRaw)    ? CliOutput::Raw
                     : parser.isSet(kJson) ? CliOutput::Json
                                           : CliOutput::Text;
    if (parser.isSet(kLoad)) request.loadFolder = parser.value(kLoad);
    if (parser.isSet(kSave)) request.saveFolder = parser.value(kSave);
    if (request.saveFolder && request.saveFolder->isEmpty())
        throw UsageError{NothingGiven(kSave, QStringLiteral("フォルダー"))};
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

QByteArray JsonOutput(const Calculation& calculation) {
    const CHistoryData& history = calculation.history;
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
    current.insert("years", history.LastCurrentAge().years);
    current.insert("days", history.LastCurrentAge().days);
    QJsonObject root;
    root.insert("lines", lines);
    root.insert("currentAge", current);
    root.insert("text", QString::fromStdString(history.m_strHistory));
    root.insert("resume", ResumeJson(calculation.block.rows));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray Output(const CliRequest& request, const Calculation& calculation) {
    if (request.resume) return ResumeOutput(*request.resume, calculation.block);
    switch (request.output) {
        case CliOutput::Raw:
            return HistoryFileBytes(calculation.history.m_strHistory);
        case CliOutput::Json:
            return JsonOutput(calculation);
        case CliOutput::Text:
            break;
    }
    return QByteArray::fromStdString(PrintedHistory(calculation.history.m_strHistory));
}

// The résumé rows as a PDF file instead of the output; false (with the line in err) when the
// file could not be written.
bool WritePdf(const QString& path, const ResumeBlockView& block, const ResumePdfWriter& writePdf,
              QByteArray& err) {
    if (!writePdf) {
        err += "vesmer-cli: この vesmer-cli は PDF を書き出せません（--pdf）。\n";
        return false;
    }
    if (writePdf(path, block.rows, block.choice.calendar)) return true;
    err += QStringLiteral("vesmer-cli: --pdf の %1 を書き込めませんでした。\n")
               .arg(EscapeControls(QString::fromStdString(DisplayPath(path))))
               .toUtf8();
    return false;
}

// A message about the folder of --load or --save, which names it as given.
QByteArray FolderError(const std::string& error) {
    return "vesmer-cli: " + EscapeControls(QString::fromStdString(error)).toUtf8() + "\n";
}

}  // namespace

std::variant<CliRequest, CliUsageError> ParseCommandLine(const QStringList& arguments,
                                                         const CivilDate& today) {
    // Removed from the application again when it goes.
    CCommandLineJapanese japanese;
    if (QCoreApplication::instance()) QCoreApplication::installTranslator(&japanese);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(CliOptions());
    if (!parser.parse(QStringList{QStringLiteral("vesmer-cli")} + arguments))
        return CliUsageError{parser.errorText()};
    CliRequest request;
    if (parser.isSet(kHelp)) {
        request.action = CliAction::Help;
    } else if (parser.isSet(kVersion)) {
        request.action = CliAction::Version;
    } else {
        try {
            request = ReadRequest(parser, today);
        } catch (const UsageError& error) {
            return CliUsageError{error.message};
        }
    }
    return request;
}

int ExecuteRequest(const CliRequest& request, QByteArray& out, QByteArray& err,
                   const ResumePdfWriter& writePdf) {
    if (request.action == CliAction::Help) {
        out += CliHelp(request.helpWidth);
        return kExitOk;
    }
    if (request.action == CliAction::Version) {
        out += QByteArray("vesmer-cli ") + kVersionText + "\n";
        return kExitOk;
    }
    DialogInputs inputs;
    std::string error;
    if (request.loadFolder && !LoadSettingsFolder(*request.loadFolder, inputs, error)) {
        err += FolderError(error);
        return kExitUsage;
    }
    for (const CliInput& input : request.inputs) Apply(input, inputs);

    const Calculation calculation = RunCalculation(inputs, request.resumeInputs, request.today);
    if (!calculation.result.ok) {
        err += ToLfText(calculation.result.refusal) + "\n";
        return kExitRefused;
    }
    // A refused 学歴 choice gives no rows and no history either.
    if (!calculation.block.choice.ok) {
        err += "vesmer-cli: " + QByteArray::fromStdString(calculation.block.choice.refusal) + "\n";
        return kExitUsage;
    }
    if (request.resume && request.resume->pdf) {
        if (!WritePdf(*request.resume->pdf, calculation.block, writePdf, err))
            return kExitOutputFailed;
    } else {
        out += Output(request, calculation);
    }
    if (request.saveFolder &&
        !SaveSettingsFolder(*request.saveFolder, inputs, calculation.history, error)) {
        err += FolderError(error);
        return kExitOutputFailed;
    }
    return kExitOk;
}

int RunCli(const QStringList& arguments, const CivilDate& today, QByteArray& out, QByteArray& err,
           const ResumePdfWriter& writePdf, int helpWidth) {
    auto parsed = ParseCommandLine(arguments, today);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        // The message may quote any argument.
        err += "vesmer-cli: " + EscapeControls(error->message).toUtf8() +
               "\n使い方は vesmer-cli --help で表示されます。\n";
        return kExitUsage;
    }
    CliRequest& request = std::get<CliRequest>(parsed);
    request.helpWidth = helpWidth;
    return ExecuteRequest(request, out, err, writePdf);
}
