#include <QApplication>
#include <QDate>
#include <cstdio>
#include <cstdlib>

#include "app/DesktopStart.h"
#include "app/MessageBox.h"
#include "platform/TerminalText.h"
#include "platform/Version.h"
#include "tosvel/TosvelCli.h"
#include "tosvel/TosvelDlg.h"
#include "tosvel/TosvelIcon.h"

namespace {

constexpr const char* kNoDisplay =
    "ウィンドウを開くディスプレイがありません（DISPLAY と WAYLAND_DISPLAY が設定されていません）。"
    "コマンドラインでの変換は Tosvel --help で表示されます。";

bool WriteAll(std::FILE* stream, const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) ==
               static_cast<std::size_t>(bytes.size()) &&
           std::fflush(stream) == 0;
}

// With arguments Tosvel is a command-line program and needs no display.
int RunCommandLine(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QByteArray out;
    QByteArray err;
    int status = RunTosvelCli(arguments, out, err, HelpWidth(std::getenv("COLUMNS")));
    if (!WriteAll(stdout, out)) {
        err += kTosvelOutputFailed;
        status = kTosvelExitOutputFailed;
    }
    WriteAll(stderr, err);
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1) return RunCommandLine(argc, argv);
    if (!DisplayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "Tosvel: %s\n", kNoDisplay);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tosvel"));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("tosvel"));
    QApplication::setWindowIcon(TosvelIcon());
    InstallQtJapanese(app);
    const QDate now = QDate::currentDate();
    CMessageBoxPresenter presenter;
    CTosvelDlg dialog(CivilDate{now.year(), now.month(), now.day()}, TosvelStateFolder(),
                      presenter);
    presenter.SetOwner(&dialog);
    dialog.exec();
    return 0;
}
