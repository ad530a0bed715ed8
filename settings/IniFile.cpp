#include "settings/IniFile.h"

#include "engine/NumberText.h"
#include "platform/Cp932.h"
#include "platform/WholeFile.h"
#include "settings/IniText.h"

namespace {

// The content with the entries applied, or nothing when the file is no settings file or the
// result would be too large. allStored tells whether every entry could be stored.
std::optional<QByteArray> Updated(const WholeFileContent& file, std::string_view section,
                                  const CIniFile::Entries& entries, bool& allStored) {
    allStored = true;
    if (file.state == FileRead::Unusable) return std::nullopt;
    QByteArray updated = file.bytes;
    const QByteArray sectionBytes = ToCp932(section);
    for (const auto& [key, value] : entries) {
        const bool stored = IniText::SetValue(updated, sectionBytes, ToCp932(key), ToCp932(value));
        allStored = allStored && stored;
    }
    if (updated.size() > CIniFile::kMaxFileBytes) return std::nullopt;
    return updated;
}

}  // namespace

CIniValues::CIniValues(const WholeFileContent& file, std::string_view section,
                       const std::vector<std::string>& keys) {
    std::vector<QByteArray> keyBytes;
    for (const std::string& key : keys) keyBytes.push_back(ToCp932(key));
    std::vector<std::optional<QByteArray>> values(keys.size());
    if (file.state == FileRead::Read)
        values = IniText::FindValues(file.bytes, ToCp932(section), keyBytes);
    for (std::size_t i = 0; i < keys.size(); ++i)
        m_values.emplace_back(keys[i], std::move(values[i]));
}

const std::optional<QByteArray>* CIniValues::Find(std::string_view key) const {
    for (const auto& [name, value] : m_values) {
        if (name == key) return &value;
    }
    return nullptr;
}

int CIniValues::GetInt(std::string_view key, int defaultValue) const {
    const std::optional<QByteArray>* value = Find(key);
    if (!value || !*value || (*value)->isEmpty()) return defaultValue;
    return ParseLeadingInt(std::string_view((*value)->constData(), (*value)->size()));
}

std::string CIniValues::GetString(std::string_view key, std::string_view defaultValue) const {
    const std::optional<QByteArray>* value = Find(key);
    if (!value || !*value) return std::string(defaultValue);
    return FromCp932(**value);
}

CIniFile::CIniFile(QString path) : m_strPath(std::move(path)) {}

CIniValues CIniFile::Read(std::string_view section, const std::vector<std::string>& keys) const {
    return CIniValues(ReadWholeFile(m_strPath, kMaxFileBytes), section, keys);
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    return Read(section, {std::string(key)}).GetInt(key, defaultValue);
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return Read(section, {std::string(key)}).GetString(key, defaultValue);
}

int WriteIniFilesTogether(const std::vector<IniFileUpdate>& updates) {
    std::vector<QString> paths;
    for (const IniFileUpdate& update : updates) paths.push_back(update.path);
    const std::vector<WholeFileContent> files = ReadWholeFiles(paths, CIniFile::kMaxFileBytes);
    std::vector<WholeFileWrite> writes;
    for (std::size_t i = 0; i < updates.size(); ++i) {
        bool allStored = true;
        std::optional<QByteArray> updated =
            Updated(files[i], updates[i].section, updates[i].entries, allStored);
        if (!updated || !allStored || !MakePrivateFolder(FolderOf(paths[i])))
            return static_cast<int>(i);
        // Written even when unchanged: every save of the pair is a whole save of both.
        writes.push_back({paths[i], std::move(*updated)});
    }
    return WriteWholeFiles(writes, NewFileMode::OwnerOnly);
}

std::vector<CIniValues> ReadIniFilesTogether(const std::vector<IniFileQuery>& queries) {
    std::vector<QString> paths;
    for (const IniFileQuery& query : queries) paths.push_back(query.path);
    const std::vector<WholeFileContent> files = ReadWholeFiles(paths, CIniFile::kMaxFileBytes);
    std::vector<CIniValues> values;
    for (std::size_t i = 0; i < queries.size(); ++i)
        values.emplace_back(files[i], queries[i].section, queries[i].keys);
    return values;
}
