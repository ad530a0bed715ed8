#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "engine/NumberText.h"
#include "platform/Cp932.h"
#include "platform/WholeFile.h"
#include "settings/IniText.h"

namespace {

enum class FileState { Missing, Read, Unusable };

// Reads the whole file, bounded by kMaxFileBytes. Unusable: the path exists but is not a settings
// file that can be read (a folder, a device, too large, no read permission).
FileState ReadContent(const QString& path, QByteArray& content) {
    content.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return FileState::Missing;
    if (!info.isFile() || info.size() > CIniFile::kMaxFileBytes) return FileState::Unusable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return FileState::Unusable;
    content = file.read(CIniFile::kMaxFileBytes + 1);
    if (content.size() > CIniFile::kMaxFileBytes || file.error() != QFileDevice::NoError) {
        content.clear();
        return FileState::Unusable;
    }
    return FileState::Read;
}

std::optional<QByteArray> ReadValue(const QString& path, std::string_view section,
                                    std::string_view key) {
    QByteArray content;
    if (ReadContent(path, content) != FileState::Read) return std::nullopt;
    return IniText::FindValue(content, ToCp932(section), ToCp932(key));
}

bool WriteValues(const QString& path, std::string_view section, const CIniFile::Entries& entries) {
    QByteArray content;
    const FileState state = ReadContent(path, content);
    if (state == FileState::Unusable) return false;

    QByteArray updated = content;
    const QByteArray sectionBytes = ToCp932(section);
    bool allStored = true;
    for (const auto& [key, value] : entries) {
        const bool stored = IniText::SetValue(updated, sectionBytes, ToCp932(key), ToCp932(value));
        allStored = allStored && stored;
    }
    if (state == FileState::Read && updated == content) return allStored;
    if (updated.size() > CIniFile::kMaxFileBytes) return false;

    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) return false;
    return WriteWholeFile(path, updated) && allStored;
}

}  // namespace

CIniFile::CIniFile(QString path) : m_strPath(std::move(path)) {}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<QByteArray> value = ReadValue(m_strPath, section, key);
    if (!value || value->isEmpty()) return defaultValue;
    return ParseLeadingInt(std::string_view(value->constData(), value->size()));
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::optional<QByteArray> value = ReadValue(m_strPath, section, key);
    if (!value) return std::string(defaultValue);
    return FromCp932(*value);
}

bool CIniFile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteValues(m_strPath, section, Entries{{std::string(key), std::string(value)}});
}

bool CIniFile::WriteStrings(std::string_view section, const Entries& entries) {
    return WriteValues(m_strPath, section, entries);
}
