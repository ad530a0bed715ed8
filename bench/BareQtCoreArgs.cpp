#include <QCommandLineParser>
#include <QCoreApplication>

// Starts QtCore and parses its arguments, nothing else.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption("today", "date", "YYYY-MM-DD"));
    parser.addOption(QCommandLineOption("show-age", "flag"));
    parser.process(app);
    return 0;
}
