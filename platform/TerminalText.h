#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QTranslator>

// Texts of the command-line programs as they reach a terminal.

// The text with every control character (C0, DEL and C1) written as "\x1B", so that an argument
// echoed in a message cannot move the cursor, change colours or end the line.
QString EscapeControls(const QString& text);

// The text in lines of at most width terminal columns, a full-width character taking two: the
// first line goes on from startColumn (what stands before it is the caller's), every further line
// starts with indent blanks. Lines break at blanks, and between full-width characters anywhere
// but before closing punctuation and small kana (、。）」ッ) or after opening punctuation (（「).
// A line break in text starts a new paragraph; blanks at the ends of a paragraph are dropped.
QString WrapForTerminal(const QString& text, int width, int indent = 0, int startColumn = 0);

// The columns of a command's help.
inline constexpr int kTerminalHelpWidth = 70;
// The columns the help is wrapped to: the number in COLUMNS (columns, from the environment), but
// at least 50 so that a description keeps some columns beside its option; kTerminalHelpWidth when
// COLUMNS holds no number. A manual page is made from a help that is not wrapped at all (a large
// COLUMNS): the page breaks its own lines.
int HelpWidth(const char* columns);

// A command's help laid out as QCommandLineParser lays it out ("Usage:", the description,
// "Options:" with each option's names, value and description), but wrapped for the terminal, so
// that Japanese descriptions fit its columns.
QString TerminalHelp(const QString& program, const QString& description,
                     const QList<QCommandLineOption>& options, int width = kTerminalHelpWidth);

// Japanese for the errors that QCommandLineParser reports ("Unknown option 'bogus'."). Installed
// into the application (QCoreApplication::installTranslator) while a command line is read; every
// other text is left to the translators installed before it.
class CCommandLineJapanese : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};
