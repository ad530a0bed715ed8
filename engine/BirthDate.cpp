#include "engine/BirthDate.h"

#include "engine/NumberText.h"

namespace {

std::string DayText(const CivilDate& date) {
    std::string text;
    AppendPadded(text, date.year, 0);
    text += "年";
    AppendPadded(text, date.month, 0);
    text += "月";
    AppendPadded(text, date.day, 0);
    text += "日";
    return text;
}

}  // namespace

DateConversion CheckBirthDate(const BirthDateFields& fields, const CivilDate& today) {
    DateConversion birth =
        fields.era == kWesternYear
            ? FromSeireki(SeirekiFields{fields.year, fields.month, fields.day})
            : FromWareki(WarekiFields{fields.era, fields.year, fields.month, fields.day});
    if (birth.ok && birth.seireki > today) {
        birth.ok = false;
        birth.reason = "生年月日（" + DayText(birth.seireki) + "）が今日（" + DayText(today) +
                       "）より後になっています。";
        birth.field = DateField::Year;
    }
    return birth;
}
