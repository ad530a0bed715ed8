#include "tosvel/TosvelForm.h"

#include <QStringList>

#include "engine/Era.h"
#include "engine/Wareki.h"
#include "input/EraConverter.h"
#include "platform/UserFolders.h"
#include "platform/WholeFile.h"

namespace {

// Every stored field: its key in the file, where it lives and the most characters it takes.
struct StoredText {
    const char* key;
    QString TosvelInputs::*member;
    qsizetype length;
};
constexpr StoredText kStoredTexts[] = {
    {"seireki-year", &TosvelInputs::seirekiYear, kTosvelYearLength},
    {"seireki-month", &TosvelInputs::seirekiMonth, kTosvelMonthDayLength},
    {"seireki-day", &TosvelInputs::seirekiDay, kTosvelMonthDayLength},
    {"wareki-year", &TosvelInputs::warekiYear, kTosvelYearLength},
    {"wareki-month", &TosvelInputs::warekiMonth, kTosvelMonthDayLength},
    {"wareki-day", &TosvelInputs::warekiDay, kTosvelMonthDayLength},
    {"birth-year", &TosvelInputs::birthYear, kTosvelYearLength},
};

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
    const auto typed = [](const QString& text) { return text.toStdString(); };
    const ConvertedDate c =
        inputs.fromWareki ? ConvertWareki(inputs.era, typed(inputs.warekiYear),
                                          typed(inputs.warekiMonth), typed(inputs.warekiDay))
                          : ConvertSeireki(typed(inputs.seirekiYear), typed(inputs.seirekiMonth),
                                           typed(inputs.seirekiDay));
    // A refused date empties the other side, so that no wrong date stays on show.
    const auto shown = [&c](int value) { return c.ok ? QString::number(value) : QString(); };
    if (inputs.fromWareki) {
        inputs.seirekiYear = shown(c.year);
        inputs.seirekiMonth = shown(c.month);
        inputs.seirekiDay = shown(c.day);
    } else {
        if (c.ok) inputs.era = c.era;
        inputs.warekiYear = QString::fromStdString(c.eraYear);
        inputs.warekiMonth = shown(c.eraMonth);
        inputs.warekiDay = shown(c.eraDay);
    }
    return {c.ok, QString::fromStdString(c.text)};
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
    if (!IsUsableUserFolder(folder)) return;
    const WholeFileContent file = ReadWholeFile(TosvelStatePath(folder), kTosvelStateMaxBytes);
    if (file.state != FileRead::Read) return;
    const QStringList lines = QString::fromUtf8(file.bytes).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        for (const StoredText& stored : kStoredTexts) {
            if (key == QLatin1String(stored.key)) inputs.*stored.member = value.left(stored.length);
        }
        bool number = false;
        const int era = value.toInt(&number);
        if (key == QLatin1String("era") && number && era >= 0 && era < kEraCount) inputs.era = era;
        if (key == QLatin1String("from")) inputs.fromWareki = value == QLatin1String("wareki");
    }
}

bool SaveTosvelInputs(const QString& folder, const TosvelInputs& inputs) {
    if (!IsUsableUserFolder(folder)) return true;
    QByteArray bytes = "[Tosvel]\n";
    for (const StoredText& stored : kStoredTexts)
        bytes += QByteArray(stored.key) + "=" + (inputs.*stored.member).toUtf8() + "\n";
    bytes += "era=" + QByteArray::number(inputs.era) + "\n";
    bytes += QByteArray("from=") + (inputs.fromWareki ? "wareki" : "seireki") + "\n";
    return MakePrivateFolder(folder) &&
           WriteWholeFile(TosvelStatePath(folder), bytes, NewFileMode::OwnerOnly);
}

QString TosvelStateFolder() {
    return UserConfigFolder(QStringLiteral("Tosvel"));
}

QString TosvelStatePath(const QString& folder) {
    return folder + u'/' + QLatin1String(kTosvelStateFileName);
}
