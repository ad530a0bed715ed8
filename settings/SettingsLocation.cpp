#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/FileSystem.h"
#include "platform/NativePath.h"
#include "platform/UserFolders.h"

namespace {

QString Absolute(const QString& folder) {
    return folder.isEmpty() ? folder : QDir::cleanPath(QDir(folder).absolutePath());
}

#ifdef Q_OS_WIN
bool HoldsSettingsFile(const QString& folder) {
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QLatin1String(kHistoryFileName))).isFile() ||
           QFileInfo(dir.filePath(QLatin1String(kDialogStateFileName))).isFile();
}
#endif

}  // namespace

CSettingsLocation::CSettingsLocation(QString programFolder, QString userFolder,
                                     FolderCheck programFolderQualifies)
    : m_strProgramFolder(Absolute(programFolder)),
      m_strUserFolder(Absolute(userFolder)),
      m_programFolderQualifies(programFolderQualifies
                                   ? std::move(programFolderQualifies)
                                   : FolderCheck(&CSettingsLocation::ProgramFolderQualifies)) {}

CSettingsLocation CSettingsLocation::ForApplication() {
    return CSettingsLocation(ProgramFolder(),
                             UserConfigFolder(QCoreApplication::applicationName()));
}

CSettingsLocation CSettingsLocation::InFolder(const QString& folder) {
    return CSettingsLocation(folder, QString(), [](const QString&) { return true; });
}

bool CSettingsLocation::CanWriteFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

bool CSettingsLocation::ProgramFolderQualifies(const QString& folder) {
#ifdef Q_OS_WIN
    return HoldsSettingsFile(folder) || CanWriteFolder(folder);
#else
    return IsPrivateFolder(folder) && !SameFolder(folder, QString::fromUtf8(VESMER_INSTALL_BINDIR));
#endif
}

void CSettingsLocation::SetProfileFile(bool dialogState) {
    m_bDialogState = dialogState;
}

QString CSettingsLocation::ProfilePath() const {
    const QString folder = Folder();
    if (folder.isEmpty()) return folder;
    return QDir(folder).filePath(
        QLatin1String(m_bDialogState ? kDialogStateFileName : kHistoryFileName));
}

QString CSettingsLocation::Folder() const {
    if (!m_strProgramFolder.isEmpty() && m_programFolderQualifies(m_strProgramFolder))
        return m_strProgramFolder;
#ifdef Q_OS_WIN
    return m_strUserFolder.isEmpty() ? m_strProgramFolder : m_strUserFolder;
#else
    return IsUsableUserFolder(m_strUserFolder) ? m_strUserFolder : QString();
#endif
}
