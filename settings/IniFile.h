#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct WholeFileContent;

// Values of several keys of one section, read with one read of the file and one pass over its
// text. Looking up a key that was not asked for gives the default.
class CIniValues {
  public:
    CIniValues(const WholeFileContent& file, std::string_view section,
               const std::vector<std::string>& keys);

    // The value as a decimal number (blanks, optional sign, digits; clamped to the int range);
    // 0 for a value that does not begin with a number; defaultValue when the file, the section or
    // the key is missing or the value is empty.
    int GetInt(std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view key, std::string_view defaultValue) const;

  private:
    const std::optional<QByteArray>* Find(std::string_view key) const;

    std::vector<std::pair<std::string, std::optional<QByteArray>>> m_values;
};

// A Windows-style initialization file in code page 932, read and written with the behaviour of
// the platform's private-profile functions. Section and key texts are UTF-8 here.
//
// Every call reads the file afresh. A path that is not a regular file (a folder, a device) or a
// file larger than kMaxFileBytes is not a settings file: reads give the defaults and
// WriteIniFilesTogether leaves it alone. Both follow the rules of platform/WholeFile.h (no planted
// links).
class CIniFile {
  public:
    static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

    explicit CIniFile(QString path);

    CIniValues Read(std::string_view section, const std::vector<std::string>& keys) const;
    // One key: see CIniValues.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Key and value pairs of one section, as WriteIniFilesTogether applies them in order.
    using Entries = std::vector<std::pair<std::string, std::string>>;

  private:
    QString m_strPath;
};

// One file of a save of several files.
struct IniFileUpdate {
    QString path;
    std::string_view section;
    CIniFile::Entries entries;
};

// Applies each update to its file and writes the files as one save (WriteWholeFiles), unchanged
// ones included: after an interruption the files hold all the old or all the new values. A file
// that cannot take its update stops the save before anything is written. A missing folder is made
// private (0700) and new files are their owner's only (0600). Returns -1 when all were
// written, otherwise the index of the first file that was not.
int WriteIniFilesTogether(const std::vector<IniFileUpdate>& updates);

// Reads files that WriteIniFilesTogether writes, once each (finishing an interrupted save).
struct IniFileQuery {
    QString path;
    std::string_view section;
    std::vector<std::string> keys;
};
std::vector<CIniValues> ReadIniFilesTogether(const std::vector<IniFileQuery>& queries);
