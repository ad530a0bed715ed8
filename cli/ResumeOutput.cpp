#include "cli/ResumeOutput.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <optional>

#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"

namespace {

const QString kResume = QStringLiteral("resume");
const QString kCsv = QStringLiteral("csv");

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

void AddResumeOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {kResume,
         QStringLiteral("Print the résumé rows (年, 月, 学歴) instead of the history, "
                        "tab-separated, all in one calendar: wareki or 和暦, seireki or 西暦."),
         QStringLiteral("CALENDAR")},
        {kCsv, QStringLiteral("With --resume: write the rows as CSV (UTF-8 with BOM, CR LF, "
                              "header row).")},
    });
}

QString ReadResumeOptions(const QCommandLineParser& parser, const QStringList& exclusive,
                          std::optional<ResumeRequest>& request) {
    if (!parser.isSet(kResume))
        return parser.isSet(kCsv) ? QStringLiteral("--csv needs --resume wareki or seireki")
                                  : QString();
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
    request = ResumeRequest{*calendar, parser.isSet(kCsv)};
    return {};
}

QByteArray ResumeOutput(const ResumeRequest& request, const CHistoryData& history,
                        const CivilDate& today) {
    const std::vector<ResumeRow> rows = BuildResumeRows(history, today, ResumeOptions{});
    return QByteArray::fromStdString(request.csv ? ResumeCsv(rows, request.calendar)
                                                 : ResumeTsv(rows, request.calendar));
}

QJsonObject ResumeJson(const CHistoryData& history, const CivilDate& today) {
    const std::vector<ResumeRow> rows = BuildResumeRows(history, today, ResumeOptions{});
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
