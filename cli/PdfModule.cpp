#include <QGuiApplication>
#include <cstdio>

#include "cli/CliProcess.h"
#include "print/ResumeSheet.h"

namespace {

// Qt's own notes on the platform (no runtime folder, no display) are no concern of a command that
// writes a file; vesmer-cli says what went wrong itself.
void KeepQtNotesOff(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) std::fprintf(stderr, "vesmer-cli: %s\n", qPrintable(message));
}

}  // namespace

// vesmer-cli with the PDF writer: Qt Gui on the offscreen platform, since a PDF needs fonts but
// no display.
extern "C" Q_DECL_EXPORT int VesmerCliWithPdf(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&KeepQtNotesOff);
    const QGuiApplication app(argc, argv);
    return RunCliProcess(&WriteResumePdf);
}
