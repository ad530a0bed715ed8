#include "input/BirthYearHint.h"

#include "engine/Era.h"
#include "engine/NumberText.h"
#include "engine/Wareki.h"

namespace {

// The last year of an era, counted in its own years; the current era's is today's.
int LastEraYear(int era, const CivilDate& today) {
    CivilDate last = today;
    EraLastDay(era, last);
    return last.year - kEras[static_cast<std::size_t>(era)].first.year + 1;
}

}  // namespace

std::string WesternYearHint(std::string_view typedYear, const CivilDate& today) {
    while (!typedYear.empty() && (typedYear.front() == ' ' || typedYear.front() == '\t'))
        typedYear.remove_prefix(1);
    while (!typedYear.empty() && (typedYear.back() == ' ' || typedYear.back() == '\t'))
        typedYear.remove_suffix(1);
    const std::string digits = ToAsciiDigits(typedYear);
    if (!IsAllDigits(digits) || digits.size() > 2) return {};
    const int year = ParseLeadingInt(digits);
    const std::string message = std::to_string(year) + "年は西暦の年ではありません。";
    for (int era = kEraCount - 1; era >= 0 && year > 0; --era) {
        const int western = WesternYear(era, year);
        if (year <= LastEraYear(era, today) && western <= today.year - kYoungestResumeAge)
            return message + EraYearText(era, year) + "（" + std::to_string(western) +
                   "年）ですか？";
    }
    return message + "西暦は4桁で入力してください。";
}
