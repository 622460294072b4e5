#pragma once
// An INI file through the system's profile API, with the reading rules of the setup's configuration:
// - a string value is read through 2048 bytes, so at most 2047 characters come back;
// - an integer is decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X"; any other
//   text, an empty value and a number outside 32 bits give the default;
// - a boolean is an integer, 0 false and any other number true ("true" gives the default);
// - a colour is an integer holding 0x00BBGGRR or 0x800000nn (system colour nn); it may also be
//   written as an unsigned decimal up to 4294967295;
// - a section read as a list gives the key names of its lines in file order, through 16384 bytes:
//   names beyond that are left out.
// Section and key names are matched without regard to case. A file name without a directory is
// looked for in the Windows directory, as the profile API does.
// Self-contained: no other toolkit file is needed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "port/Exception.h"

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile {
public:
    static constexpr std::size_t ValueBufferSize = 2048;
    static constexpr std::size_t SectionBufferSize = 16384;

    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // A present key gives its value, even an empty one; a missing key (or file) gives the default.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // The value when the key is present, even when empty; nothing when it is missing.
    std::optional<std::string> ReadOptionalString(const std::string& section, const std::string& key) const;

    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Nothing when the key is missing, empty or not a number.
    std::optional<int> ReadOptionalInteger(const std::string& section, const std::string& key) const;

    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    std::uint32_t ReadColor(const std::string& section, const std::string& key, std::uint32_t defaultValue) const;
    std::optional<std::uint32_t> ReadOptionalColor(const std::string& section, const std::string& key) const;

    // The key names of the section's lines, in file order; empty when the section or file is missing.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // Whether the file has the section, even one without keys (letter case aside).
    bool SectionExists(const std::string& section) const;

    // Raises EIniFileException naming the key and the file when the profile API refuses.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Deleting forgives: a missing file, section or key, or a refusal, leaves things as they are.
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);
    // Makes the profile API write what it still holds for this file.
    void UpdateFile();

private:
    std::string fileName_;
};
