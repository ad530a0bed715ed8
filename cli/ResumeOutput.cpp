#include "cli/ResumeOutput.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <optional>
#include <set>

#include "cli/CliTexts.h"
#include "engine/ResumeRows.h"
#include "input/CalculationView.h"
#include "input/ResumeInputs.h"

namespace {

const QString kResume = QStringLiteral("resume");
const QString kCsv = QStringLiteral("csv");
const QString kPdf = QStringLiteral("pdf");
const QString kOmittable = QStringLiteral("から");
const QString kListSeparator = QStringLiteral("、");

// The value of --resume (also the key of --json) beside the calendar's own name.
struct CalendarOption {
    const char* option;
    ResumeCalendar calendar;
};
constexpr CalendarOption kCalendars[] = {
    {"wareki", ResumeCalendar::Wareki},
    {"seireki", ResumeCalendar::Seireki},
};

// "wareki か 和暦、seireki か 西暦"
QString CalendarChoices() {
    QStringList choices;
    for (const CalendarOption& name : kCalendars)
        choices << QStringLiteral("%1 か %2")
                       .arg(QLatin1String(name.option), Utf8(CalendarName(name.calendar)));
    return choices.join(kListSeparator);
}

// "年、月、学歴"
QString ColumnTitles() {
    QStringList titles;
    for (std::string_view title : kResumeColumnTitles) titles << Utf8(title);
    return titles.join(kListSeparator);
}

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

// "中学校卒業、高校入学、小学校入学、高校卒業"
QString ItemTexts(const ResumeField& field) {
    QStringList items;
    for (const std::string& item : field.items) items << Utf8(item).remove(kOmittable);
    return items.join(kListSeparator);
}

QString BlockDescription(const ResumeField& field) {
    const QString stages =
        QStringLiteral("STAGE は %1、学校ごとに一度指定できます").arg(StageRule());
    switch (field.kind) {
        case ResumeFieldKind::Start:
        case ResumeFieldKind::Skip:
            return QStringLiteral("学歴欄の%1: %2（番号 0〜%3 でもよい）。省略時は%4。%5")
                .arg(Utf8(field.title), ItemTexts(field))
                .arg(field.items.size() - 1)
                .arg(Utf8(field.items[0]).remove(kOmittable),
                     field.kind == ResumeFieldKind::Skip
                         ? QStringLiteral("飛び入学では、最終学年を飛び越えた学校を"
                                          "「中途退学（飛び入学のため）」と書きます。")
                         : QString());
        case ResumeFieldKind::Heading:
            return QStringLiteral("学歴欄の1行目に「学歴」と書きません。");
        case ResumeFieldKind::Closing:
            return QStringLiteral("学歴欄の最後の行に「以上」と書きます。");
        case ResumeFieldKind::SchoolName:
            return QStringLiteral("学校の正式な名前（%1文字まで）。%2。")
                .arg(field.maxLength)
                .arg(stages);
        case ResumeFieldKind::Department:
            return QStringLiteral("学部・学科、大学院では研究科・専攻（%1文字まで）。%2。")
                .arg(field.maxLength)
                .arg(stages);
        default:
            return QStringLiteral("中途退学または除籍した月（1〜12）。");
    }
}

QString BlockValueName(const ResumeField& field) {
    switch (field.kind) {
        case ResumeFieldKind::Start:
            return QStringLiteral("START");
        case ResumeFieldKind::Skip:
            return QStringLiteral("ITEM");
        case ResumeFieldKind::Heading:
        case ResumeFieldKind::Closing:
            return {};
        case ResumeFieldKind::SchoolName:
        case ResumeFieldKind::Department:
            return QStringLiteral("STAGE=TEXT");
        default:
            return QStringLiteral("N");
    }
}

// An item of a list ("中学校卒業から") by its text, with or without から, or its index.
QString ReadItem(const ResumeField& field, const QString& value, ResumeInputs& inputs) {
    for (std::size_t i = 0; i < field.items.size(); ++i) {
        const QString item = Utf8(field.items[i]);
        if (value == item || value + kOmittable == item || value == QString::number(i)) {
            *ResumeNumber(inputs, field) = static_cast<int>(i);
            return {};
        }
    }
    return NotAllowed(Utf8(field.option), value, ItemTexts(field));
}

// "STAGE=TEXT" values of --school or --department; each stage at most once.
QString ReadStageTexts(const ResumeField& field, const QStringList& values, ResumeInputs& inputs) {
    const QString option = Utf8(field.option);
    std::set<int> given;
    for (const QString& value : values) {
        StageValue read;
        if (QString problem = ReadStageValue(option, value, QStringLiteral("TEXT"), read);
            !problem.isEmpty())
            return problem;
        if (!given.insert(read.stage).second)
            return QStringLiteral("--%1 を一つの学校に二度以上指定することはできません（%2）。")
                .arg(option, value.left(value.indexOf(QLatin1Char('='))));
        *ResumeText(inputs, SchoolField(read.stage, field.kind == ResumeFieldKind::Department)) =
            read.text.toStdString();
    }
    return {};
}

QString ReadBlockOption(const QCommandLineParser& parser, const ResumeField& field,
                        ResumeInputs& inputs) {
    const QString option = Utf8(field.option);
    const QStringList values = parser.values(option);
    const bool single = field.kind == ResumeFieldKind::Start ||
                        field.kind == ResumeFieldKind::Skip || field.kind == ResumeFieldKind::Month;
    if (single && values.size() > 1) return GivenTwice(option);
    switch (field.kind) {
        case ResumeFieldKind::Start:
        case ResumeFieldKind::Skip:
            return ReadItem(field, values.constFirst(), inputs);
        case ResumeFieldKind::Heading:
        case ResumeFieldKind::Closing:
            // The check boxes' options turn the box's default over.
            *ResumeNumber(inputs, field) = field.kind == ResumeFieldKind::Closing ? 1 : 0;
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
    if (values.size() > 1) return GivenTwice(kPdf);
    if (request.csv) return NotTogether(kPdf, kCsv);
    if (values.constFirst().isEmpty()) return NothingGiven(kPdf, QStringLiteral("ファイル"));
    request.pdf = values.constFirst();
    return {};
}

}  // namespace

QList<QCommandLineOption> ResumeCommandLineOptions() {
    QList<QCommandLineOption> options = {
        {kResume,
         QStringLiteral("履歴の代わりに履歴書の学歴欄の行（%1）を、すべて一つの暦でタブ区切り"
                        "で表示します。CALENDAR は %2。")
             .arg(ColumnTitles(), CalendarChoices()),
         QStringLiteral("CALENDAR")},
        {kCsv, QStringLiteral("--resume の行を CSV（BOM 付きの UTF-8、行の区切りは CR LF、"
                              "1行目は見出し）で書き出します。")},
        {kPdf,
         QStringLiteral("--resume の行を A4 の履歴書の学歴欄として FILE（PDF）に書き出します。"),
         QStringLiteral("FILE")},
    };
    for (const ResumeField* field : BlockOptionFields())
        options << QCommandLineOption(Utf8(field->option), BlockDescription(*field),
                                      BlockValueName(*field));
    return options;
}

QString ReadResumeOptions(const QCommandLineParser& parser, const QStringList& exclusive,
                          bool jsonRows, std::optional<ResumeRequest>& request,
                          ResumeInputs& inputs) {
    QString firstGiven;
    if (const QString problem = ReadBlockOptions(parser, inputs, firstGiven); !problem.isEmpty())
        return problem;
    if (!parser.isSet(kResume)) {
        if (parser.isSet(kCsv)) return NeedsAnother(kCsv, {kResume});
        if (parser.isSet(kPdf)) return NeedsAnother(kPdf, {kResume});
        if (!firstGiven.isEmpty() && !jsonRows)
            return NeedsAnother(firstGiven, {kResume, QStringLiteral("json")});
        return {};
    }
    const QStringList values = parser.values(kResume);
    if (values.size() > 1) return GivenTwice(kResume);
    const std::optional<ResumeCalendar> calendar = CalendarNamed(values.constFirst());
    if (!calendar) return NotAllowed(kResume, values.constFirst(), CalendarChoices());
    for (const QString& other : exclusive) {
        if (parser.isSet(other)) return NotTogether(kResume, other);
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
