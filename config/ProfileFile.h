#pragma once
// An INI file read the way the system's profile functions read it, for the maker tool on any platform:
// sections and keys without regard to case, the first matching section only, values trimmed and freed
// of one pair of enclosing quotes, at most 2047 characters a value, key lists through 16384 bytes.
// A UTF-8 byte-order mark at the start is not part of the first line.
// Every key keeps its line number, so that a message can point at it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ProfileKey {
    std::string name;
    std::optional<std::string> value;  // nothing for a line without "="
    int line = 0;
};

struct ProfileSection {
    std::string name;
    int line = 0;
    std::vector<ProfileKey> keys;
};

class ProfileFile {
public:
    static constexpr std::size_t kValueBuffer = 2048;
    static constexpr std::size_t kKeyListBuffer = 16384;

    static ProfileFile Parse(const std::string& text);
    // A file that cannot be read is an empty profile, as the profile functions see it.
    static ProfileFile Load(const std::string& path);

    const ProfileSection* FindSection(const std::string& section) const;
    const ProfileKey* FindKey(const std::string& section, const std::string& key) const;

    // The value of a present key (even an empty one); nothing for a missing key.
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // The names of the section's keys that have a value, in file order, as far as they fit the buffer whole.
    std::vector<std::string> KeyNames(const std::string& section) const;
    // The same names however many: for files whose every key must come back.
    std::vector<std::string> AllKeyNames(const std::string& section) const;

private:
    std::vector<ProfileSection> sections_;
};
