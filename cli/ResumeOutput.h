#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "engine/ResumeRows.h"

class QCommandLineParser;
struct ResumeBlockView;
struct ResumeInputs;

// The résumé output of vesmer-cli: --resume wareki|seireki prints the rows of the 学歴 block
// instead of the history, as tab-separated lines, with --csv as the CSV file the window exports,
// or with --pdf FILE as the printed block in a PDF file.
struct ResumeRequest {
    bool csv = false;
    std::optional<QString> pdf;
};

// Writes the rows as a PDF file; false when the file could not be written.
using ResumePdfWriter = std::function<bool(const QString& path, const std::vector<ResumeRow>& rows,
                                           ResumeCalendar calendar)>;

// --resume, --csv, --pdf and the block's own options, in the order of the help.
QList<QCommandLineOption> ResumeCommandLineOptions();
// Reads --resume (its calendar into inputs), --csv and --pdf into request (left empty without
// --resume) and the block's own options as typed (--from, --no-heading, --school, --department,
// --leaving-month, --closing, --skip-as; they need --resume or, with jsonRows, --json) into
// inputs. Returns the reason for a usage error, or an empty text when the options fit together.
// Options named in exclusive choose another output and cannot be combined with --resume.
QString ReadResumeOptions(const QCommandLineParser& parser, const QStringList& exclusive,
                          bool jsonRows, std::optional<ResumeRequest>& request,
                          ResumeInputs& inputs);
// The rows of the block in its calendar, tab-separated or as CSV.
QByteArray ResumeOutput(const ResumeRequest& request, const ResumeBlockView& block);

// The rows in both calendars, for --json:
// {"wareki": [{"year", "month", "text"}, …], "seireki": […]}.
QJsonObject ResumeJson(const std::vector<ResumeRow>& rows);
