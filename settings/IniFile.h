#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A Windows-style initialization file in code page 932, read and written with the behaviour of
// the platform's private-profile functions. Section and key texts are UTF-8 here.
//
// Every call reads the file afresh. A path that is not a regular file (a folder, a device) or a
// file larger than kMaxFileBytes is not a settings file: reads give the defaults and writes leave
// it alone.
class CIniFile {
  public:
    static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

    explicit CIniFile(QString path);

    // The value as a decimal number (blanks, optional sign, digits; clamped to the int range);
    // 0 for a value that does not begin with a number; defaultValue when the file, the section or
    // the key is missing or the value is empty.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Both writes replace the file only when the new content is complete; false when the file
    // could not be written (nothing changed then). A missing file and its folder are created; a
    // read-only file (no write permission for owner, group or others) is never replaced, even by a
    // process that could. A file that is written must be replaceable: its folder must be writable.
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Key and value pairs of one section, applied in order as the single writes would apply them,
    // then written as one replacement of the file. A pair whose key cannot be stored is skipped.
    using Entries = std::vector<std::pair<std::string, std::string>>;
    bool WriteStrings(std::string_view section, const Entries& entries);

    const QString& Path() const { return m_strPath; }

  private:
    QString m_strPath;
};
