#include "config/ProfileNumbers.h"

namespace {

constexpr std::uint64_t kMaxMagnitude = 0xFFFFFFFFu;

struct NumberText {
    bool negative = false;
    bool hexadecimal = false;
    std::uint64_t magnitude = 0;
};

int DigitValue(char c, unsigned base)
{
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < static_cast<int>(base) ? value : -1;
}

std::optional<NumberText> ParseNumberText(std::string_view text)
{
    NumberText number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.starts_with('$')) {
        number.hexadecimal = true;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        number.hexadecimal = true;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    const unsigned base = number.hexadecimal ? 16 : 10;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return std::nullopt;
        number.magnitude = number.magnitude * base + static_cast<unsigned>(digit);
        if (number.magnitude > kMaxMagnitude) return std::nullopt;
    }
    return number;
}

std::optional<std::uint32_t> ParseBits(std::string_view text, bool unsignedDecimal)
{
    const auto number = ParseNumberText(text);
    if (!number) return std::nullopt;
    if (!number->hexadecimal) {
        const std::uint64_t limit = number->negative ? std::uint64_t{1} << 31
                                    : unsignedDecimal ? kMaxMagnitude
                                                      : (std::uint64_t{1} << 31) - 1;
        if (number->magnitude > limit) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(number->magnitude);
    return number->negative ? static_cast<std::uint32_t>(0u - bits) : bits;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text)
{
    const auto bits = ParseBits(text, false);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits);
}

std::optional<std::uint32_t> ParseProfileColor(std::string_view text) { return ParseBits(text, true); }
