#include "cli/ResumeOutput.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <optional>
#include <set>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/CalculationView.h"
#include "input/ResumeInputs.h"

namespace {

const QString kResume = QStringLiteral("resume");
const QString kCsv = QStringLiteral("csv");
const QString kPdf = QStringLiteral("pdf");
const QString kOmittable = QStringLiteral("から");

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The value of --resume (also the key of --json) beside the calendar's own name.
struct CalendarOption {
    const char* option;
    ResumeCalendar calendar;
};
constexpr CalendarOption kCalendars[] = {
    {"wareki", ResumeCalendar::Wareki},
    {"seireki", ResumeCalendar::Seireki},
};

std::optional<ResumeCalendar> CalendarNamed(const QString& value) {
    for (const CalendarOption& name : kCalendars) {
        if (value == QLatin1String(name.option) || value == Utf8(CalendarName(name.calendar)))
            return name.calendar;
    }
    return std::nullopt;
}

// The block's inputs that have an option, one per option (the stages share theirs).
std::vector<const ResumeField*> BlockOptionFields() {
    std::vector<const ResumeField*> fields;
    std::set<std::string> seen;
    for (const ResumeField& field : ResumeSchema()) {
        if (!field.option.empty() && seen.insert(field.option).second) fields.push_back(&field);
    }
    return fields;
}

QString Items(const ResumeField& field) {
    QStringList items;
    for (const std::string& item : field.items) items << Utf8(item).remove(kOmittable);
    return items.join(QStringLiteral(", "));
}

QCommandLineOption BlockOption(const ResumeField& field) {
    const QString name = Utf8(field.option);
    switch (field.kind) {
        case ResumeFieldKind::Start:
            return {
                name,
                QStringLiteral("Where the rows start (%1): %2 (default %3).")
                    .arg(Utf8(field.title), Items(field), Utf8(field.items[0]).remove(kOmittable)),
                QStringLiteral("START")};
        case ResumeFieldKind::Heading:
            return {name, QStringLiteral("Leave out the first row 「学歴」.")};
        case ResumeFieldKind::SchoolName:
        case ResumeFieldKind::Department:
            return {name,
                    QStringLiteral("%1, repeatable: STAGE is %2 or 1-8.")
                        .arg(field.kind == ResumeFieldKind::SchoolName
                                 ? QStringLiteral("A school's formal name (学校名)")
                                 : QStringLiteral("A school's 学部・学科 or 研究科・専攻"),
                             StageKeys()),
                    QStringLiteral("STAGE=TEXT")};
        default:
            return {name, QStringLiteral("The month (1-12) of a 中途退学 or 除籍."),
                    QStringLiteral("N")};
    }
}

// "中学校卒業から" by its text, with or without から, or its index.
QString ReadStart(const ResumeField& field, const QString& value, ResumeInputs& inputs) {
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        const QString item = Utf8(field.items[i]);
        if (value == item || value + kOmittable == item || value == QString::number(i)) {
            inputs.m_nStart = static_cast<int>(i);
            return {};
        }
    }
    return QStringLiteral("--%1: '%2' is not allowed; use %3")
        .arg(Utf8(field.option), value, Items(field));
}

// "STAGE=TEXT" values of --school or --department; each stage at most once.
QString ReadStageTexts(const ResumeField& field, const QStringList& values, ResumeInputs& inputs) {
    const QString option = Utf8(field.option);
    std::set<int> given;
    for (const QString& value : values) {
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        const int stage = equals > 0 ? StageNamed(value.left(equals)) : 0;
        if (equals <= 0) return QStringLiteral("--%1: '%2' is not STAGE=TEXT").arg(option, value);
        if (stage == 0)
            return QStringLiteral("--%1: unknown stage '%2' (%3 or 1-8)")
                .arg(option, value.left(equals), StageKeys());
        if (!given.insert(stage).second)
            return QStringLiteral("--%1 is given more than once for %2")
                .arg(option, value.left(equals));
        *ResumeText(inputs, SchoolField(stage, field.kind == ResumeFieldKind::Department)) =
            value.mid(equals + 1).toStdString();
    }
    return {};
}

QString ReadBlockOption(const QCommandLineParser& parser, const ResumeField& field,
                        ResumeInputs& inputs) {
    const QString option = Utf8(field.option);
    const QStringList values = parser.values(option);
    const bool single =
        field.kind == ResumeFieldKind::Start || field.kind == ResumeFieldKind::Month;
    if (single && values.size() > 1)
        return QStringLiteral("--%1 is given more than once").arg(option);
    switch (field.kind) {
        case ResumeFieldKind::Start:
            return ReadStart(field, values.constFirst(), inputs);
        case ResumeFieldKind::Heading:
            inputs.m_bHeading = 0;
            return {};
        case ResumeFieldKind::Month:
            inputs.m_strLeavingMonth = values.constFirst().toStdString();
            return {};
        default:
            return ReadStageTexts(field, values, inputs);
    }
}

