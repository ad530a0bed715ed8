#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

#include "platform/QtText.h"

struct InputField;

// What vesmer-cli says about its command line, in Japanese as Tosvel says it. Option names are
// given without their dashes and values as typed; the caller escapes control characters.

// 「VALUE」は --OPTION に指定できません。ALLOWEDで指定してください。
QString NotAllowed(const QString& option, const QString& value, const QString& allowed);
// --OPTION を二度以上指定することはできません。
QString GivenTwice(const QString& option);
// --OPTION は --A か --B と一緒に指定してください。
QString NeedsAnother(const QString& option, const QStringList& partners);
// --A と --B は一緒に指定できません。
QString NotTogether(const QString& first, const QString& second);
// --OPTION に WHAT を指定してください。
QString NothingGiven(const QString& option, const QString& what);

// What a number field takes: "数字", "4桁までの数字", "4桁までの数字か「元」".
QString DigitsRule(const InputField& field);

// The stage (1..8) named by its key (小 中 高 短 専 大 修 博) or number; 0 for any other name.
int StageNamed(const QString& name);
// "小 中 高 短 専 大 修 博 か 1〜8", or from another first stage: "高 短 専 大 修 博 か 3〜8".
QString StageRule(int firstStage = 1);
// A value "STAGE=TEXT" split at its first "="; the stage 0 when it names none.
struct StageValue {
    int stage = 0;
    QString text;
};
// The value split, or the reason it cannot be (valueName: "N", "TEXT"); a stage before
// firstStage is refused.
QString ReadStageValue(const QString& option, const QString& value, const QString& valueName,
                       StageValue& read, int firstStage = 1);
