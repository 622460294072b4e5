#include "ui/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

// Two defaults no call can return both of: a key that is present gives the same text to both calls.
constexpr const char* kMissingA = "\x01";
constexpr const char* kMissingB = "\x02";

constexpr std::uint64_t kMaxMagnitude = std::numeric_limits<std::uint32_t>::max();

int DigitValue(char c, unsigned base)
{
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < static_cast<int>(base) ? value : -1;
}

struct TNumberText {
    bool negative = false;
    bool hexadecimal = false;
    std::uint64_t magnitude = 0;
};

// Sign, then "$", "0x", "0X" or nothing, then digits; nothing when the text is anything else or the
// magnitude needs more than 32 bits.
std::optional<TNumberText> ParseNumberText(std::string_view text)
{
    TNumberText number;
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

// The 32-bit pattern of a number. Hexadecimal fills all 32 bits ("$FFFFFFFF" is -1 as an integer);
// a decimal number must fit a signed 32-bit integer, or an unsigned one where unsignedDecimal.
std::optional<std::uint32_t> ParseBits(const std::string& text, bool unsignedDecimal)
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

std::string ProfileString(const char* section, const char* key, const char* defaultValue, const std::string& file)
{
    char buffer[TIniFile::ValueBufferSize];
    const DWORD length = GetPrivateProfileStringA(section, key, defaultValue, buffer, sizeof buffer, file.c_str());
    return std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1));
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const
{
    return ReadOptionalString(section, key).value_or(defaultValue);
}

std::optional<std::string> TIniFile::ReadOptionalString(const std::string& section, const std::string& key) const
{
    std::string first = ProfileString(section.c_str(), key.c_str(), kMissingA, fileName_);
    if (first != kMissingA) return first;
    if (ProfileString(section.c_str(), key.c_str(), kMissingB, fileName_) == kMissingB) return std::nullopt;
    return first;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    return ReadOptionalInteger(section, key).value_or(defaultValue);
}

std::optional<int> TIniFile::ReadOptionalInteger(const std::string& section, const std::string& key) const
{
    const auto bits = ParseBits(ProfileString(section.c_str(), key.c_str(), "", fileName_), false);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    const auto value = ReadOptionalInteger(section, key);
    return value ? *value != 0 : defaultValue;
}

std::uint32_t TIniFile::ReadColor(const std::string& section, const std::string& key,
                                  std::uint32_t defaultValue) const
{
    return ReadOptionalColor(section, key).value_or(defaultValue);
}

std::optional<std::uint32_t> TIniFile::ReadOptionalColor(const std::string& section, const std::string& key) const
{
    return ParseBits(ProfileString(section.c_str(), key.c_str(), "", fileName_), true);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    std::vector<char> buffer(SectionBufferSize);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), fileName_.c_str());
    // The names are NUL-terminated one after another. A full buffer means the last one was cut:
    // a cut name could name another program or file, so it is left out with the rest.
    const bool cut = length + 2 >= buffer.size();
    const std::string_view names(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < names.size()) {
        const auto end = std::min(names.find('\0', start), names.size());
        keys.emplace_back(names.substr(start, end - start));
        start = end + 1;
    }
    if (cut && !keys.empty()) keys.pop_back();
    return keys;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
        throw EIniFileException("Cannot write [" + section + "] " + key + " to " + fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::EraseSection(const std::string& section)
{
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str());
}
