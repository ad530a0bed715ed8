#pragma once

#include <string_view>

// Characters at the edges of each UTF-8 length, and bytes just past them that are no UTF-8.
struct Utf8Sample {
    std::string_view bytes;
    char32_t code;   // 0: no well-formed UTF-8
    bool printable;  // no control character (C0, DEL, C1, U+2028, U+2029)
};

inline constexpr Utf8Sample kUtf8Samples[] = {
    {"\x1F", 0x1F, false},
    {" ", 0x20, true},
    {"~", 0x7E, true},
    {"\x7F", 0x7F, false},
    {"\x80", 0, false},  // a continuation byte without its lead
    {"\xC1\xBF", 0, false},
    {"\xC2\x80", 0x80, false},
    {"\xC2\x9F", 0x9F, false},
    {"\xC2\xA0", 0xA0, true},
    {"\xC2\xB0", 0xB0, true},  // °
    {"\xDF\xBF", 0x7FF, true},
    {"\xE0\x9F\xBF", 0, false},
    {"\xE0\xA0\x80", 0x800, true},
    {"\xE2\x80\xA8", 0x2028, false},
    {"\xE3\x81", 0, false},  // cut short
    {"\xE6\x9D(", 0, false},
    {"\xED\x9F\xBF", 0xD7FF, true},
    {"\xED\xA0\x80", 0, false},  // a surrogate
    {"\xEF\xBF\xBF", 0xFFFF, true},
    {"\xF0\x8F\xBF\xBF", 0, false},
    {"\xF0\x90\x80\x80", 0x10000, true},
    {"\xF4\x8F\xBF\xBF", 0x10FFFF, true},
    {"\xF4\x90\x80\x80", 0, false},
    {"\xF5\x80\x80\x80", 0, false},
};
