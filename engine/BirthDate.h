#pragma once

#include <string_view>

#include "engine/Wareki.h"

// The era of a birth date typed as a Western year.
inline constexpr int kWesternYear = -1;

// A birth date as typed: era kWesternYear, otherwise an index into kEras; the numbers as
// FromSeireki and FromWareki take them (digits, ASCII or full-width; the era year also "元").
struct BirthDateFields {
    int era = kWesternYear;
    std::string_view year, month, day;
};

// The birth date when it exists, lies within the chosen era and is not after today; otherwise the
// reason, in the words the date converter uses, and the field it concerns.
DateConversion CheckBirthDate(const BirthDateFields& fields, const CivilDate& today);
