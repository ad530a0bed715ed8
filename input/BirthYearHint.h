#pragma once

#include <string>
#include <string_view>

#include "engine/CivilDate.h"

// The youngest age at which a person writes a résumé: the 中学校 is behind them.
inline constexpr int kYoungestResumeAge = 15;

// For a birth year typed as 西暦 with one or two digits (ASCII or full-width, blanks around it
// ignored), which is no Western birth year: the era year it most likely means, asked back as
// 「61年は西暦の年ではありません。昭和61年（1986年）ですか？」. The latest era with such a year
// whose Western year leaves the person at least kYoungestResumeAge by today is taken; without
// one, the message asks for four digits. Empty for any other text.
std::string WesternYearHint(std::string_view typedYear, const CivilDate& today);
