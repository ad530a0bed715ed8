#include "input/TypedNumber.h"

#include "engine/NumberText.h"
#include "engine/Utf8.h"

std::optional<std::string> DigitsOf(std::string_view text, int maxDigits, bool allowGan) {
    if (allowGan && text == "元") return std::string(text);
    // Each full-width digit becomes one ASCII digit, so the length counts the digits.
    std::string digits = ToAsciiDigits(text);
    if (!IsAllDigits(digits) || (maxDigits > 0 && digits.size() > std::size_t(maxDigits)))
        return std::nullopt;
    return digits;
}

std::optional<std::string> TypedDigits(std::string_view typed, int maxDigits, bool allowGan) {
    return DigitsOf(TrimBlanks(typed), maxDigits, allowGan);
}

TypedNumber ReadTypedNumber(std::string_view typed, int maxDigits) {
    if (TrimBlanks(typed).empty()) return {};
    const std::optional<std::string> digits = TypedDigits(typed, maxDigits);
    if (!digits) return {false, std::nullopt};
    return {true, ParseLeadingInt(*digits)};
}
