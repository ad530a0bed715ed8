#include "input/EraConverter.h"

#include <optional>

#include "engine/Wareki.h"

namespace {

const char* FieldName(DateField field) {
    switch (field) {
        case DateField::Era:
            return "era";
        case DateField::Year:
            return "year";
        case DateField::Month:
            return "month";
        case DateField::Day:
            return "day";
        case DateField::None:
            break;
    }
    return "";
}

ConvertedDate Shown(const DateConversion& c) {
    ConvertedDate shown;
    shown.ok = c.ok;
    if (!c.ok) {
        shown.text = c.reason;
        shown.field = FieldName(c.field);
        return shown;
    }
    shown.text = "西暦" + std::to_string(c.seireki.year) + "年" + std::to_string(c.seireki.month) +
                 "月" + std::to_string(c.seireki.day) + "日 ＝ " + WarekiText(c.wareki);
    shown.year = c.seireki.year;
    shown.month = c.seireki.month;
    shown.day = c.seireki.day;
    shown.era = c.wareki.era;
    shown.eraYear = c.wareki.year == 1 ? "元" : std::to_string(c.wareki.year);
    shown.eraMonth = c.wareki.month;
    shown.eraDay = c.wareki.day;
    return shown;
}

}  // namespace

ConvertedDate ConvertSeireki(const std::string& year, const std::string& month,
                             const std::string& day) {
    return Shown(FromSeireki(SeirekiFields{year, month, day}));
}

ConvertedDate ConvertWareki(int era, const std::string& year, const std::string& month,
                            const std::string& day) {
    return Shown(FromWareki(WarekiFields{era, year, month, day}));
}

YearTableView YearTableFor(const std::string& birthYearText) {
    if (birthYearText.find_first_not_of(" \t") == std::string::npos)
        return {YearTableText(std::nullopt), {}};
    int year = 0;
    std::string reason;
    if (!ReadBirthYear(birthYearText, year, reason)) return {{}, reason};
    return {YearTableText(year), {}};
}
