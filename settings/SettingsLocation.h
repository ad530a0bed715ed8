#pragma once

#include <QString>
#include <functional>

// Where the two settings files live and which of them the profile operations address.
// The files lie in the program's own folder; where that folder cannot be written and holds no
// settings file yet (an installed copy), the per-user configuration folder is used instead.
// The choice is made afresh on every call, for reading and writing alike.
class CSettingsLocation {
  public:
    // Tells whether the process can create files in a folder.
    using FolderCheck = std::function<bool(const QString& folder)>;

    // programFolder: the executable's folder; userFolder: the per-user fallback folder. Relative
    // folders are taken against the current directory now, so that a later change of the current
    // directory does not move the files. canWrite defaults to CanWriteFolder.
    CSettingsLocation(QString programFolder, QString userFolder, FolderCheck canWrite = {});

    // The running program's folder and the per-user configuration folder of this application.
    // Needs the application object (QCoreApplication) to exist.
    static CSettingsLocation ForApplication();

    // True when folder exists and this process may create files in it.
    static bool CanWriteFolder(const QString& folder);

    // Selects "VesmerDlg.ini" (true) or "Vesmer.ini" (false).
    void SetProfileFile(bool dialogState);

    // Full path of the selected file.
    QString ProfilePath() const;

    // The folder the files are read from and written to.
    QString Folder() const;

  private:
    QString m_strProgramFolder;
    QString m_strUserFolder;
    FolderCheck m_canWrite;
    bool m_bDialogState = false;
};

inline constexpr const char* kHistoryFileName = "Vesmer.ini";
inline constexpr const char* kDialogStateFileName = "VesmerDlg.ini";
