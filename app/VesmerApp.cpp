#include "app/VesmerApp.h"

#include <QDate>
#include <QEvent>
#include <QTimer>

#include "app/AppIcon.h"
#include "app/DesktopStart.h"
#include "app/QtServices.h"
#include "app/VesmerDlg.h"
#include "export/DetachedProcessStarter.h"
#include "platform/NativePath.h"

namespace {

// Runs a step once, right after the first paint of the dialog has reached the screen.
class CFirstPaintWatcher : public QObject {
  public:
    CFirstPaintWatcher(CVesmerDlg& dialog, std::function<void(CVesmerDlg&)> hook)
        : QObject(&dialog), m_dialog(dialog), m_hook(std::move(hook)) {
        dialog.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Paint && !m_bSeen) {
            m_bSeen = true;
            QTimer::singleShot(0, &m_dialog, [this] { m_hook(m_dialog); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    CVesmerDlg& m_dialog;
    std::function<void(CVesmerDlg&)> m_hook;
    bool m_bSeen = false;
};

}  // namespace

CVesmerApp::CVesmerApp(int& argc, char** argv) : QApplication(argc, argv) {
    SetUpApplication();
    m_location.emplace(CSettingsLocation::ForApplication());
}

CVesmerApp::CVesmerApp(int& argc, char** argv, const CSettingsLocation& location)
    : QApplication(argc, argv) {
    SetUpApplication();
    m_location.emplace(location);
}

CVesmerApp::~CVesmerApp() = default;

void CVesmerApp::SetUpApplication() {
    setApplicationName(QString::fromUtf8(kApplicationTitle));
    setApplicationVersion(QString::fromUtf8(kVersionText));
    setDesktopFileName(QStringLiteral("vesmer"));
    InstallQtJapanese(*this);
}

void CVesmerApp::SetFirstShownHook(std::function<void(CVesmerDlg&)> hook) {
    m_firstShown = std::move(hook);
}

int CVesmerApp::InitInstance() {
    CMessageBoxPresenter presenter;
    CFileDialogSavePrompt savePrompt;
    CDesktopFileOpener fileOpener;
    CDetachedProcessStarter processStarter;
    const VesmerDlgServices services{
        presenter,
        *m_location,
        savePrompt,
        fileOpener,
        processStarter,
        [] {
            const QDate today = QDate::currentDate();
            return CivilDate{today.year(), today.month(), today.day()};
        },
        SaveFolder(),
        ProgramFolder(),
    };
    CVesmerDlg dialog(services);
    presenter.SetOwner(&dialog);
    savePrompt.SetOwner(&dialog);
    // The icon is decoded once the window shows its content, which then comes up sooner. A
    // filter installed later sees the paint first, so the hook runs before the icon is set.
    new CFirstPaintWatcher(dialog, [](CVesmerDlg&) { setWindowIcon(AppIcon()); });
    if (m_firstShown) new CFirstPaintWatcher(dialog, m_firstShown);
    // However the dialog ends, the program ends.
    dialog.exec();
    return 0;
}
