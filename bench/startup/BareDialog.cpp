// Baseline for the start-up measurement: a Qt dialog with one button. The process ends right
// after the first paint, as the start-up probe of the main window does.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

namespace {

class CBareDialog : public QDialog {
  public:
    CBareDialog() {
        auto* button = new QPushButton(QStringLiteral("OK"), this);
        button->setGeometry(10, 10, 80, 24);
        connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_bPainted) {
            m_bPainted = true;
            QTimer::singleShot(0, this, [] { std::_Exit(0); });
        }
        return QDialog::event(event);
    }

  private:
    bool m_bPainted = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CBareDialog dialog;
    dialog.exec();
    return 0;
}
