#include "cli/EventOptions.h"

#include <QCommandLineParser>
#include <QHash>
#include <optional>

#include "cli/CliTexts.h"
#include "engine/ResumeRows.h"
#include "input/EventInputs.h"

namespace {

using IK = EventInputKind;

// How an option's value is written.
enum class Shape {
    Period,       // STAGE=FROM..TO
    PeriodPlace,  // STAGE=FROM..TO:DEST
    MonthPlace,   // MONTH[:NAME]
    Month,        // MONTH
};

struct EventOption {
    const char* name;
    IK kind;
    Shape shape;
    EventField month;  // the field of a row the MONTH of the value goes into
    const char* aside;  // what the help says of the kind after its item: "在学期間は延びない"
};

constexpr const char* kNintei = "nintei";
constexpr const char* kLeftHighSchool = "left-high-school";

constexpr EventOption kEventOptions[] = {
    {"leave", IK::LeaveOfAbsence, Shape::Period, EventField::From, ""},
    {"exchange", IK::Exchange, Shape::PeriodPlace, EventField::From, "在学期間は延びない"},
    {"abroad", IK::StudyAbroad, Shape::PeriodPlace, EventField::From, "在学期間が延びた"},
    {"transfer-in", IK::TransferIn, Shape::MonthPlace, EventField::From, "高校"},
    {kNintei, IK::Equivalency, Shape::Month, EventField::To, ""},
    {kLeftHighSchool, IK::Equivalency, Shape::Month, EventField::From, ""},
};

const QString kPeriod = QStringLiteral("..");
constexpr QChar kPlace = u':';

bool Staged(Shape shape) {
    return shape == Shape::Period || shape == Shape::PeriodPlace;
}

// The value's shape after STAGE=, when it has a stage.
QString ValueText(Shape shape) {
    switch (shape) {
        case Shape::Period:
            return QStringLiteral("FROM..TO");
        case Shape::PeriodPlace:
            return QStringLiteral("FROM..TO:DEST");
        case Shape::MonthPlace:
            return QStringLiteral("MONTH[:NAME]");
        case Shape::Month:
            break;
    }
    return QStringLiteral("MONTH");
}

QString ValueName(Shape shape) {
    return (Staged(shape) ? QStringLiteral("STAGE=") : QString()) + ValueText(shape);
}

QString Label(const EventOption& option, EventField field) {
    return Utf8(EventFieldLabel(option.kind, field));
}

// "休学: FROM は休学した月、TO は復学した月。STAGE は …"
QString Description(const EventOption& option) {
    QString text = Utf8(DescribeEventKind(option.kind).item);
    if (*option.aside) text += QStringLiteral("（%1）").arg(QString::fromUtf8(option.aside));
    text += QStringLiteral(": ");
    const QString characters = QStringLiteral("%1文字まで").arg(kMaxSchoolTextLength);
    switch (option.shape) {
        case Shape::Period:
        case Shape::PeriodPlace:
            text += QStringLiteral("FROM は%1、TO は%2")
                        .arg(Label(option, EventField::From), Label(option, EventField::To));
            if (option.shape == Shape::PeriodPlace)
                text += QStringLiteral("、DEST は%1（%2）")
                            .arg(Label(option, EventField::Place), characters);
            return text + QStringLiteral("。STAGE は %1。何度でも指定できます。")
                              .arg(StageRule(kFirstEventStage));
        case Shape::MonthPlace:
            return text + QStringLiteral(
                              "MONTH は%1、NAME は%2（%3、省略できます）。"
                              "何度でも指定できます。")
                              .arg(Label(option, option.month), Label(option, EventField::Place),
                                   characters);
        case Shape::Month:
            break;
    }
    text += QStringLiteral("MONTH は%1。").arg(Label(option, option.month));
    if (option.month != EventField::To)
        text += QStringLiteral("--%1 と一緒に指定します。").arg(QString::fromUtf8(kNintei));
    return text;
}

const EventOption* OptionNamed(const QString& name) {
    for (const EventOption& option : kEventOptions) {
        if (name == QLatin1String(option.name)) return &option;
    }
    return nullptr;
}

// The value into the row, or the reason it is not of the option's shape.
QString ReadValue(const EventOption& option, const QString& value, EventInput& row) {
    const QString name = QString::fromUtf8(option.name);
    const QString notShape =
        NotAllowed(name, value, QStringLiteral("%1 の形").arg(ValueName(option.shape)));
    QString months = value;
    if (Staged(option.shape)) {
        StageValue read;
        if (QString problem =
                ReadStageValue(name, value, ValueText(option.shape), read, kFirstEventStage);
            !problem.isEmpty())
            return problem;
        row.stage = read.stage;
        months = read.text;
    }
    if (option.shape == Shape::PeriodPlace || option.shape == Shape::MonthPlace) {
        const qsizetype place = months.indexOf(kPlace);
        if (place < 0 && option.shape == Shape::PeriodPlace) return notShape;
        if (place >= 0) {
            row.place = months.mid(place + 1).toStdString();
            months.truncate(place);
        }
    }
    if (!Staged(option.shape)) {
        (option.month == EventField::To ? row.to : row.from) = months.toStdString();
        return {};
    }
    const qsizetype period = months.indexOf(kPeriod);
    if (period < 0) return notShape;
    row.from = months.left(period).toStdString();
    row.to = months.mid(period + kPeriod.size()).toStdString();
    return {};
}

}  // namespace

QList<QCommandLineOption> EventCommandLineOptions() {
    QList<QCommandLineOption> options;
    for (const EventOption& option : kEventOptions)
        options << QCommandLineOption(QString::fromUtf8(option.name), Description(option),
                                      ValueName(option.shape));
    return options;
}

QString ReadEventOptions(const QCommandLineParser& parser, std::vector<EventInput>& rows) {
    const QString nintei = QString::fromUtf8(kNintei);
    const QString leftHighSchool = QString::fromUtf8(kLeftHighSchool);
    for (const QString& single : {nintei, leftHighSchool}) {
        if (parser.values(single).size() > 1) return GivenTwice(single);
    }
    if (parser.isSet(leftHighSchool) && !parser.isSet(nintei))
        return NeedsAnother(leftHighSchool, {nintei});
    QHash<QString, qsizetype> read;  // the values of each option read so far
    std::optional<std::size_t> equivalency;
    for (const QString& name : parser.optionNames()) {
        const EventOption* option = OptionNamed(name);
        if (!option) continue;
        const QString value = parser.values(name).at(read[name]++);
        if (option->kind != IK::Equivalency || !equivalency) {
            rows.push_back(EventInput{option->kind, STAGE_HIGH_SCHOOL, {}, {}, {}, {}});
            if (option->kind == IK::Equivalency) equivalency = rows.size() - 1;
        }
        EventInput& row = option->kind == IK::Equivalency ? rows[*equivalency] : rows.back();
        if (QString problem = ReadValue(*option, value, row); !problem.isEmpty()) return problem;
    }
    return {};
}
