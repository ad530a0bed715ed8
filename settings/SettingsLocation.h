#pragma once

#include <QString>

// Where the two settings files live and which of them the profile operations address.
// The files lie in the program's own folder; where that folder cannot be written and holds no
// settings file yet (an installed copy), the per-user configuration folder is used instead.
class CSettingsLocation {
public:
    // programFolder: the executable's folder; userFolder: the per-user fallback folder.
    CSettingsLocation(QString programFolder, QString userFolder);

    // The running program's folder and the per-user configuration folder of this application.
    static CSettingsLocation ForApplication();

    // Selects "VesmerDlg.ini" (true) or "Vesmer.ini" (false).
    void SetProfileFile(bool dialogState);

    // Full path of the selected file.
    QString ProfilePath() const;

    // The folder the files are read from and written to.
    QString Folder() const;

private:
    QString m_strProgramFolder;
    QString m_strUserFolder;
    bool m_bDialogState = false;
};
