#include "settings/ResumeFile.h"

#include <QDir>
#include <QStringDecoder>

#include "platform/FileSystem.h"
#include "platform/MessagePresenter.h"
#include "platform/NativePath.h"
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

QString Quoted(const QString& path) {
    return QStringLiteral("「%1」").arg(QString::fromStdString(DisplayPath(path)));
}

}  // namespace

QByteArray ResumeFileBytes(const ResumeInputs& inputs) {
    QByteArray bytes = "[" + Utf8(kResumeSection) + "]\n";
    for (const ResumeField& field : ResumeSchema())
        bytes += Utf8(field.name) + "=" + StoredValue(inputs, field) + "\n";
    return bytes;
}

std::optional<ResumeInputs> ParseResumeFile(const QByteArray& bytes) {
    QByteArrayView text = bytes;
    if (text.startsWith(kByteOrderMark)) text = text.sliced(kByteOrderMark.size());
    if (!IsUtf8(text)) return std::nullopt;
    ResumeInputs inputs;
    std::vector<bool> seen(ResumeSchema().size());
    bool inSection = false;
    for (QByteArray line : text.toByteArray().split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.trimmed().startsWith('[')) {
            inSection = line.trimmed() == "[" + Utf8(kResumeSection) + "]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0) continue;
        const ResumeField* field = FindResumeField(line.left(equals).trimmed().toStdString());
        if (!field) continue;
        const auto index = static_cast<std::size_t>(field - ResumeSchema().data());
        if (seen[index]) continue;  // the first of duplicate keys counts
        seen[index] = true;
        const QByteArray value = line.mid(equals + 1);
        if (std::string* member = ResumeText(inputs, *field))
            *member = value.toStdString();
        else
            ReadNumber(*field, value.trimmed(), *ResumeNumber(inputs, *field));
    }
    return inputs;
}

QString ResumeFilePath(const CSettingsLocation& location) {
    const QString folder = location.Folder();
    return folder.isEmpty() ? folder : QDir(folder).filePath(QLatin1String(kResumeFileName));
}

CResumeStore::CResumeStore(CSettingsLocation& location, IMessagePresenter& presenter,
                           std::string_view caption)
    : m_location(location), m_presenter(presenter), m_strCaption(caption) {}

ResumeInputs CResumeStore::Load(std::string& problem) {
    problem.clear();
    m_stored.reset();
    const QString path = ResumeFilePath(m_location);
    if (path.isEmpty()) return {};
    const WholeFileContent file = ReadWholeFile(path, kMaxResumeFileBytes);
    if (file.state == FileRead::Missing) {
        m_stored = ResumeInputs{};
        return {};
    }
    std::optional<ResumeInputs> inputs;
    if (file.state == FileRead::Read) inputs = ParseResumeFile(file.bytes);
    if (inputs) {
        m_stored = *inputs;
        return *inputs;
    }
    problem = QStringLiteral(
                  "学歴欄の設定ファイル%1を読み込めませんでした（通常のファイルでない、"
                  "大きすぎる、UTF-8でないなど）。このファイルはそのまま残し、学歴欄は"
                  "既定の設定で始めます。")
                  .arg(Quoted(path))
                  .toStdString();
    return {};
}

bool CResumeStore::MayReplace(const QString& path) {
    const WholeFileContent file = ReadWholeFile(path, kMaxResumeFileBytes);
    if (file.state == FileRead::Missing ||
        (file.state == FileRead::Read && ParseResumeFile(file.bytes)))
        return true;
    if (path == m_strKeptPath) return false;
    const std::string question =
        QStringLiteral(
            "学歴欄の設定ファイル%1は読み込めなかったため、そのまま残してあります。"
            "今の学歴欄の設定で置き換えますか？\r\n「いいえ」を選ぶと、このファイルはそのまま"
            "残り、学歴欄の設定はこのあと保存されません。")
            .arg(Quoted(path))
            .toStdString();
    if (m_presenter.Show(question, m_strCaption, MessageButtons::YesNo, MessageIcon::Question) ==
        MessageAnswer::Yes)
        return true;
    m_strKeptPath = path;
    return false;
}

bool CResumeStore::Save(const ResumeInputs& inputs) {
    if (m_stored == inputs) return true;
    const QString path = ResumeFilePath(m_location);
    if (path.isEmpty() || !MayReplace(path)) return false;
    if (MakePrivateFolder(FolderOf(path)) &&
        WriteWholeFile(path, ResumeFileBytes(inputs), NewFileMode::OwnerOnly)) {
        m_stored = inputs;
        return true;
    }
    if (!m_bFailureReported) {
        m_bFailureReported = true;
        m_presenter.Show(QStringLiteral("学歴欄の設定を%1に保存できませんでした。")
                             .arg(Quoted(path))
                             .toStdString(),
                         m_strCaption, MessageButtons::Ok, MessageIcon::Warning);
    }
    return false;
}
