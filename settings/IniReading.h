#pragma once
// The reading rules of the setup's configuration, whatever reads the profile's strings:
// - a string value is read through 2048 bytes, so at most 2047 characters come back;
// - an integer is decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X"; any other
//   text, an empty value and a number outside 32 bits give the default;
// - a boolean is an integer, 0 false and any other number true ("true" gives the default);
// - a colour is an integer holding 0x00BBGGRR or 0x800000nn (system colour nn); it may also be
//   written as an unsigned decimal up to 4294967295;
// - a section read as a list gives the key names of its lines in file order, through 16384 bytes:
//   names beyond that are left out.
// Section and key names are matched without regard to case.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TIniReading {
public:
    static constexpr std::size_t ValueBufferSize = 2048;
    static constexpr std::size_t SectionBufferSize = 16384;

    virtual ~TIniReading() = default;

    // The value when the key is present, even when empty; nothing when it (or the file) is missing.
    virtual std::optional<std::string> ReadOptionalString(const std::string& section, const std::string& key) const = 0;
    // The key names of the section's lines, in file order; empty when the section or file is missing.
    virtual std::vector<std::string> ReadSection(const std::string& section) const = 0;

    // A present key gives its value, even an empty one; a missing key (or file) gives the default.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Nothing when the key is missing, empty or not a number.
    std::optional<int> ReadOptionalInteger(const std::string& section, const std::string& key) const;

    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    std::uint32_t ReadColor(const std::string& section, const std::string& key, std::uint32_t defaultValue) const;
    std::optional<std::uint32_t> ReadOptionalColor(const std::string& section, const std::string& key) const;
};
