#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString Absolute(const QString& folder) {
    return folder.isEmpty() ? folder : QDir::cleanPath(QDir(folder).absolutePath());
}

bool HoldsSettingsFile(const QString& folder) {
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QLatin1String(kHistoryFileName))).isFile() ||
           QFileInfo(dir.filePath(QLatin1String(kDialogStateFileName))).isFile();
}

}  // namespace

CSettingsLocation::CSettingsLocation(QString programFolder, QString userFolder,
                                     FolderCheck canWrite)
    : m_strProgramFolder(Absolute(programFolder)),
      m_strUserFolder(Absolute(userFolder)),
      m_canWrite(canWrite ? std::move(canWrite) : FolderCheck(&CSettingsLocation::CanWriteFolder)) {
}

CSettingsLocation CSettingsLocation::ForApplication() {
    return CSettingsLocation(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

bool CSettingsLocation::CanWriteFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

void CSettingsLocation::SetProfileFile(bool dialogState) {
    m_bDialogState = dialogState;
}

QString CSettingsLocation::ProfilePath() const {
    return QDir(Folder()).filePath(
        QLatin1String(m_bDialogState ? kDialogStateFileName : kHistoryFileName));
}

QString CSettingsLocation::Folder() const {
    if (m_strUserFolder.isEmpty()) return m_strProgramFolder;
    if (m_strProgramFolder.isEmpty()) return m_strUserFolder;
    if (HoldsSettingsFile(m_strProgramFolder) || m_canWrite(m_strProgramFolder))
        return m_strProgramFolder;
    return m_strUserFolder;
}
