#include "cli/ResumeOutput.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <optional>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

namespace {

// The value of --resume (also the key of --json), or the calendar's own name.
struct CalendarName {
    const char* option;
    const char* japanese;
    ResumeCalendar calendar;
};
constexpr CalendarName kCalendars[] = {
    {"wareki", "和暦", ResumeCalendar::Wareki},
    {"seireki", "西暦", ResumeCalendar::Seireki},
};

std::optional<ResumeCalendar> CalendarNamed(const QString& value) {
    for (const CalendarName& name : kCalendars) {
        if (value == QLatin1String(name.option) || value == QString::fromUtf8(name.japanese))
            return name.calendar;
    }
    return std::nullopt;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void CResumeOptions::AddTo(QCommandLineParser& parser) const {
    parser.addOption(m_resume);
    parser.addOption(m_csv);
}

QString CResumeOptions::Problem(const QCommandLineParser& parser,
                                const QStringList& exclusive) const {
    if (!parser.isSet(m_resume)) {
        return parser.isSet(m_csv) ? QStringLiteral("--csv needs --resume wareki or seireki")
                                   : QString();
    }
    const QStringList values = parser.values(m_resume);
    if (values.size() > 1) return QStringLiteral("--resume is given more than once");
    if (!CalendarNamed(values.constFirst()))
        return QStringLiteral("--resume: '%1' is neither wareki nor seireki")
            .arg(values.constFirst());
    for (const QString& other : exclusive) {
        if (parser.isSet(other))
            return QStringLiteral("--resume and --%1 cannot be used together").arg(other);
    }
    return {};
}

bool CResumeOptions::IsSet(const QCommandLineParser& parser) const {
    return parser.isSet(m_resume);
}

QByteArray CResumeOptions::Output(const QCommandLineParser& parser, const CHistoryData& history,
                                  const CivilDate& today) const {
    const ResumeCalendar calendar =
        CalendarNamed(parser.value(m_resume)).value_or(ResumeCalendar::Wareki);
    const std::vector<ResumeRow> rows = BuildResumeRows(history, today);
    return QByteArray::fromStdString(parser.isSet(m_csv) ? ResumeCsv(rows, calendar)
                                                         : ResumeTsv(rows, calendar));
}

QJsonObject ResumeJson(const CHistoryData& history, const CivilDate& today) {
    const std::vector<ResumeRow> rows = BuildResumeRows(history, today);
    QJsonObject resume;
    for (const CalendarName& name : kCalendars) {
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
