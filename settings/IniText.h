#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

// The text of an initialization file as raw code page 932 bytes, searched and edited the way the
// Windows private-profile functions do it:
// - a section starts at a line "[name]" (blanks around the line and the name ignored; text after
//   the closing bracket ignored); only the first section of a name is used;
// - an entry is a line "key=value" inside a section; blanks (space, tab, CR) around key and value
//   are ignored, a value enclosed in matching quotes (" or ') is read without them, the first of
//   duplicate keys wins;
// - section and key names are compared without regard to ASCII letter case; double-byte characters
//   are compared exactly and their second byte is never taken for a bracket or a letter;
// - lines end in LF or CR LF; lines written here end in CR LF.
namespace IniText {

// The longest value returned, as the platform function fills a buffer of 4096 characters.
inline constexpr qsizetype kMaxValueBytes = 4095;

// The value of key in section, or nothing when the section or the key is missing.
std::optional<QByteArray> FindValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key);

// The values of several keys of section, found in one pass over the text: element i is what
// FindValue would give for keys[i]. The pass ends once every key has been found.
std::vector<std::optional<QByteArray>> FindValues(QByteArrayView content, QByteArrayView section,
                                                  const std::vector<QByteArray>& keys);

// Sets key in section to value: replaces the first matching entry line in place, or appends a new
// entry after the last entry of the section, or appends the section with the entry at the end of
// the text. Every other line keeps its bytes. Returns false, leaving content alone, when the names
// or the value cannot be stored (empty names, line breaks, '=' in the key, ']' in the section,
// a key starting with '[' or ';', blanks around the key).
bool SetValue(QByteArray& content, QByteArrayView section, QByteArrayView key,
              QByteArrayView value);

// True when the two names are equal without regard to ASCII letter case.
bool SameName(QByteArrayView a, QByteArrayView b);

}  // namespace IniText
