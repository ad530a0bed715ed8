#pragma once

#include <QString>
#include <QTranslator>

// Texts of the command-line programs as they reach a terminal.

// The text with every control character (C0, DEL and C1) written as "\x1B", so that an argument
// echoed in a message cannot move the cursor, change colours or end the line.
QString EscapeControls(const QString& text);

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
