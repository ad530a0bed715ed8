#include "tosvel/TosvelForm.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "engine/Era.h"
#include "engine/Wareki.h"
#include "platform/WholeFile.h"

namespace {

// Every stored field: its key in the file and where it lives.
struct StoredText {
    const char* key;
    QString TosvelInputs::*member;
};
constexpr StoredText kStoredTexts[] = {
    {"seireki-year", &TosvelInputs::seirekiYear}, {"seireki-month", &TosvelInputs::seirekiMonth},
    {"seireki-day", &TosvelInputs::seirekiDay},   {"wareki-year", &TosvelInputs::warekiYear},
    {"wareki-month", &TosvelInputs::warekiMonth}, {"wareki-day", &TosvelInputs::warekiDay},
    {"birth-year", &TosvelInputs::birthYear},
};
// A stored text longer than this is not a typed field and is not taken.
constexpr qsizetype kLongestStoredText = 8;

QString StatePath(const QString& folder) {
    return QDir(folder).filePath(QLatin1String(kTosvelStateFileName));
}

}  // namespace

TosvelInputs DefaultTosvelInputs(const CivilDate& today) {
    TosvelInputs inputs;
    inputs.seirekiYear = QString::number(today.year);
    inputs.seirekiMonth = QString::number(today.month);
    inputs.seirekiDay = QString::number(today.day);
    UpdateOtherSide(inputs);
    return inputs;
}

ConversionView UpdateOtherSide(TosvelInputs& inputs) {
    const std::string texts[] = {
        (inputs.fromWareki ? inputs.warekiYear : inputs.seirekiYear).toStdString(),
        (inputs.fromWareki ? inputs.warekiMonth : inputs.seirekiMonth).toStdString(),
        (inputs.fromWareki ? inputs.warekiDay : inputs.seirekiDay).toStdString()};
    const DateConversion c =
        inputs.fromWareki ? FromWareki(WarekiFields{inputs.era, texts[0], texts[1], texts[2]})
                          : FromSeireki(SeirekiFields{texts[0], texts[1], texts[2]});
    if (inputs.fromWareki) {
        inputs.seirekiYear = c.ok ? QString::number(c.seireki.year) : QString();
        inputs.seirekiMonth = c.ok ? QString::number(c.seireki.month) : QString();
        inputs.seirekiDay = c.ok ? QString::number(c.seireki.day) : QString();
    } else {
        if (c.ok) inputs.era = c.wareki.era;
        inputs.warekiYear = !c.ok                ? QString()
                            : c.wareki.year == 1 ? QStringLiteral("元")
                                                 : QString::number(c.wareki.year);
        inputs.warekiMonth = c.ok ? QString::number(c.wareki.month) : QString();
        inputs.warekiDay = c.ok ? QString::number(c.wareki.day) : QString();
    }
    if (!c.ok) return {false, QString::fromStdString(c.reason)};
    return {true, QStringLiteral("西暦%1年%2月%3日 ＝ %4")
                      .arg(c.seireki.year)
                      .arg(c.seireki.month)
                      .arg(c.seireki.day)
                      .arg(QString::fromStdString(WarekiText(c.wareki)))};
}

AgeColumn ReadAgeColumn(const QString& birthYearText) {
    if (birthYearText.trimmed().isEmpty()) return {};
    int year = 0;
    std::string reason;
    if (!ReadBirthYear(birthYearText.toStdString(), year, reason))
        return {std::nullopt, QString::fromStdString(reason)};
    return {year, QString()};
}

void LoadTosvelInputs(const QString& folder, TosvelInputs& inputs) {
    QFile file(StatePath(folder));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QStringList lines = QString::fromUtf8(file.read(64 * 1024)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (value.size() > kLongestStoredText) continue;
        for (const StoredText& stored : kStoredTexts) {
            if (key == QLatin1String(stored.key)) inputs.*stored.member = value;
        }
        bool number = false;
        const int era = value.toInt(&number);
        if (key == QLatin1String("era") && number && era >= 0 && era < kEraCount) inputs.era = era;
        if (key == QLatin1String("from")) inputs.fromWareki = value == QLatin1String("wareki");
    }
}

bool SaveTosvelInputs(const QString& folder, const TosvelInputs& inputs) {
    const QDir dir(folder);
    if (!dir.exists() &&
        (!QDir().mkpath(QDir::cleanPath(folder + QStringLiteral("/.."))) ||
         !QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)))
        return false;
    QByteArray bytes = "[Tosvel]\n";
    for (const StoredText& stored : kStoredTexts)
        bytes += QByteArray(stored.key) + "=" + (inputs.*stored.member).toUtf8() + "\n";
    bytes += "era=" + QByteArray::number(inputs.era) + "\n";
    bytes += QByteArray("from=") + (inputs.fromWareki ? "wareki" : "seireki") + "\n";
    const QString path = StatePath(folder);
    return WriteWholeFile(path, bytes) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

QString TosvelStateFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}
