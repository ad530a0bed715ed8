#include "tosvel/TosvelForm.h"

#include <QStringList>

#include "engine/Era.h"
#include "engine/Wareki.h"
#include "platform/NativePath.h"
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
