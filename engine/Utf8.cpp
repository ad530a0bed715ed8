#include "engine/Utf8.h"

namespace {

// The bytes a lead byte starts, and the range its first continuation byte must lie in; that
// range is what rules out overlong forms, surrogates and code points beyond U+10FFFF.
struct LeadRule {
    std::size_t length;
    unsigned char low;
    unsigned char high;
};

LeadRule RuleOf(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead < 0xC2) return {0, 0, 0};
    if (lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead <= 0xEF)
        return {3, static_cast<unsigned char>(lead == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(lead == 0xED ? 0x9F : 0xBF)};
    if (lead <= 0xF4)
        return {4, static_cast<unsigned char>(lead == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(lead == 0xF4 ? 0x8F : 0xBF)};
    return {0, 0, 0};
}

constexpr std::string_view kBlanks[] = {" ", "　"};

}  // namespace

Utf8Char DecodeUtf8(std::string_view text) {
    if (text.empty()) return {};
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const LeadRule rule = RuleOf(byte(0));
    if (rule.length == 0 || text.size() < rule.length) return {};
    if (rule.length == 1) return {byte(0), 1};
    if (byte(1) < rule.low || byte(1) > rule.high) return {};
    char32_t code = byte(0) & (0x7Fu >> rule.length);
    for (std::size_t i = 1; i < rule.length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {};
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    return {code, rule.length};
}

std::string_view TrimBlanks(std::string_view text) {
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::string_view blank : kBlanks) {
            for (; text.starts_with(blank); trimmed = true) text.remove_prefix(blank.size());
            for (; text.ends_with(blank); trimmed = true) text.remove_suffix(blank.size());
        }
    }
    return text;
}
