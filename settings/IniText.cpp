#include "settings/IniText.h"

namespace IniText {
namespace {

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Length of the character starting at position: 2 for a lead byte followed by a trail byte.
qsizetype CharLength(QByteArrayView text, qsizetype position) {
    if (position + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[position])) &&
        IsTrailByte(static_cast<unsigned char>(text[position + 1])))
        return 2;
    return 1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView Trimmed(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.sliced(begin, end - begin);
}

// Position of the first single-byte character c, or -1.
qsizetype FindChar(QByteArrayView text, char c) {
    for (qsizetype i = 0; i < text.size(); i += CharLength(text, i)) {
        if (text[i] == c) return i;
    }
    return -1;
}

bool HasLineBreak(QByteArrayView text) {
    return text.contains('\r') || text.contains('\n');
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct Line {
    qsizetype begin = 0;  // first byte
    qsizetype next = 0;   // first byte after the line break (the text's size for the last line)
    LineKind kind = LineKind::Other;
    QByteArrayView name;   // section name or key
    QByteArrayView value;  // entry value
};

Line ParseLine(QByteArrayView content, qsizetype begin) {
    Line line;
    line.begin = begin;
    qsizetype end = content.sliced(begin).indexOf('\n');
    end = end < 0 ? content.size() : begin + end;
    line.next = end < content.size() ? end + 1 : end;

    const QByteArrayView text = Trimmed(content.sliced(begin, end - begin));
    if (text.isEmpty()) {
        line.kind = LineKind::Blank;
        return line;
    }
    if (text.front() == ';') {
        line.kind = LineKind::Comment;
        return line;
    }
    if (text.front() == '[') {
        const qsizetype close = FindChar(text.sliced(1), ']');
        if (close >= 0) {
            line.kind = LineKind::Section;
            line.name = Trimmed(text.sliced(1, close));
            return line;
        }
    }
    const qsizetype equals = text.indexOf('=');
    if (equals > 0) {
        line.name = Trimmed(text.first(equals));
        if (!line.name.isEmpty()) {
            line.kind = LineKind::Entry;
            line.value = Trimmed(text.sliced(equals + 1));
        }
    }
    return line;
}

QByteArrayView Unquoted(QByteArrayView value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        return value.sliced(1, value.size() - 2);
    return value;
}

// The value cut to kMaxValueBytes without splitting a double-byte character.
QByteArrayView Bounded(QByteArrayView value) {
    if (value.size() <= kMaxValueBytes) return value;
    qsizetype end = 0;
    while (end < value.size()) {
        const qsizetype length = CharLength(value, end);
        if (end + length > kMaxValueBytes) break;
        end += length;
    }
    return value.first(end);
}

// Where a search for a key in a section ended.
struct Position {
    bool sectionFound = false;
    qsizetype appendAt = 0;  // after the section's last entry, or after its header line
    std::optional<Line> entry;
};

Position Locate(QByteArrayView content, QByteArrayView section, QByteArrayView key) {
    Position position;
    bool inSection = false;
    for (qsizetype begin = 0; begin < content.size();) {
        const Line line = ParseLine(content, begin);
        begin = line.next;
        if (line.kind == LineKind::Section) {
            if (inSection) break;
            if (!position.sectionFound && SameName(line.name, section)) {
                position.sectionFound = true;
                inSection = true;
                position.appendAt = line.next;
            }
            continue;
        }
        if (!inSection || line.kind == LineKind::Blank || line.kind == LineKind::Comment) continue;
        position.appendAt = line.next;
        if (line.kind == LineKind::Entry && SameName(line.name, key)) {
            position.entry = line;
            break;
        }
    }
    return position;
}

bool ValidSection(QByteArrayView section) {
    return !section.isEmpty() && !HasLineBreak(section) && FindChar(section, ']') < 0 &&
           Trimmed(section).size() == section.size();
}

bool ValidKey(QByteArrayView key) {
    return !key.isEmpty() && !HasLineBreak(key) && !key.contains('=') && key.front() != '[' &&
           key.front() != ';' && Trimmed(key).size() == key.size();
}

}  // namespace

bool SameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size();) {
        const qsizetype length = CharLength(a, i);
        if (length == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<QByteArray> FindValue(QByteArrayView content, QByteArrayView section,
                                    QByteArrayView key) {
    const Position position = Locate(content, section, key);
    if (!position.entry) return std::nullopt;
    return Bounded(Unquoted(position.entry->value)).toByteArray();
}

std::vector<std::optional<QByteArray>> FindValues(QByteArrayView content, QByteArrayView section,
                                                  const std::vector<QByteArray>& keys) {
    std::vector<std::optional<QByteArray>> values(keys.size());
    // The keys by their length, so that most lines are passed over after one look-up.
    std::vector<std::vector<std::size_t>> byLength;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto length = static_cast<std::size_t>(keys[i].size());
        if (byLength.size() <= length) byLength.resize(length + 1);
        byLength[length].push_back(i);
    }
    std::size_t missing = keys.size();
    bool inSection = false;
    for (qsizetype begin = 0; begin < content.size() && missing > 0;) {
        const Line line = ParseLine(content, begin);
        begin = line.next;
        if (line.kind == LineKind::Section) {
            if (inSection) break;
            inSection = SameName(line.name, section);
            continue;
        }
        const auto length = static_cast<std::size_t>(line.name.size());
        if (!inSection || line.kind != LineKind::Entry || length >= byLength.size()) continue;
        for (std::size_t i : byLength[length]) {
            if (values[i] || !SameName(line.name, keys[i])) continue;
            values[i] = Bounded(Unquoted(line.value)).toByteArray();
            --missing;
        }
    }
    return values;
}

bool SetValue(QByteArray& content, QByteArrayView section, QByteArrayView key,
              QByteArrayView value) {
    if (!ValidSection(section) || !ValidKey(key) || HasLineBreak(value)) return false;

    QByteArray entry;
    entry.reserve(key.size() + value.size() + 3);
    entry.append(key).append('=').append(value).append("\r\n");

    const Position position = Locate(content, section, key);
    if (position.entry) {
        content.replace(position.entry->begin, position.entry->next - position.entry->begin, entry);
        return true;
    }
    if (position.sectionFound) {
        // Only the text's last line can lack its line break.
        if (position.appendAt > 0 && content[position.appendAt - 1] != '\n') entry.prepend("\r\n");
        content.insert(position.appendAt, entry);
        return true;
    }
    if (!content.isEmpty() && !content.endsWith('\n')) content.append("\r\n");
    content.append('[').append(section).append("]\r\n").append(entry);
    return true;
}

}  // namespace IniText
