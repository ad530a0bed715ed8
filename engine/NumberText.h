#pragma once

#include <string>
#include <string_view>

// Reads a decimal integer the way the input boxes and settings values are read: optional
// leading blanks (spaces and tabs), an optional sign, then the leading digits; whatever follows
// is ignored. A text without leading digits gives 0. Values beyond the int range are clamped.
int ParseLeadingInt(std::string_view text);

// Like ParseLeadingInt, but also tells where the number ended and whether there was one.
// Returns false (and leaves value alone) when no digits follow the blanks and sign.
bool ScanInt(std::string_view text, std::size_t& position, int& value);

// True for a non-empty text of ASCII digits only.
bool IsAllDigits(std::string_view text);

// Appends value in decimal, right-aligned with ASCII blanks to at least width characters.
void AppendPadded(std::string& out, int value, int width);

// The text with every full-width digit ("０".."９", as UTF-8) replaced by its ASCII digit;
// everything else is kept as it is.
std::string ToAsciiDigits(std::string_view text);
