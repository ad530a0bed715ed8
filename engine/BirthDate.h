#pragma once

#include <string_view>

#include "engine/Wareki.h"

// A birth date as typed: era -1 for a Western year, otherwise an index into kEras; the numbers as
// FromSeireki and FromWareki take them (digits, ASCII or full-width; the era year also "元").
struct BirthDateFields {
    int era = -1;
    std::string_view year, month, day;
};

// The birth date when it exists, lies within the chosen era and is not after today; otherwise the
// reason, in the words the date converter uses, and the field it concerns.
DateConversion CheckBirthDate(const BirthDateFields& fields, const CivilDate& today);
