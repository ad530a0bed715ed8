#include "platform/TerminalText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/LineBreaks.h"

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

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// A piece of text that no line break divides.
struct Atom {
    QString text;
    int width = 0;
    bool blankBefore = false;
    bool wide = false;
};

// The paragraph as pieces: runs of narrow characters, single full-width characters, closing
// punctuation held to what it closes and opening punctuation to what it opens, narrow brackets
// among full-width text ("5年制(高専)") too.
std::vector<Atom> Atoms(const QString& paragraph) {
    static const QString kClosing = QString::fromUtf8(kNoBreakBefore);
    static const QString kOpening = QString::fromUtf8(kNoBreakAfter);
    std::vector<Atom> atoms;
    bool blank = false;
    bool opened = false;
    for (const char32_t c : paragraph.toUcs4()) {
        if (c == U' ' || c == U'\t') {
            blank = true;
            continue;
        }
        const QString text = QString::fromUcs4(&c, 1);
        const bool wide = IsWide(c);
        const bool join = !atoms.empty() && !blank &&
                          (opened || kClosing.contains(text) || (!wide && !atoms.back().wide));
        if (!join) atoms.push_back({QString(), 0, blank && !atoms.empty(), wide});
        atoms.back().text += text;
        atoms.back().width += wide ? 2 : 1;
        atoms.back().wide = wide;
        opened = kOpening.contains(text);
        blank = false;
    }
    return atoms;
}

QString WrapParagraph(const QString& paragraph, int width, int indent, int startColumn) {
    QString lines;
    int column = startColumn;
    bool lineStart = true;
    for (const Atom& atom : Atoms(paragraph)) {
        const int blank = atom.blankBefore ? 1 : 0;
        if (!lineStart && column + blank + atom.width > width) {
            lines += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (!lineStart) {
            lines += QString(blank, QLatin1Char(' '));
            column += blank;
        }
        lines += atom.text;
        column += atom.width;
        lineStart = false;
    }
    return lines;
}

}  // namespace

QString WrapForTerminal(const QString& text, int width, int indent, int startColumn) {
    QStringList paragraphs;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        paragraphs << WrapParagraph(paragraph, width, indent, startColumn);
        startColumn = indent;
    }
    return paragraphs.join(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
}

int HelpWidth(const char* columns) {
    bool ok = false;
    const int width = columns ? QByteArray(columns).toInt(&ok) : 0;
    return ok ? std::max(width, 50) : kTerminalHelpWidth;
}

QString TerminalHelp(const QString& program, const QString& description,
                     const QList<QCommandLineOption>& options, int width) {
    QStringList heads;
    qsizetype column = 0;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString head = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) head += QStringLiteral(" <%1>").arg(option.valueName());
        column = std::max(column, head.size() + 2);
        heads << head;
    }
    QString help = QStringLiteral("Usage: %1 [options]\n").arg(program) +
                   WrapForTerminal(description, width) + QStringLiteral("\n\nOptions:\n");
    for (qsizetype i = 0; i < options.size(); ++i) {
        const int start = static_cast<int>(column);
        help += heads[i].leftJustified(column, QLatin1Char(' ')) +
                WrapForTerminal(options[i].description(), width, start, start) + QLatin1Char('\n');
    }
    return help;
}
