#include "platform/TerminalText.h"

#include <cstring>

namespace {

struct ParserText {
    const char* english;
    const char* japanese;
};
// The option's name as given on the command line takes the place of %1.
constexpr ParserText kParserTexts[] = {
    {"Unknown option '%1'.", "「%1」というオプションはありません。"},
    {"Unknown options: %1.", "次のオプションはありません: %1。"},
    {"Missing value after '%1'.", "%1 の後に値を指定してください。"},
    {"Unexpected value after '%1'.", "%1 には値を指定できません。"},
};

bool IsControl(char16_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

}  // namespace

QString EscapeControls(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (IsControl(c.unicode()))
            escaped +=
                QStringLiteral("\\x") +
                QString::number(c.unicode(), 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            escaped += c;
    }
    return escaped;
}

QString CCommandLineJapanese::translate(const char* context, const char* sourceText,
                                        const char* disambiguation, int n) const {
    (void)disambiguation;
    (void)n;
    if (!context || !sourceText || std::strcmp(context, "QCommandLineParser") != 0) return {};
    for (const ParserText& text : kParserTexts) {
        if (std::strcmp(sourceText, text.english) == 0) return QString::fromUtf8(text.japanese);
    }
    return {};
}
