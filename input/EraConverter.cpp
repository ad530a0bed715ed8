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

std::string Number(bool ok, int value) {
    return ok ? std::to_string(value) : std::string();
}

}  // namespace

ConvertedDate ConvertOneSide(const ConverterFields& typed, bool fromWareki) {
    const DateConversion c =
        fromWareki
            ? FromWareki(WarekiFields{typed.era, typed.eraYear, typed.eraMonth, typed.eraDay})
            : FromSeireki(SeirekiFields{typed.year, typed.month, typed.day});
    ConvertedDate shown;
    shown.ok = c.ok;
    shown.fields = typed;
    ConverterFields& other = shown.fields;
    if (fromWareki) {
        other.year = Number(c.ok, c.seireki.year);
        other.month = Number(c.ok, c.seireki.month);
        other.day = Number(c.ok, c.seireki.day);
    } else {
        if (c.ok) other.era = c.wareki.era;
        other.eraYear = c.ok && c.wareki.year == 1 ? "元" : Number(c.ok, c.wareki.year);
        other.eraMonth = Number(c.ok, c.wareki.month);
        other.eraDay = Number(c.ok, c.wareki.day);
    }
    if (!c.ok) {
        shown.text = c.reason;
        shown.field = FieldName(c.field);
        return shown;
    }
    shown.text = "西暦" + std::to_string(c.seireki.year) + "年" + std::to_string(c.seireki.month) +
                 "月" + std::to_string(c.seireki.day) + "日 ＝ " + WarekiText(c.wareki);
    return shown;
}

YearTableView YearTableFor(const std::string& birthYearText) {
    if (birthYearText.find_first_not_of(" \t") == std::string::npos)
        return {YearTableText(std::nullopt), {}};
    int year = 0;
    std::string reason;
    if (!ReadBirthYear(birthYearText, year, reason)) return {{}, reason};
    return {YearTableText(year), {}};
}
