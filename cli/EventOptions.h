#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <vector>

class QCommandLineParser;
struct EventInput;

// The options that give the rows of 「休学・留学など」: --leave, --exchange, --abroad and
// --transfer-in as often as the event happened, --nintei and --left-high-school once; in the
// order of the help.
QList<QCommandLineOption> EventCommandLineOptions();

// The rows in the order their options were given (--nintei and --left-high-school make one row,
// where the first of them stands), with their months and texts as typed: the input layer reads
// them. Returns the reason for a usage error, or an empty text: a value that is not of its
// option's shape, a stage before the 高校, --nintei or --left-high-school given twice, and
// --left-high-school without --nintei.
QString ReadEventOptions(const QCommandLineParser& parser, std::vector<EventInput>& rows);
