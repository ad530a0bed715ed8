#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "engine/ResumeRows.h"

class CHistoryData;
class QCommandLineParser;
struct CivilDate;

// The résumé output of vesmer-cli: --resume wareki|seireki prints the résumé rows of the history
// instead of the history, as tab-separated lines or, with --csv, as the CSV file the window
// exports.
struct ResumeRequest {
    ResumeCalendar calendar = ResumeCalendar::Wareki;
    bool csv = false;
};

void AddResumeOptions(QCommandLineParser& parser);
// Reads --resume and --csv into request (left empty without --resume). Returns the reason for a
// usage error, or an empty text when the options fit together. Options named in exclusive choose
// another output and cannot be combined with --resume.
QString ReadResumeOptions(const QCommandLineParser& parser, const QStringList& exclusive,
                          std::optional<ResumeRequest>& request);
// The rows in the chosen calendar and format; today ends them as it does the current age.
QByteArray ResumeOutput(const ResumeRequest& request, const CHistoryData& history,
                        const CivilDate& today);

// The résumé rows of the history in both calendars, for --json:
// {"wareki": [{"year", "month", "text"}, …], "seireki": […]}.
QJsonObject ResumeJson(const CHistoryData& history, const CivilDate& today);
