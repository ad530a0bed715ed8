// The 学歴欄 window and its PDF, timed in the running program: the main window is started as the
// program starts it and computes a 大学院博士 history; then "--runs N" times the 学歴欄 window is
// made, shown and painted (from the button's command to the end of its first paint), and the
// block's PDF is written to a file. Prints the median, the 95th percentile and the first run of
// each in milliseconds.
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/QtServices.h"
#include "app/ResumeBlock.h"
#include "app/ResumeCopy.h"
#include "app/ResumeWindow.h"
#include "app/VesmerApp.h"
#include "app/VesmerDlg.h"
#include "print/ResumeSheet.h"
#include "settings/SettingsLocation.h"

namespace {

// Notes the first paint of the watched window.
class CPaintSeen : public QObject {
  public:
    bool Seen() const { return m_bSeen; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) m_bSeen = true;
        return false;
    }

  private:
    bool m_bSeen = false;
};

void Report(const char* name, std::vector<double> values) {
    const double first = values.front();
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    std::printf("%s median %.3f p95 %.3f first %.3f runs %zu\n", name, values[n / 2],
                values[std::min(n - 1, n * 95 / 100)], first, n);
}

double OpenWindow(CVesmerDlg& dialog, const ResumeWindowServices& services) {
    QElapsedTimer timer;
    timer.start();
    auto* window = new CResumeWindow(dialog.ResumeBlock(), services, &dialog);
    CPaintSeen paint;
    window->installEventFilter(&paint);
    window->show();
    while (!paint.Seen() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    window->removeEventFilter(&paint);
    delete window;
    return ms;
}

void Measure(CVesmerDlg& dialog, int runs) {
    auto* finalSchool = dialog.findChild<QComboBox*>(ControlName(Control::FinalSchool));
    finalSchool->setCurrentIndex(7);
    emit finalSchool->activated(7);
    dialog.findChild<QPushButton*>(ControlName(Control::Calculate))->click();
    CMessageBoxPresenter presenter;
    CFileDialogSavePrompt prompt;
    CSystemClipboard clipboard;
    CPrintDialogResumePrinter printer;
    const ResumeWindowServices services{presenter, prompt, clipboard, printer, QString()};
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("学歴欄.pdf"));
    std::vector<double> open;
    std::vector<double> written;
    for (int i = 0; i < runs; ++i) {
        open.push_back(OpenWindow(dialog, services));
        QElapsedTimer timer;
        timer.start();
        if (!WriteResumePdf(pdf, dialog.ResumeBlock().Rows(), ResumeCalendar::Wareki)) {
            std::fputs("the PDF could not be written\n", stderr);
            std::_Exit(1);
        }
        written.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("resume rows: %zu\n", dialog.ResumeBlock().Rows().size());
    Report("resume_window_open_ms", open);
    Report("resume_pdf_ms", written);
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 30;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    }
    // Settings go to a folder of their own, so that measuring never touches a user's files.
    QTemporaryDir folder;
    CVesmerApp app(argc, argv, CSettingsLocation(folder.path(), folder.path()));
    app.SetFirstShownHook([runs](CVesmerDlg& dialog) {
        Measure(dialog, runs);
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.InitInstance();
}
