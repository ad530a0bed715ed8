#include "cli/CliOptions.h"

#include "cli/CliTexts.h"
#include "cli/EventOptions.h"
#include "cli/ResumeOutput.h"
#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/InputSchema.h"
#include "platform/TerminalText.h"

namespace {

constexpr const char* kDescription =
    "生年月日、最終学歴とそれをどうしたか、浪人と留年の年数、学校の年数と進み方から、"
    "学歴の入学と卒業などの年月を計算して一行ずつ表示し、最後に現在の年齢を表示します。"
    "設定はウィンドウ（vesmer）と同じで、生年月日の年は --era の暦の年です。一覧の項目は番号か"
    "項目の文字列で、数字は全角でも指定できます。休学・留学などの月（FROM、TO、MONTH）は "
    "2000-04 や 2000年4月 のように西暦の年と月で、指定した順に「休学・留学など」の1行目、"
    "2行目…になります。";

constexpr const char* kExitStatus =
    "終了ステータス: 0 表示した、1 出力、--pdf のファイルまたは --save の設定ファイルを書き込め"
    "なかった、2 コマンドラインが正しくない（存在しない --load のフォルダー、1900-01-01 より前"
    "の --today、使えない学校名などを含む）、3 入力を受け付けなかった（理由は標準エラー出力"
    "に）。";

QString Description(const InputField& field) {
    const QString title = Utf8(field.title);
    switch (field.kind) {
        case InputKind::List:
            return QStringLiteral("%1: %2。省略時は%3。")
                .arg(title, AllowedChoices(field),
                     Utf8(Items(field)[std::size_t(field.defaultValue)]));
        case InputKind::Text:
            return QStringLiteral("%1（%2）。省略時は%3。")
                .arg(title, DigitsRule(field))
                .arg(field.defaultValue);
        case InputKind::Ronin:
        case InputKind::Ryunen:
            return QStringLiteral("%1学校と年数。STAGE は %2、N は数字。学校ごとに指定できます。")
                .arg(field.kind == InputKind::Ronin ? QStringLiteral("浪人して入った")
                                                    : QStringLiteral("留年した"),
                     StageRule());
        case InputKind::Check:
            return Utf8(field.caption.text) + QStringLiteral("。");
        case InputKind::History:
            break;
    }
    return {};
}

QString ValueName(const InputField& field) {
    switch (field.kind) {
        case InputKind::List:
            return QStringLiteral("ITEM");
        case InputKind::Text:
            return QStringLiteral("N");
        case InputKind::Ronin:
        case InputKind::Ryunen:
            return QStringLiteral("STAGE=N");
        default:
            return {};
    }
}

}  // namespace

std::vector<const InputField*> OptionFields() {
    std::vector<const InputField*> fields;
    for (const InputField& field : InputSchema()) {
        if (field.option.empty() || (IsCount(field) && field.stage != STAGE_ELEMENTARY)) continue;
        fields.push_back(&field);
    }
    return fields;
}

QString OptionName(const InputField& field) {
    return Utf8(field.option);
}

const std::vector<std::string>& Items(const InputField& field) {
    return ChoiceLists::Get().*field.items;
}

QString AllowedChoices(const InputField& field) {
    QStringList texts;
    for (const std::string& item : Items(field)) texts << Utf8(item);
    return QStringLiteral("番号 0〜%1 か %2")
        .arg(texts.size() - 1)
        .arg(texts.join(QStringLiteral("、")));
}

QList<QCommandLineOption> CliOptions() {
    QList<QCommandLineOption> options;
    for (const InputField* field : OptionFields())
        options << QCommandLineOption(OptionName(*field), Description(*field), ValueName(*field));
    options << EventCommandLineOptions();
    options << QCommandLineOption(
                   kToday, QStringLiteral("現在の年齢と履歴書の行を数える日。省略時は今日。"),
                   QStringLiteral("YYYY-MM-DD"))
            << QCommandLineOption(
                   kRaw, QStringLiteral("ウィンドウのファイル出力と同じバイト列で書き出します"
                                        "（Shift-JIS、行の区切りは CR LF、最後に何も付けない）。"))
            << QCommandLineOption(
                   kJson, QStringLiteral(
                              "すべての行、現在の年齢と履歴書の行を一つの JSON で書き出します。"));
    options << ResumeCommandLineOptions();
    options << QCommandLineOption(
                   kLoad,
                   QStringLiteral(
                       "DIR の Vesmer.ini と VesmerDlg.ini の入力から、ウィンドウの起動時"
                       "と同じように始めます。ほかのオプションはそれより優先します。"),
                   QStringLiteral("DIR"))
            << QCommandLineOption(
                   kSave,
                   QStringLiteral("計算できたら、ウィンドウの計算と同じように二つの設定ファイルを "
                                  "DIR に書き込みます。"),
                   QStringLiteral("DIR"))
            << QCommandLineOption(QStringList{QStringLiteral("h"), kHelp},
                                  QStringLiteral("この説明を表示します。"))
            << QCommandLineOption(QStringList{QStringLiteral("v"), kVersion},
                                  QStringLiteral("バージョンを表示します。"));
    return options;
}

QByteArray CliHelp(int width) {
    return (TerminalHelp(QStringLiteral("vesmer-cli"), QString::fromUtf8(kDescription),
                         CliOptions(), width) +
            QLatin1Char('\n') + WrapForTerminal(QString::fromUtf8(kExitStatus), width) +
            QLatin1Char('\n'))
        .toUtf8();
}