// The block's own options into inputs; the first option given, for a usage message.
QString ReadBlockOptions(const QCommandLineParser& parser, ResumeInputs& inputs,
                         QString& firstGiven) {
    for (const ResumeField* field : BlockOptionFields()) {
        if (!parser.isSet(Utf8(field->option))) continue;
        if (firstGiven.isEmpty()) firstGiven = Utf8(field->option);
        if (const QString problem = ReadBlockOption(parser, *field, inputs); !problem.isEmpty())
            return problem;
    }
    return {};
}

QString ReadPdfOption(const QCommandLineParser& parser, ResumeRequest& request) {
    if (!parser.isSet(kPdf)) return {};
    const QStringList values = parser.values(kPdf);
    if (values.size() > 1) return QStringLiteral("--pdf is given more than once");
    if (request.csv) return QStringLiteral("--pdf and --csv cannot be used together");
    if (values.constFirst().isEmpty()) return QStringLiteral("--pdf: no file given");
    request.pdf = values.constFirst();
    return {};
}

}  // namespace

void AddResumeOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {kResume,
         QStringLiteral("Print the résumé rows (年, 月, 学歴) instead of the history, "
                        "tab-separated, all in one calendar: wareki or 和暦, seireki or 西暦."),
         QStringLiteral("CALENDAR")},
        {kCsv, QStringLiteral("With --resume: write the rows as CSV (UTF-8 with BOM, CR LF, "
                              "header row).")},
        {kPdf,
         QStringLiteral("With --resume: write the rows as the 学歴 block of an A4 résumé to FILE "
                        "(PDF) instead of printing them."),
         QStringLiteral("FILE")},
    });
    for (const ResumeField* field : BlockOptionFields()) parser.addOption(BlockOption(*field));
}

QString ReadResumeOptions(const QCommandLineParser& parser, const QStringList& exclusive,
                          bool jsonRows, std::optional<ResumeRequest>& request,
                          ResumeInputs& inputs) {
    QString firstGiven;
    if (const QString problem = ReadBlockOptions(parser, inputs, firstGiven); !problem.isEmpty())
        return problem;
    if (!parser.isSet(kResume)) {
        if (parser.isSet(kCsv)) return QStringLiteral("--csv needs --resume wareki or seireki");
        if (parser.isSet(kPdf)) return QStringLiteral("--pdf needs --resume wareki or seireki");
        if (!firstGiven.isEmpty() && !jsonRows)
            return QStringLiteral("--%1 needs --resume or --json").arg(firstGiven);
        return {};
    }
    const QStringList values = parser.values(kResume);
    if (values.size() > 1) return QStringLiteral("--resume is given more than once");
    const std::optional<ResumeCalendar> calendar = CalendarNamed(values.constFirst());
    if (!calendar)
        return QStringLiteral("--resume: '%1' is neither wareki (和暦) nor seireki (西暦)")
            .arg(values.constFirst());
    for (const QString& other : exclusive) {
        if (parser.isSet(other))
            return QStringLiteral("--resume and --%1 cannot be used together").arg(other);
    }
    inputs.m_nCalendar = static_cast<int>(*calendar);
    request = ResumeRequest{parser.isSet(kCsv), std::nullopt};
    return ReadPdfOption(parser, *request);
}

QByteArray ResumeOutput(const ResumeRequest& request, const ResumeBlockView& block) {
    const ResumeCalendar calendar = block.choice.calendar;
    return QByteArray::fromStdString(request.csv ? ResumeCsv(block.rows, calendar)
                                                 : ResumeTsv(block.rows, calendar));
}

QJsonObject ResumeJson(const std::vector<ResumeRow>& rows) {
    QJsonObject resume;
    for (const CalendarOption& name : kCalendars) {
        QJsonArray table;
        for (const ResumeRow& row : rows) {
            const auto cells = ResumeCells(row, name.calendar);
            table.append(QJsonObject{
                {"year", Utf8(cells[0])}, {"month", Utf8(cells[1])}, {"text", Utf8(cells[2])}});
        }
        resume.insert(QLatin1String(name.option), table);
    }
    return resume;
}

int StageNamed(const QString& name) {
    const CHistoryData history;
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        if (name == Utf8(history.m_aStageKey[std::size_t(stage - 1)]) ||
            name == QString::number(stage))
            return stage;
    }
    return 0;
}

QString StageKeys() {
    QStringList keys;
    for (const std::string& key : CHistoryData().m_aStageKey) keys << Utf8(key);
    return keys.join(QLatin1Char(' '));
}
