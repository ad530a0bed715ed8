// The main window's start-up as the program runs it, ended right after the first paint.
// With "--calculate N" it first presses Calculate N times and prints the time from the press to
// the repainted history box: median and maximum in milliseconds. "--hold MS" keeps the window
// open that long before ending it (for screenshots).
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "VesmerApp.h"
#include "VesmerDlg.h"

int main(int argc, char* argv[]) {
    int calculations = 0;
    int holdMs = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--calculate") == 0) calculations = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--hold") == 0) holdMs = std::atoi(argv[i + 1]);
    }
    // Settings go to a folder of their own, so that measuring never touches a user's files.
    QTemporaryDir settings;
    CVesmerApp app(argc, argv, CSettingsLocation(settings.path(), settings.path()));
    app.SetFirstShownHook([calculations, holdMs](CVesmerDlg& dialog) {
        if (calculations > 0) {
            auto* calculate = dialog.findChild<QPushButton*>(QStringLiteral("1"));
            auto* box = dialog.findChild<QPlainTextEdit*>(QStringLiteral("1004"));
            // The age box flips between runs, so that every press shows a new text.
            auto* showAge = dialog.findChild<QCheckBox*>(QStringLiteral("1044"));
            std::vector<double> times;
            QElapsedTimer timer;
            for (int i = 0; i < calculations; ++i) {
                showAge->setChecked(!showAge->isChecked());
                timer.start();
                calculate->click();
                box->viewport()->repaint();
                times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            }
            std::sort(times.begin(), times.end());
            std::printf("calculate_ms median %.3f max %.3f runs %d\n", times[times.size() / 2],
                        times.back(), calculations);
        }
        QTimer::singleShot(holdMs, &dialog, &QWidget::close);
    });
    return app.InitInstance();
}
