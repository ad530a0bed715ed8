#include "settings/ResumeFile.h"

#include <QDir>
#include <QStringDecoder>
#include <set>

#include "input/EventInputs.h"
#include "platform/FileSystem.h"
#include "platform/WholeFile.h"
#include "settings/SettingsLocation.h"

namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

QByteArray Utf8(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A typed text as one line of valid UTF-8.
QByteArray LineValue(const std::string& text) {
    QString value = QString::fromStdString(text);
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value.toUtf8();
}

QByteArray StoredValue(const ResumeInputs& inputs, const ResumeField& field) {
    if (const std::string* text = ResumeText(inputs, field)) return LineValue(*text);
    const int value = *ResumeNumber(const_cast<ResumeInputs&>(inputs), field);
    if (value >= 0 && static_cast<std::size_t>(value) < field.items.size())
        return Utf8(field.items[static_cast<std::size_t>(value)]);
    return QByteArray::number(value);
}

// A list's item text or index, or the check box's 1 or 0; anything else keeps the default.
void ReadNumber(const ResumeField& field, const QByteArray& value, int& member) {
    const qsizetype count = field.items.empty() ? 2 : static_cast<qsizetype>(field.items.size());
    for (qsizetype i = 0; i < static_cast<qsizetype>(field.items.size()); ++i) {
        if (value == Utf8(field.items[static_cast<std::size_t>(i)])) {
            member = static_cast<int>(i);
            return;
        }
    }
    bool number = false;
    const int index = value.toInt(&number);
    if (number && value.front() >= '0' && value.front() <= '9' && index < count) member = index;
}

bool IsUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

QByteArray ResumeFileBytes(const ResumeInputs& inputs) {
    QByteArray bytes = "[" + Utf8(kResumeSection) + "]\n";
    for (const ResumeField& field : ResumeSchema())
        bytes += Utf8(field.name) + "=" + StoredValue(inputs, field) + "\n";
    for (const auto& [key, value] : StoredEventValues(inputs.m_aEvents))
        bytes += Utf8(key) + "=" + LineValue(value) + "\n";
    return bytes;
}

std::optional<ResumeInputs> ParseResumeFile(const QByteArray& bytes) {
    QByteArrayView text = bytes;
    if (text.startsWith(kByteOrderMark)) text = text.sliced(kByteOrderMark.size());
    if (!IsUtf8(text)) return std::nullopt;
    ResumeInputs inputs;
    std::vector<bool> seen(ResumeSchema().size());
    std::set<QByteArray> seenEventKeys;
    CStoredEventRows events;
    bool inSection = false;
    for (QByteArray line : text.toByteArray().split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.trimmed().startsWith('[')) {
            inSection = line.trimmed() == "[" + Utf8(kResumeSection) + "]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0) continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1);
        const ResumeField* field = FindResumeField(key.toStdString());
        // The first of duplicate keys counts.
        if (!field) {
            if (seenEventKeys.insert(key).second)
                events.Read(key.toStdString(), value.toStdString());
            continue;
        }
        const auto index = static_cast<std::size_t>(field - ResumeSchema().data());
        if (seen[index]) continue;
        seen[index] = true;
        if (std::string* member = ResumeText(inputs, *field))
            *member = value.toStdString();
        else
            ReadNumber(*field, value.trimmed(), *ResumeNumber(inputs, *field));
    }
    inputs.m_aEvents = events.Rows();
    return inputs;
}

QString ResumeFilePath(const CSettingsLocation& location) {
    const QString folder = location.Folder();
    return folder.isEmpty() ? folder : QDir(folder).filePath(QLatin1String(kResumeFileName));
}

CResumeStore::CResumeStore(CSettingsLocation& location) : m_location(location) {}

QString CResumeStore::Path() const {
    return ResumeFilePath(m_location);
}

ResumeFileLoad CResumeStore::Load() {
    m_stored.reset();
    ResumeFileLoad load;
    load.path = Path();
    if (load.path.isEmpty()) return load;
    const WholeFileContent file = ReadWholeFile(load.path, kMaxResumeFileBytes);
    std::optional<ResumeInputs> inputs;
    if (file.state == FileRead::Missing)
        inputs = ResumeInputs{};
    else if (file.state == FileRead::Read)
        inputs = ParseResumeFile(file.bytes);
    if (!inputs) {
        load.state = ResumeFileState::Unreadable;
        return load;
    }
    load.state = file.state == FileRead::Missing ? ResumeFileState::Missing : ResumeFileState::Read;
    load.inputs = *inputs;
    m_stored = *inputs;
    return load;
}

ResumeFileSave CResumeStore::Save(const ResumeInputs& inputs, bool replaceUnreadable) {
    if (m_stored == inputs) return ResumeFileSave::Written;
    const QString path = Path();
    if (path.isEmpty()) return ResumeFileSave::NoFolder;
    const WholeFileContent file = ReadWholeFile(path, kMaxResumeFileBytes);
    const bool readable = file.state == FileRead::Missing ||
                          (file.state == FileRead::Read && ParseResumeFile(file.bytes));
    if (!readable && !replaceUnreadable) return ResumeFileSave::Unreadable;
    // A file too large to be read back (a huge text pasted) would cost every choice at the next
    // start: the one there is kept instead.
    const QByteArray bytes = ResumeFileBytes(inputs);
    if (bytes.size() > kMaxResumeFileBytes || !MakePrivateFolder(FolderOf(path)) ||
        !WriteWholeFile(path, bytes, NewFileMode::OwnerOnly))
        return ResumeFileSave::Failed;
    m_stored = inputs;
    return ResumeFileSave::Written;
}
