#pragma once

#include <QApplication>
#include <functional>
#include <optional>

#include "settings/SettingsLocation.h"

class CVesmerDlg;

// The application: holds where the settings files live, runs the main dialog modally and ends
// when it closes.
class CVesmerApp : public QApplication {
    Q_OBJECT
  public:
    // Settings beside the executable (or in the per-user folder for an installed copy).
    CVesmerApp(int& argc, char** argv);
    // Settings in the given place (start-up measurements).
    CVesmerApp(int& argc, char** argv, const CSettingsLocation& location);
    ~CVesmerApp() override;

    // Runs the main dialog until it is closed; the result is the program's exit status.
    int InitInstance();

    CSettingsLocation& Location() { return *m_location; }

    // Called once, right after the main dialog has been painted for the first time.
    void SetFirstShownHook(std::function<void(CVesmerDlg&)> hook);

  private:
    void SetUpApplication();

    std::optional<CSettingsLocation> m_location;
    std::function<void(CVesmerDlg&)> m_firstShown;
};
