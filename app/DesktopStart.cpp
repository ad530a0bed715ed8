#include "app/DesktopStart.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/Version.h"

bool DisplayAvailable(const std::function<const char*(const char*)>& getEnv) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    (void)getEnv;
    return true;
#else
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = getEnv(name);
        if (value && *value) return true;
    }
    return false;
#endif
}

bool InstallQtJapanese(QCoreApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* translator = new QTranslator(&app);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::optional<std::string> TerminalAnswer(int argc, const char* const argv[],
                                          std::string_view program, std::string_view help) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") return std::string(help);
        if (argument == "--version" || argument == "-v")
            return std::string(program) + " " + kVersionText + "\n";
    }
    return std::nullopt;
}
