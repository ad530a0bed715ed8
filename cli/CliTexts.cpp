#include "cli/CliTexts.h"

#include "engine/HistoryData.h"
#include "input/InputSchema.h"

QString NotAllowed(const QString& option, const QString& value, const QString& allowed) {
    return QStringLiteral("「%1」は --%2 に指定できません。%3で指定してください。")
        .arg(value, option, allowed);
}

QString GivenTwice(const QString& option) {
    return QStringLiteral("--%1 を二度以上指定することはできません。").arg(option);
}

QString NeedsAnother(const QString& option, const QStringList& partners) {
    return QStringLiteral("--%1 は --%2 と一緒に指定してください。")
        .arg(option, partners.join(QStringLiteral(" か --")));
}

QString NotTogether(const QString& first, const QString& second) {
    return QStringLiteral("--%1 と --%2 は一緒に指定できません。").arg(first, second);
}

QString NothingGiven(const QString& option, const QString& what) {
    return QStringLiteral("--%1 に%2を指定してください。").arg(option, what);
}

QString DigitsRule(const InputField& field) {
    const QString digits = field.maxLength > 0
                               ? QStringLiteral("%1桁までの数字").arg(field.maxLength)
                               : QStringLiteral("数字");
    return field.allowsGan ? digits + QStringLiteral("か「元」") : digits;
}

int StageNamed(const QString& name) {
    const CHistoryData history;
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        if (name == Utf8(history.m_aStageKey[std::size_t(stage - 1)]) ||
            name == QString::number(stage))
            return stage;
    }
    return 0;
}

QString StageRule(int firstStage) {
    const CHistoryData history;
    QStringList keys;
    for (int stage = firstStage; stage <= STAGE_DOCTOR; ++stage)
        keys << Utf8(history.m_aStageKey[std::size_t(stage - 1)]);
    return QStringLiteral("%1 か %2〜%3")
        .arg(keys.join(QLatin1Char(' ')))
        .arg(firstStage)
        .arg(STAGE_DOCTOR);
}

QString ReadStageValue(const QString& option, const QString& value, const QString& valueName,
                       StageValue& read, int firstStage) {
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return NotAllowed(option, value, QStringLiteral("STAGE=%1 の形").arg(valueName));
    read = {StageNamed(value.left(equals)), value.mid(equals + 1)};
    if (read.stage >= firstStage) return {};
    if (read.stage != 0)
        return QStringLiteral("--%1 は%2には指定できません。STAGE は %3 で指定してください。")
            .arg(option, Utf8(CHistoryData().SchoolName(read.stage)), StageRule(firstStage));
    return QStringLiteral("--%1 の「%2」という学校はありません。STAGE は %3 で指定してください。")
        .arg(option, value.left(equals), StageRule(firstStage));
}
