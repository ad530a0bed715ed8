#include "engine/Era.h"

#include "engine/NumberText.h"

int EraIndexOn(const CivilDate& date) {
    for (int i = kEraCount - 1; i > 0; --i) {
        if (date >= kEras[static_cast<std::size_t>(i)].first) return i;
    }
    return 0;
}

bool EraLastDay(int index, CivilDate& last) {
    if (index < 0 || index + 1 >= kEraCount) return false;
    last = PreviousDay(kEras[static_cast<std::size_t>(index + 1)].first);
    return true;
}

int EraIndexOf(std::string_view name) {
    for (int i = 0; i < kEraCount; ++i) {
        if (kEras[static_cast<std::size_t>(i)].name == name) return i;
    }
    return -1;
}

int WesternYear(int index, int eraYear) {
    return kEras[static_cast<std::size_t>(index)].first.year + eraYear - 1;
}

EraYear EraOn(int year, int month, int day) {
    const int index = EraIndexOn(CivilDate{year, month, day});
    const EraStart& era = kEras[static_cast<std::size_t>(index)];
    return {era.name, year - era.first.year + 1};
}

void AppendEraText(std::string& out, const EraYear& era) {
    out += era.name;
    if (era.year == 1) {
        // The first year of an era is 元年; 令和 has it without the blank.
        if (era.name != "令和") out += ' ';
        out += "元年";
        return;
    }
    out += ' ';
    AppendPadded(out, era.year, 2);
    out += "年";
}
