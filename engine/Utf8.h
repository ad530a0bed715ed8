#pragma once

#include <cstddef>
#include <string_view>

// One character at the start of a UTF-8 text.
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;  // in bytes; 0: the text starts with no well-formed character
};

// The character that text starts with. Length 0 for an empty text and for bytes that are no
// well-formed UTF-8: a continuation byte without its lead, a lead byte C0, C1 or F5 to FF, a
// sequence cut short, an overlong form, an encoded surrogate, a code point beyond U+10FFFF.
Utf8Char DecodeUtf8(std::string_view text);

// The text without the blanks around it: ASCII spaces and full-width spaces (U+3000).
std::string_view TrimBlanks(std::string_view text);
