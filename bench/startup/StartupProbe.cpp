// The main window's start-up as the program runs it. The process ends right after the first
// paint, so that its run time is the time to the first shown window ("--settings DIR": where
// the settings files are looked for and written; a temporary folder otherwise).
//
// "--calculate N" first presses Calculate N times (the age box flips between presses, so that
// every press shows a new text) and prints two timings in milliseconds: from the press to the
// history box painted with the new text, and the whole command including the saving of the
// settings files. "--hold MS" keeps the window open that long before ending it (screenshots),
// then the window is closed as the user closes it.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "app/VesmerApp.h"
#include "app/VesmerDlg.h"
#include "app/WindowSystemGuard.h"

namespace {

// Notes when the watched widget starts its first paint after Arm().
class CPaintClock : public QObject {
  public:
    explicit CPaintClock(const QElapsedTimer& timer) : m_timer(timer) {}
    void Arm() { m_nPaintNs = -1; }
    qint64 PaintNs() const { return m_nPaintNs; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_nPaintNs < 0) m_nPaintNs = m_timer.nsecsElapsed();
        return false;
    }

  private:
    const QElapsedTimer& m_timer;
    qint64 m_nPaintNs = -1;
};

struct Summary {
    double median;
    double p95;
    double max;
};

Summary Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return {values[n / 2], values[std::min(n - 1, n * 95 / 100)], values.back()};
}

void MeasureCalculate(CVesmerDlg& dialog, int runs) {
    auto* calculate = dialog.findChild<QPushButton*>(ControlName(Control::Calculate));
    auto* box = dialog.findChild<QPlainTextEdit*>(ControlName(Control::HistoryText));
    auto* showAge = dialog.findChild<QCheckBox*>(ControlName(Control::ShowAge));
    QElapsedTimer timer;
    CPaintClock clock(timer);
    box->viewport()->installEventFilter(&clock);
    std::vector<double> shown;
    std::vector<double> total;
    QElapsedTimer paint;
    for (int i = 0; i < runs; ++i) {
        showAge->setChecked(!showAge->isChecked());
        clock.Arm();
        timer.start();
        calculate->click();
        const qint64 totalNs = timer.nsecsElapsed();
        // The paint that began inside the command, plus how long such a paint takes.
        paint.start();
        box->viewport()->repaint();
        const qint64 paintNs = paint.nsecsElapsed();
        const qint64 startNs = clock.PaintNs() >= 0 ? clock.PaintNs() : totalNs;
        shown.push_back(static_cast<double>(startNs + paintNs) / 1e6);
        total.push_back(static_cast<double>(totalNs) / 1e6);
    }
    box->viewport()->removeEventFilter(&clock);
    const Summary s = Summarise(shown);
    const Summary t = Summarise(total);
    std::printf("calculate_to_shown_ms median %.3f p95 %.3f max %.3f\n", s.median, s.p95, s.max);
    std::printf("calculate_total_ms median %.3f p95 %.3f max %.3f runs %d\n", t.median, t.p95,
                t.max, runs);
}

}  // namespace

int main(int argc, char* argv[]) {
    int calculations = 0;
    int holdMs = -1;
    const char* settingsFolder = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--calculate") == 0) calculations = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--hold") == 0) holdMs = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--settings") == 0) settingsFolder = argv[i + 1];
    }
    // Settings go to a folder of their own, so that measuring never touches a user's files.
    QTemporaryDir temporary;
    const QString folder =
        settingsFolder ? QString::fromLocal8Bit(settingsFolder) : temporary.path();
    // Made as main() makes it, so that the measurement includes the watch over the display.
    std::optional<CWindowSystemGuard> guard(std::in_place);
    CVesmerApp app(argc, argv, CSettingsLocation(folder, folder));
    guard.reset();
    app.SetFirstShownHook([calculations, holdMs](CVesmerDlg& dialog) {
        if (calculations > 0) MeasureCalculate(dialog, calculations);
        if (holdMs < 0 && calculations == 0) {
            // Start-up ends here; tearing the window down is not part of it.
            std::fflush(stdout);
            std::_Exit(0);
        }
        QTimer::singleShot(std::max(holdMs, 0), &dialog, &QWidget::close);
    });
    return app.InitInstance();
}
