#pragma once

#include <QString>
#include <string>
#include <string_view>

// A Windows-style initialization file in code page 932, read and written with the behaviour of
// the platform's private-profile functions. Section and key texts are UTF-8 here.
class CIniFile {
public:
    explicit CIniFile(QString path);

    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Both writes replace the file only when the new content is complete; false when the file
    // could not be written (nothing changed then).
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
    QString m_strPath;
};
