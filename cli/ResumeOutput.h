#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QJsonObject>
#include <QString>
#include <QStringList>

class CHistoryData;
class QCommandLineParser;
struct CivilDate;

// The résumé options of vesmer-cli: --resume wareki|seireki prints the résumé rows of the history
// instead of the history, as tab-separated lines or, with --csv, as the CSV file the window
// exports.
class CResumeOptions {
  public:
    void AddTo(QCommandLineParser& parser) const;
    // Empty when the options fit together, otherwise the reason for a usage error. Options named in
    // exclusive choose another output and cannot be combined with --resume.
    QString Problem(const QCommandLineParser& parser, const QStringList& exclusive) const;
    bool IsSet(const QCommandLineParser& parser) const;
    // The rows in the chosen calendar and format; today ends them as it does the current age.
    QByteArray Output(const QCommandLineParser& parser, const CHistoryData& history,
                      const CivilDate& today) const;

  private:
    QCommandLineOption m_resume{
        "resume",
        "Print the résumé rows (年, 月, 学歴) instead of the history, tab-separated, all in one "
        "calendar: wareki or 和暦, seireki or 西暦.",
        "CALENDAR"};
    QCommandLineOption m_csv{
        "csv", "With --resume: write the rows as CSV (UTF-8 with BOM, CR LF, header row)."};
};

// The résumé rows of the history in both calendars, for --json:
// {"wareki": [{"year", "month", "text"}, …], "seireki": […]}.
QJsonObject ResumeJson(const CHistoryData& history, const CivilDate& today);
