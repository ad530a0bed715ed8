#include <QCoreApplication>

#include "cli/CliProcess.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // The output is written byte for byte: no CR may be added in front of an LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
#ifdef VESMER_PDF_MODULE
    if (AsksForPdf(argc, argv)) return RunInPdfModule(argc, argv, VESMER_PDF_MODULE);
#endif
    const QCoreApplication app(argc, argv);
    return RunCliProcess({});
}
