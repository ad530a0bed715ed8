#include "cli/CliProcess.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "cli/CliRunner.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "platform/TerminalText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

bool WriteAll(std::FILE* stream, const QByteArray& bytes) {
    if (!bytes.isEmpty() &&
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) !=
            static_cast<std::size_t>(bytes.size()))
        return false;
    return std::fflush(stream) == 0;
}

// The module's entry point, or nullptr when it cannot be loaded. The module stays loaded until
// the process ends.
CliModuleEntry LoadEntry(const QString& path) {
#ifdef _WIN32
    HMODULE module = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (!module) return nullptr;
    return reinterpret_cast<CliModuleEntry>(GetProcAddress(module, kCliModuleEntry));
#else
    void* module = dlopen(EncodeNativePath(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return nullptr;
    return reinterpret_cast<CliModuleEntry>(dlsym(module, kCliModuleEntry));
#endif
}

}  // namespace

int RunCliProcess(const ResumePdfWriter& writePdf) {
    if (!Cp932Available()) {
        std::fprintf(stderr, "vesmer-cli: %s\n", kCp932MissingMessage);
        return kExitOutputFailed;
    }
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty()) arguments.removeFirst();
    const QDate now = QDate::currentDate();
    QByteArray out;
    QByteArray err;
    int status = RunCli(arguments, CivilDate{now.year(), now.month(), now.day()}, out, err,
                        writePdf, HelpWidth(std::getenv("COLUMNS")));
    if (!WriteAll(stdout, out)) {
        err += "vesmer-cli: 出力を書き込めませんでした。\n";
        status = kExitOutputFailed;
    }
    WriteAll(stderr, err);
    return status;
}

bool AsksForPdf(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") return false;
        if (argument == "--pdf" || argument == "-pdf" || argument.starts_with("--pdf=") ||
            argument.starts_with("-pdf="))
            return true;
    }
    return false;
}

int RunInPdfModule(int argc, char* argv[], const char* modulePath) {
    QString path;
    {
        const QCoreApplication probe(argc, argv);
        const QString folder = ProgramFolder();
        if (!folder.isEmpty()) path = folder + u'/' + QString::fromUtf8(modulePath);
    }
    const CliModuleEntry entry = IsSafeToLoad(path) ? LoadEntry(path) : nullptr;
    if (entry) return entry(argc, argv);
    const QString shown =
        path.isEmpty() ? QString::fromUtf8(modulePath) : QString::fromStdString(DisplayPath(path));
    std::fprintf(stderr, "vesmer-cli: PDF を書き出すモジュール %s を読み込めません（--pdf）。\n",
                 EscapeControls(shown).toUtf8().constData());
    return kExitOutputFailed;
}
