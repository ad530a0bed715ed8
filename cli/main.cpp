#include <QCoreApplication>
#include <QDate>
#include <cstdio>

#include "cli/CliRunner.h"
#include "platform/Cp932.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

bool WriteAll(std::FILE* stream, const QByteArray& bytes) {
    if (!bytes.isEmpty() &&
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) !=
            static_cast<std::size_t>(bytes.size()))
        return false;
    return std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
#ifdef _WIN32
    // The output is written byte for byte: no CR may be added in front of an LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (!Cp932Available()) {
        std::fprintf(stderr, "vesmer-cli: %s\n", kCp932MissingMessage);
        return kExitOutputFailed;
    }
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty()) arguments.removeFirst();

    const QDate now = QDate::currentDate();
    QByteArray out;
    QByteArray err;
    int status = RunCli(arguments, CivilDate{now.year(), now.month(), now.day()}, out, err);
    if (!WriteAll(stdout, out)) {
        err += "vesmer-cli: the output could not be written\n";
        status = kExitOutputFailed;
    }
    WriteAll(stderr, err);
    return status;
}
