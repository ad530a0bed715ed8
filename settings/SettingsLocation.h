#pragma once

#include <QString>
#include <functional>

// Where the two settings files live and which of them the profile operations address.
//
// On Unix the files lie beside the program only when the program's folder is a private folder of
// the current user (owned by that user, not writable by group or others: a copy unpacked into
// one's own folder), and never in the folder that an installation puts programs in. Otherwise
// they lie in the per-user configuration folder (UserConfigFolder: none without a usable home
// or configuration folder), which must belong to the current user or not exist yet (it is then
// created readable by its owner only; see IsUsableUserFolder). Where neither folder qualifies
// there are no settings: nothing is read or written. On Windows the files lie beside the program,
// unless that folder cannot be written and holds no settings file yet (an installed copy); then in
// the per-user folder. The choice is made afresh on every call, for reading and writing alike.
class CSettingsLocation {
  public:
    // Tells whether the settings may live in the program's folder.
    using FolderCheck = std::function<bool(const QString& folder)>;

    // programFolder: the executable's folder; userFolder: the per-user fallback folder. Relative
    // folders are taken against the current directory now, so that a later change of the current
    // directory does not move the files. programFolderQualifies defaults to the rule above.
    CSettingsLocation(QString programFolder, QString userFolder,
                      FolderCheck programFolderQualifies = {});

    // The running program's folder and the per-user configuration folder of this application
    // (UserConfigFolder of its name). Needs the application object (QCoreApplication) to exist.
    static CSettingsLocation ForApplication();
    // Exactly the given folder, whoever owns it (a folder named on the command line).
    static CSettingsLocation InFolder(const QString& folder);

    // True when folder exists and this process may create files in it.
    static bool CanWriteFolder(const QString& folder);
    // The default rule for the program's folder.
    static bool ProgramFolderQualifies(const QString& folder);

    // Selects "VesmerDlg.ini" (true) or "Vesmer.ini" (false).
    void SetProfileFile(bool dialogState);

    // Full path of the selected file; empty when there is no folder for the settings.
    QString ProfilePath() const;

    // The folder the files are read from and written to, or empty.
    QString Folder() const;

  private:
    QString m_strProgramFolder;
    QString m_strUserFolder;
    FolderCheck m_programFolderQualifies;
    bool m_bDialogState = false;
};

inline constexpr const char* kHistoryFileName = "Vesmer.ini";
inline constexpr const char* kDialogStateFileName = "VesmerDlg.ini";
