#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <string>
#include <vector>

struct InputField;

// The options of vesmer-cli that are no input of the window.
inline const QString kToday = QStringLiteral("today");
inline const QString kRaw = QStringLiteral("raw");
inline const QString kJson = QStringLiteral("json");
inline const QString kLoad = QStringLiteral("load");
inline const QString kSave = QStringLiteral("save");
inline const QString kHelp = QStringLiteral("help");
inline const QString kVersion = QStringLiteral("version");

// The inputs that have an option, one per option (the counts of all stages share one).
std::vector<const InputField*> OptionFields();
QString OptionName(const InputField& field);
const std::vector<std::string>& Items(const InputField& field);
// What a list's option takes: "番号 0〜3 か 西暦、昭和、平成、令和".
QString AllowedChoices(const InputField& field);

// Every option, in the order of the help.
QList<QCommandLineOption> CliOptions();
// --help: the options, wrapped to width columns as Tosvel's, and the exit statuses.
QByteArray CliHelp(int width);
