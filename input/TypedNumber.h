#pragma once

#include <optional>
#include <string>
#include <string_view>

// How every number field takes what is typed (the window's edits, the page's fields, the command
// line's values): digits only, ASCII or full-width ("０".."９"), at most maxDigits of them (0: no
// limit). A year of an era may also be "元", its first year.

// The digits as ASCII, or "元" where allowGan; nothing for an empty text, any other character or
// too many digits.
std::optional<std::string> DigitsOf(std::string_view text, int maxDigits = 0,
                                    bool allowGan = false);

// DigitsOf the text without the blanks (ASCII and full-width spaces) around it.
std::optional<std::string> TypedDigits(std::string_view typed, int maxDigits = 0,
                                       bool allowGan = false);

// A number field as a calculation reads it: blanks (ASCII and full-width spaces) around the digits
// are no part of it, and a blank field holds no number. ok is false for anything DigitsOf refuses.
struct TypedNumber {
    bool ok = true;
    std::optional<int> value;
};
TypedNumber ReadTypedNumber(std::string_view typed, int maxDigits = 0);
