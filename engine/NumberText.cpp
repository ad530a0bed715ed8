#include "engine/NumberText.h"

#include <climits>
#include <cstdint>

bool ScanInt(std::string_view text, std::size_t& position, int& value) {
    std::size_t i = position;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude < kLimit) magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative) {
        value = magnitude >= kLimit ? INT_MIN : static_cast<int>(-magnitude);
    } else {
        value = magnitude >= kLimit ? INT_MAX : static_cast<int>(magnitude);
    }
    position = i;
    return true;
}

int ParseLeadingInt(std::string_view text) {
    std::size_t position = 0;
    int value = 0;
    return ScanInt(text, position, value) ? value : 0;
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

void AppendPadded(std::string& out, int value, int width) {
    char digits[12];
    int length = 0;
    const bool negative = value < 0;
    std::uint32_t magnitude =
        negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        digits[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits[length++] = '-';
    for (int pad = width - length; pad > 0; --pad) out += ' ';
    while (length > 0) out += digits[--length];
}

std::string ToAsciiDigits(std::string_view text) {
    // "０".."９" are U+FF10..U+FF19: EF BC 90..99 in UTF-8.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xEF && byte(i + 1) == 0xBC && byte(i + 2) >= 0x90 &&
            byte(i + 2) <= 0x99) {
            out += static_cast<char>('0' + (byte(i + 2) - 0x90));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}
