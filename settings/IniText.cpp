#include "settings/IniText.h"

#include <cstring>

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

// Position of the first byte c at or after from, or the text's size.
qsizetype FindByte(QByteArrayView text, char c, qsizetype from) {
    const void* found =
        from < text.size() ? std::memchr(text.data() + from, c, text.size() - from) : nullptr;
    return found ? static_cast<const char*>(found) - text.data() : text.size();
}

// The keys asked for by FindValues, filed by length so that a line whose key has no length
// of theirs is passed over after one look-up; the first value offered for a key is kept.
class CKeyTable {
  public:
    explicit CKeyTable(const std::vector<QByteArray>& keys)
        : m_keys(keys), m_values(keys.size()), m_nMissing(keys.size()) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const auto length = static_cast<std::size_t>(keys[i].size());
            if (m_byLength.size() <= length) m_byLength.resize(length + 1);
            m_byLength[length].push_back(i);
        }
    }

    bool Complete() const { return m_nMissing == 0; }
    bool Wants(qsizetype length) const {
        return length > 0 && static_cast<std::size_t>(length) < m_byLength.size() &&
               !m_byLength[static_cast<std::size_t>(length)].empty();
    }

    void Offer(QByteArrayView name, QByteArrayView value) {
        const auto length = static_cast<std::size_t>(name.size());
        if (length >= m_byLength.size()) return;
        for (std::size_t i : m_byLength[length]) {
            if (m_values[i] || !SameName(name, m_keys[i])) continue;
            m_values[i] = Bounded(Unquoted(value)).toByteArray();
            --m_nMissing;
        }
    }

    std::vector<std::optional<QByteArray>> TakeValues() { return std::move(m_values); }

  private:
    const std::vector<QByteArray>& m_keys;
    std::vector<std::vector<std::size_t>> m_byLength;
    std::vector<std::optional<QByteArray>> m_values;
    std::size_t m_nMissing;
};

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
    CKeyTable table(keys);
    bool inSection = false;
    // Lines that cannot matter are passed over after a look at their first character; the
    // others are read as ParseLine reads them.
    const char* data = content.data();
    const qsizetype size = content.size();
    for (qsizetype begin = 0; begin < size && !table.Complete();) {
        qsizetype first = begin;
        while (first < size && IsBlank(data[first])) ++first;
        if (first < size && data[first] == '\n') {
            begin = first + 1;
            continue;
        }
        const qsizetype newline = FindByte(content, '\n', first);
        const char lead = first < newline ? data[first] : ';';
        if (lead == '[') {
            const Line line = ParseLine(content, begin);
            if (line.kind == LineKind::Section) {
                if (inSection) break;
                inSection = SameName(line.name, section);
            } else if (inSection && line.kind == LineKind::Entry) {
                table.Offer(line.name, line.value);
            }
        } else if (inSection && lead != ';') {
            const QByteArrayView text = content.sliced(first, newline - first);
            const qsizetype equals = FindByte(text, '=', 0);
            const QByteArrayView name = Trimmed(text.first(equals < text.size() ? equals : 0));
            if (table.Wants(name.size())) table.Offer(name, Trimmed(text.sliced(equals + 1)));
        }
        begin = newline + 1;
    }
    return table.TakeValues();
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
